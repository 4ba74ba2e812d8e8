#pragma once

#include "city/City.hpp"

#include <cstddef>

namespace tamrow
{
/// Lays `deaths` corpses in `city` by the game's own death path. Each city
/// update brings a wave where waves arrive; its four newcomers are struck down
/// where they stand with Actor::attack, and the next update lays their corpses
/// and parks their bodies. The world is not stepped meanwhile, so nobody moves:
/// the dead lie spread over the streets exactly as waves spread people.
/// The player's character and the two founders live. Returns the updates run.
std::size_t layDeaths(City& city, std::size_t deaths);
} // namespace tamrow
