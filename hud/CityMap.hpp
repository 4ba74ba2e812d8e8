#pragma once

#include "city/City.hpp"

#include <SFML/Graphics/Rect.hpp>
#include <SFML/Graphics/RenderTarget.hpp>
#include <SFML/Graphics/Texture.hpp>

#include <vector>

namespace tamrow
{
/// The whole city in small, in the window's bottom-right corner: the map picture
/// scaled down once, every living person on the street as a dot in their side's
/// colour, the character as a larger yellow dot, a fresh death as a white mark
/// and the part of the city the window shows as an outline. One window pixel per
/// view pixel, the same size at any zoom and window size. Reads the city, never
/// writes it.
class CityMap
{
public:
    /// The city's extent (px): the map picture at MapScale.
    static constexpr float CityWidth = static_cast<float>(MapImageWidth) * MapScale;
    static constexpr float CityHeight = static_cast<float>(MapImageHeight) * MapScale;
    /// The map's size on screen (window px): a fifth of the 1600 px window's
    /// width, in the city's proportions.
    static constexpr unsigned Width = 320;
    static constexpr unsigned Height = 133;
    /// Gap between the map and the window's bottom and right edges (px).
    static constexpr unsigned Margin = 8;
    /// Window px per city px.
    static constexpr float Scale = static_cast<float>(Width) / CityWidth;

    /// Scales `city`'s map picture down to Width x Height once, averaging every
    /// image pixel it covers; a city without images gets a plain dark ground.
    explicit CityMap(const City& city);

    /// Where the map goes in a window of `windowSize` px; empty when the window is
    /// too small to keep it clear of `keepClear` (the status panel, or empty) and
    /// of the window's centre, where the character stands.
    static sf::IntRect placeIn(sf::Vector2u windowSize, sf::IntRect keepClear);

    /// Where city point `cityPx` (px) lies on a map placed at `where` (window px).
    static sf::Vector2f toWindow(sf::Vector2f cityPx, sf::IntRect where);
    /// The city point (px) at window point `windowPx` of a map placed at `where`.
    static sf::Vector2f toCity(sf::Vector2f windowPx, sf::IntRect where);

    /// Draws the map at `where` into `target`, whose view must show one pixel per
    /// window pixel from (0, 0): `seen` is the part of the city in the window
    /// (px) and `freshDeaths` the places (px) of deaths still marked, with how
    /// much of their mark is left (0 to 1). Touches no pixel outside `where`.
    void draw(sf::RenderTarget& target, const City& city, sf::FloatRect seen,
              const std::vector<std::pair<sf::Vector2f, float>>& freshDeaths, sf::IntRect where) const;

private:
    sf::Texture ground_;  ///< the map picture, Width x Height px
};
} // namespace tamrow
