#pragma once

#include "city/City.hpp"

#include <SFML/Graphics/Font.hpp>
#include <SFML/Graphics/Rect.hpp>
#include <SFML/Graphics/RenderTarget.hpp>

#include <string>

namespace tamrow
{
/// The small panel in the window's top-right corner: people alive on each side
/// in the side's colour, deaths, waves, the zoom and the game's speed when it is not x1. Always the same size in
/// window pixels, whatever the zoom or the window's size.
class StatusPanel
{
public:
    /// The panel's size (px); it fits in the top-right quarter of an 800 x 450 window.
    static constexpr unsigned Width = 200;
    static constexpr unsigned Height = 138;
    /// What a line of the speed adds to Height (px).
    static constexpr unsigned LineHeight = 20;
    /// Gap between the panel and the window's top and right edges (px).
    static constexpr unsigned Margin = 8;

    /// Where the panel goes in a window of `windowSize` px, a line longer with
    /// `speedShown`; empty when the window is too small to keep it out of the
    /// top-left quarter, where the play is.
    static sf::IntRect placeIn(sf::Vector2u windowSize, bool speedShown = false);

    /// Draws the panel for `city` at magnification `zoom` (window px per view px)
    /// into `target`; a `soundNotice` that is not empty (the volume just set)
    /// stands in the zoom's line; a `speed` that is not empty ("x4") gets a line below.
    /// The view of `target` must show one pixel per window pixel from (0, 0).
    /// Touches no pixel outside placeIn(target's size, whether a speed is shown).
    static void draw(sf::RenderTarget& target, const sf::Font& font, const City& city, float zoom,
                     const std::string& soundNotice = std::string(), const std::string& speed = std::string());
};
} // namespace tamrow
