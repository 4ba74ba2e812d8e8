#pragma once

#include "city/City.hpp"

#include <SFML/Graphics/RenderTarget.hpp>
#include <SFML/Graphics/View.hpp>

/// Centres `view` on the player's character's sprite as the last city update
/// placed it; keeps the centre when the city has nobody.
void centreOnCharacter(sf::View& view, const City& city);

/// Draws the city back to front into `target` with its current view: the map,
/// then every prop, then every actor, each in index order.
void drawScene(sf::RenderTarget& target, const City& city);
