#pragma once

#include "city/City.hpp"

#include <SFML/Graphics/RenderTarget.hpp>
#include <SFML/Graphics/RenderTexture.hpp>
#include <SFML/Graphics/View.hpp>

#include <cstddef>

/// The map and the props, as the current view shows them, kept in an off-screen
/// picture between frames. Props never move once placed and each new one is
/// drawn over all before it, so while the camera stands still the picture only
/// needs the props added since; a street covered in corpses then costs one copy
/// of the picture a frame instead of a draw per corpse. The pixels are the same
/// as drawing everything straight: same draws, same order, copied one to one.
class GroundLayer
{
public:
    /// Draws the map and every prop that shows, in index order, with `target`'s
    /// current view. `target` must have been cleared to `clearColour` this frame.
    void draw(sf::RenderTarget& target, const City& city, const sf::Color& clearColour);

private:
    /// Whether `view` on a target of `size` is what the last frame showed.
    bool sameShot(const sf::View& view, sf::Vector2u size) const;
    /// Redraws the picture whole; false when no picture of that size can be made.
    bool repaint(const sf::View& view, sf::Vector2u size, const City& city, const sf::Color& clearColour);
    void copyInto(sf::RenderTarget& target) const;

    sf::RenderTexture picture;
    sf::View lastView;           ///< the view of the last frame drawn
    sf::Vector2u lastSize;       ///< the target size of the last frame drawn (px)
    bool pictureValid = false;   ///< the picture shows lastView with propsShown props
    std::size_t propsShown = 0;
};
