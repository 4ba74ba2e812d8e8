#pragma once

#include "city/City.hpp"

#include <SFML/Graphics/RenderTarget.hpp>

namespace tamrow
{
// The straightforward frame the game's own is measured and checked against:
// every sprite drawn, every actor ever spawned visited. Same pixels, same game,
// a cost that grows with every death.

/// Draws the map, every prop and every actor, on screen or not, in index order.
void drawEverySprite(sf::RenderTarget& target, const City& city);

/// Puts every actor ever spawned back on the street and every prop up for
/// placing, so the next update and prop sync visit them all as plain loops would.
void visitEveryone(City& city);
} // namespace tamrow
