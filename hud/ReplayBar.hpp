#pragma once

#include <SFML/Graphics/Font.hpp>
#include <SFML/Graphics/Rect.hpp>
#include <SFML/Graphics/RenderTarget.hpp>

#include <cstddef>
#include <optional>
#include <string>

namespace tamrow
{
/// Where a replay stands, in world steps of 1/60 s (a file's frames), and how fast it plays.
struct ReplayClock
{
    std::size_t first = 0;  ///< the earliest moment it can show
    std::size_t at = 0;     ///< the moment shown
    std::size_t goingTo = 0;  ///< where a far jump goes; `at` when none does
    std::size_t last = 0;   ///< the latest moment it can show
    std::string speed = "x1";  ///< as GameSpeed writes it
    bool paused = false;
};

/// The mark of a replay along the window's bottom, left of the city map: a red
/// "REPLAY" tag, a time bar from the earliest to the latest moment with a tick
/// every 5 s and the shown moment filled in, the time shown and the speed.
/// One window pixel per view pixel, the same size at any zoom.
class ReplayBar
{
public:
    static constexpr unsigned Height = 44;   ///< px
    static constexpr unsigned Margin = 8;    ///< px to the window's edges and the map
    static constexpr unsigned MinWidth = 320;  ///< px; a narrower window has no bar

    /// Where the bar goes in a window of `windowSize` px, keeping clear of the
    /// city map's corner; empty when it would be narrower than MinWidth.
    static sf::IntRect placeIn(sf::Vector2u windowSize);

    /// The moment a click at `px` (window px) on the bar's track stands for,
    /// in a window of `windowSize` px; nothing for a click elsewhere.
    static std::optional<std::size_t> momentAt(sf::Vector2u windowSize, const ReplayClock& clock, sf::Vector2f px);

    /// "0:17.5 / 0:30.0": the shown moment and the span, from the earliest one.
    static std::string timeWords(const ReplayClock& clock);
    /// The speed, and ", paused" when it is.
    static std::string speedWords(const ReplayClock& clock);

    /// Draws the bar into `target`, whose view must show one pixel per window
    /// pixel from (0, 0); letters only with a `font`. Touches no pixel outside placeIn.
    static void draw(sf::RenderTarget& target, const sf::Font* font, const ReplayClock& clock);
};
} // namespace tamrow
