#pragma once

#include "app/GroundLayer.hpp"
#include "city/City.hpp"

#include <SFML/Graphics/Color.hpp>
#include <SFML/Graphics/RenderTarget.hpp>
#include <SFML/Graphics/View.hpp>

/// What shows where nothing is drawn: a night-blue.
const sf::Color ClearColour(0, 0, 50, 255);

/// Centres `view` on the player's character's sprite as the last city update
/// placed it; keeps the centre when the city has nobody.
void centreOnCharacter(sf::View& view, const City& city);

/// Draws the city back to front: the map, then every prop, then every actor,
/// each in index order. Later draws cover earlier ones, the only layering there
/// is. Sprites that cannot change a pixel are passed by, and the map and props
/// are kept between frames while the camera rests (GroundLayer).
class Scene
{
public:
    /// Draws into `target` with its current view; `target` must have been
    /// cleared to ClearColour this frame.
    void draw(sf::RenderTarget& target, const City& city);

private:
    GroundLayer ground;
};
