#pragma once

#include <SFML/Graphics/Rect.hpp>
#include <SFML/Graphics/RenderTarget.hpp>
#include <SFML/Graphics/Sprite.hpp>
#include <SFML/Graphics/View.hpp>

namespace tamrow
{
/// Where a sprite is seen (px): the middle of its picture, or its corner when
/// it shows no image.
sf::Vector2f centreOf(const sf::Sprite& sprite);

/// The part of the world that `view` shows (px), with a little room around it
/// so that rounding never hides a sprite touching the edge. Views are never rotated.
sf::FloatRect seenArea(const sf::View& view);

/// False for a sprite that would leave every pixel as it is: an empty or
/// zero-scaled image (the walls), or one wholly outside `seen`.
bool showsIn(const sf::Sprite& sprite, const sf::FloatRect& seen);

/// Draws `sprite` with the default render states unless it cannot show.
void drawIfShown(sf::RenderTarget& target, const sf::Sprite& sprite, const sf::FloatRect& seen);
} // namespace tamrow
