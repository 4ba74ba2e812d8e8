#pragma once

#include <SFML/Graphics/Color.hpp>

#include <array>

/// Each side's colour, by Faction value: the colours its people wear, as the
/// status panel writes their counts and the city map dots them.
const std::array<sf::Color, 3> SideColours = {sf::Color(225, 215, 170), sf::Color(240, 90, 60),
                                              sf::Color(90, 150, 255)};
