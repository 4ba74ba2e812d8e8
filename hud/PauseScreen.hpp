#pragma once

#include <SFML/Graphics/Font.hpp>
#include <SFML/Graphics/RenderTarget.hpp>

/// What covers the frozen city while the game is paused: the whole window
/// dimmed, "Paused" and the controls listed.
class PauseScreen
{
public:
    /// Draws over all of `target`, whose view must show one pixel per window
    /// pixel from (0, 0). Without a font (`font` null) it only dims.
    static void draw(sf::RenderTarget& target, const sf::Font* font);
};
