#pragma once

#include "city/City.hpp"
#include "scene/PropIndex.hpp"

#include <SFML/Graphics/Color.hpp>
#include <SFML/Graphics/RenderTarget.hpp>
#include <SFML/Graphics/Vertex.hpp>
#include <SFML/Graphics/View.hpp>

#include <cstdint>
#include <vector>

namespace tamrow
{
/// What shows where nothing is drawn: a night-blue.
const sf::Color ClearColour(0, 0, 50, 255);

/// Centres `view` on the player's character's sprite as the last city update
/// placed it; keeps the centre when the city has nobody.
void centreOnCharacter(sf::View& view, const City& city);

/// Draws the city back to front: the map, then every prop, then every actor,
/// each in index order. Later draws cover earlier ones, the only layering there
/// is. The pixels are those of drawing every sprite one by one; what cannot
/// change a pixel is passed by, and the props in view go out a few draws in all.
class Scene
{
public:
    /// Draws into `target` with its current view; `target` must have been
    /// cleared to ClearColour this frame and the props synchronised.
    void draw(sf::RenderTarget& target, const City& city);

    /// Draws `trailing`, a city without images that is passing again through
    /// the states `live`'s game passed through, as `live` showed it then: the
    /// map and the props are `live`'s own (a city's props are only ever added,
    /// and placed once), each person dressed in `live`'s texture of their image
    /// for this one draw. No image is copied. Call on the scene that draws
    /// `live`, after it has drawn `live` at least once since its last prop.
    void drawTrailing(sf::RenderTarget& target, const City& trailing, const City& live);

private:
    /// The first `count` props of `city` in `seen` (px), one draw per run of
    /// the same layer and texture.
    void drawProps(sf::RenderTarget& target, const City& city, std::size_t count, const sf::FloatRect& seen);

    PropIndex propIndex_;
    std::vector<std::uint32_t> inView_;  ///< kept between frames for its capacity
    std::vector<sf::Vertex> quads_;      ///< likewise
};
} // namespace tamrow
