#pragma once

#include "life/FightHistory.hpp"

#include <SFML/Graphics/Font.hpp>
#include <SFML/Graphics/Rect.hpp>
#include <SFML/Graphics/RenderTarget.hpp>

namespace tamrow
{
/// The fight over the whole game, on the pause screen: the people alive on
/// each side, one line in each side's colour, every sample's new deaths as a
/// tick under the lines and every wave as a faint upright line, over a time
/// axis in minutes. It lies in the window's bottom-left corner, below the
/// pause list and clear of the window's middle, where the character stands.
class HistoryPlot
{
public:
    /// The plot's size at most, and the height below which it is not drawn (px).
    static constexpr int Width = 560;
    static constexpr int Height = 220;
    static constexpr int LeastHeight = 100;
    /// Gap between the plot and the window's edges, the pause list and the window's middle (px).
    static constexpr int Margin = 16;
    static constexpr int MiddleClearance = 60;

    /// Where the plot goes in a window of `windowSize` px, below `keepClear`
    /// (the pause list's panel); empty when there is no room for it.
    static sf::IntRect placeIn(sf::Vector2u windowSize, sf::FloatRect keepClear);

    /// Draws `history` into `where` of `target`, whose view must show one pixel
    /// per window pixel from (0, 0); without a font (`font` null), no lettering.
    /// Touches no pixel outside `where`; nothing for an empty `where`.
    static void draw(sf::RenderTarget& target, const sf::Font* font, const FightHistory& history, sf::IntRect where);
};
} // namespace tamrow
