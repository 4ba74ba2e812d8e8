#pragma once

#include "play/Actions.hpp"

#include <SFML/Graphics/Font.hpp>
#include <SFML/Graphics/RectangleShape.hpp>
#include <SFML/Graphics/RenderTarget.hpp>
#include <SFML/Graphics/Text.hpp>

#include <vector>

namespace tamrow
{
/// What covers the frozen city while the game is paused: the window dimmed a
/// little and, on a panel of its own at the left, "Paused" and every action
/// with its keys in force, its pad button and what it does. The panel keeps
/// clear of the window's middle, where the character stands.
class PauseScreen
{
public:
    /// The panel stays this far (px) left of the window's middle.
    static constexpr float MiddleClearance = 60.0f;

    /// The panel and its texts in a window of `windowSize` px, measured around
    /// the texts' bounds, in the largest letters that keep it clear of the middle
    /// and inside the window (down to letters too small to shrink further).
    struct Layout
    {
        sf::RectangleShape panel;
        std::vector<sf::Text> texts;
    };
    static Layout lay(const sf::Font& font, const KeyNames& keys, sf::Vector2u windowSize);

    /// Draws over all of `target`, whose view must show one pixel per window
    /// pixel from (0, 0), and gives the list's panel. Without a font (`font`
    /// null) it only dims, and the panel is empty.
    static sf::FloatRect draw(sf::RenderTarget& target, const sf::Font* font, const KeyNames& keys);
};
} // namespace tamrow
