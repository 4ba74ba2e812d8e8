#pragma once

#include "hud/ReplayBar.hpp"
#include "play/Actions.hpp"
#include "play/FrameInput.hpp"
#include "play/GameSpeed.hpp"
#include "play/InstantReplay.hpp"

#include <SFML/Graphics/View.hpp>

#include <cstdint>

namespace tamrow
{
/// The instant replay as the window plays it: the last 30 s of the live game
/// shown again at a speed of its own, paused or not, jumped through 5 s at a
/// time, under a free camera that follows the character until the player
/// moves it. The live game waits meanwhile and never hears of it: nothing
/// here writes the live game, and the steps it records are what the live game
/// played, never what was pressed in here.
class ReplayScreen
{
public:
    /// The free camera's pan while W A S D are held (window px per second, at any zoom).
    static constexpr float PanSpeed = 900.0f;

    /// The games kept apart are built by `make`, as the live game was.
    explicit ReplayScreen(GameMaker make = freshGameWithoutImages);

    /// One step the live game took, as GameSpeed's StepTaken tells it; passed
    /// by while open, when the live game takes none.
    void record(const FrameInput& step, bool advanced);

    bool isOpen() const { return moments_.isOpen(); }
    /// Opens on the earliest moment kept, at x1, playing, the camera following
    /// the character; keeps `live`, the live game's camera, for the way back.
    void open(const sf::View& live);
    /// Closes, and gives back the live game's camera as it was at opening.
    sf::View close();

    /// What a press of `action` does inside: pause, the speed, jumps; false for any
    /// action not the replay's own, which the window answers as ever.
    bool act(Action action);
    /// The free camera: the walking keys held in `keys` pan `view` for one
    /// frame of a window `windowSize` px wide, and it follows no more.
    void pan(std::uint8_t keys, sf::View& view, sf::Vector2u windowSize);
    /// Puts the camera `view` on city point `cityPx` (px); it follows no more.
    void lookAt(sf::Vector2f cityPx, sf::View& view);
    /// The shown game on by one shown frame at the replay's speed, unless
    /// paused; reaching the live moment pauses it.
    void advance();
    /// While following, the camera `view` on the shown character.
    void aim(sf::View& view) const;

    /// Where the replay stands, for its bar.
    ReplayClock clock() const;
    /// The shown game's city; only while open. Its sprites have no texture.
    const City& city() const { return moments_.city(); }
    /// The moments themselves: jumps anywhere, for tests and the benchmark.
    InstantReplay& moments() { return moments_; }

private:
    InstantReplay moments_;
    GameSpeed speed_;
    bool paused_ = false;
    bool following_ = true;
    sf::View liveView_;
};
} // namespace tamrow
