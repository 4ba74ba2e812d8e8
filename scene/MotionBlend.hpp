#pragma once

#include "city/City.hpp"

#include <SFML/System/Vector2.hpp>

#include <vector>

namespace tamrow
{
/// Where slow motion draws the people: between where they stood before the
/// last world step and where it left them, so that the frames between two
/// steps move on evenly instead of standing still. Drawing only: the sprites
/// are moved for a draw and put back after it, the bodies never touched.
class MotionBlend
{
public:
    /// Call right before a world step: keeps where everyone is drawn now.
    void keep(const City& city);
    /// Nothing kept: until the next keep, frames show exactly what was stepped
    /// to (after F5, or when the speed changes between two steps).
    void forget() { kept_.clear(); }
    bool holds() const { return !kept_.empty(); }

    /// Moves each sprite kept to `between` (0 to 1) of the way from where it
    /// was kept to where it is; newcomers since stay where they are.
    void place(City& city, float between);
    /// Puts back the sprites place() moved, to the positions the step gave them.
    void restore(City& city);

private:
    std::vector<sf::Vector2f> kept_;     ///< px, by actor index (actors are never removed)
    std::vector<sf::Vector2f> stepped_;  ///< px, what place() moved away from
};
} // namespace tamrow
