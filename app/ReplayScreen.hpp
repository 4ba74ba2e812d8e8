#pragma once

#include "hud/ReplayBar.hpp"
#include "play/Actions.hpp"
#include "play/FrameInput.hpp"
#include "play/GameSpeed.hpp"
#include "play/InstantReplay.hpp"
#include "play/Replay.hpp"
#include "scene/MotionBlend.hpp"

#include <SFML/Graphics/View.hpp>

#include <cstdint>
#include <memory>
#include <string>

namespace tamrow
{
/// The instant replay as the window plays it: the last 30 s of the live game
/// shown again at a speed of its own, paused or not, jumped through 5 s at a
/// time, under a free camera that follows the character until the player
/// moves it. The live game waits meanwhile and never hears of it: nothing
/// here writes the live game, and the steps it records are what the live game
/// played, never what was pressed in here. A recorded file is watched the
/// same way, whole, its moments counted in recorded frames.
class ReplayScreen
{
public:
    /// The free camera's pan while W A S D are held (window px per second, at any zoom).
    static constexpr float PanSpeed = 900.0f;

    /// The games kept apart are built by `make`, as the live game was.
    explicit ReplayScreen(GameMaker make = freshGameWithoutImages);

    /// One step the live game took, as GameSpeed's StepTaken tells it; passed
    /// by while open, when the live game takes none, or watching a file.
    void record(const FrameInput& step, bool advanced);

    /// From now on shows `file`, from its start, instead of the live game; its
    /// games are built by `make`. Open until the window goes.
    void showFile(const Replay& file, GameMaker make);
    /// Whether a recorded file is shown, not the live game's last 30 s.
    bool watchesFile() const { return moments_->wholeFile(); }

    bool isOpen() const { return moments_->isOpen(); }
    /// Opens on the earliest moment kept, at x1, playing, the camera following
    /// the character; keeps `live`, the live game's camera, for the way back.
    void open(const sf::View& live);
    /// Closes, and gives back the live game's camera as it was at opening.
    sf::View close();

    /// What a press of `action` does inside: pause, the speed, jumps; nothing
    /// for any other action, which the window answers as ever.
    void act(Action action);
    /// The free camera: the walking keys held in `keys` pan `view` for one
    /// frame of a window `windowSize` px wide, and it follows no more.
    void pan(std::uint8_t keys, sf::View& view, sf::Vector2u windowSize);
    /// Puts the camera `view` on city point `cityPx` (px); it follows no more.
    void lookAt(sf::Vector2f cityPx, sf::View& view);
    /// Puts the shown moment at `t`, as the jumps do.
    void jumpTo(std::size_t t);
    /// The shown game on by one shown frame at the replay's speed, unless
    /// paused or a far jump is still on its way; reaching the live moment
    /// pauses it. The steps it played.
    std::int32_t advance();
    /// Below x1, moves the shown people between their last two steps for a draw.
    void blendIn();
    /// Puts them back where the step left them, after the draw.
    void blendOut();
    /// While following, the camera `view` on the shown character.
    void aim(sf::View& view) const;

    /// Where the replay stands, for its bar.
    ReplayClock clock() const;
    /// A file's first frame whose state hash differed from the recording, as
    /// Replay::mismatch() says it, once the shown moment has reached it; else empty.
    std::string mismatch() const { return moments_->mismatch(); }
    /// What the shown game's last step's Q and E did.
    const Recruiting& recruited() const { return moments_->recruited(); }
    /// How often the shown game started again (F5) on its way from a file's start.
    std::size_t restarts() const { return moments_->restarts(); }
    /// The shown game's city; only while open. In the live game's replay its
    /// sprites have no texture; a file's are dressed in the live city's.
    const City& city() const { return moments_->city(); }
    /// The moments themselves: jumps anywhere, for tests and the benchmark.
    InstantReplay& moments() { return *moments_; }

private:
    std::unique_ptr<InstantReplay> moments_;
    GameSpeed speed_;
    MotionBlend blend_;  ///< where slow motion draws the shown people
    bool paused_ = false;
    bool following_ = true;
    sf::View liveView_;
};
} // namespace tamrow
