#pragma once

#include "city/City.hpp"

#include <SFML/Graphics/Font.hpp>
#include <SFML/Graphics/Rect.hpp>
#include <SFML/Graphics/RenderTarget.hpp>

#include <cstdint>
#include <optional>

namespace tamrow
{
/// Whom the pointer points at and how far they are.
struct Pointing
{
    std::uint32_t person;    ///< index into the city's actors
    sf::Vector2f direction;  ///< from the character to them, of length 1
    float metres;            ///< between the middles of their pictures
};

/// An arrow at the window's edge that points from the character toward the
/// people when none is in the window: toward the nearest one in a chase while a
/// chase is on, else toward the nearest one alive. Reads the city, never writes it.
class PeoplePointer
{
public:
    /// Room between the arrow's tip and the window's edge (px).
    static constexpr float EdgeGap = 12.0f;

    /// Where to point with the window showing `seen` of the city (px): nothing
    /// while anyone alive but the character stands in it, or nobody else lives.
    static std::optional<Pointing> aim(const City& city, sf::FloatRect seen);

    /// Draws the arrow for `pointing` into `target`, whose view must show one
    /// pixel per window pixel from (0, 0), the character at the window's middle,
    /// short of `keepClear` (the city map, or empty); the distance in metres
    /// beside it when `font` is given.
    static void draw(sf::RenderTarget& target, const sf::Font* font, const Pointing& pointing,
                     sf::IntRect keepClear);

    /// Where the arrow's tip stands in a window of `windowSize` px: EdgeGap
    /// inside the window's edge, or where the way there first comes within
    /// EdgeGap of `keepClear`.
    static sf::Vector2f tipIn(sf::Vector2u windowSize, sf::Vector2f direction, sf::IntRect keepClear);
};
} // namespace tamrow
