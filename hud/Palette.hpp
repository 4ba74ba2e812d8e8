#pragma once

#include <SFML/Graphics/Color.hpp>

#include <array>

namespace tamrow
{
// Every colour that more than one thing drawn over the city speaks in.

/// The character's yellow: the ring round the character, its dot on the city
/// map, the pointer toward the people and the help card's edge.
const sf::Color CharacterMarkColour(255, 210, 26);

/// Lettering on the dark panels: the status panel, the pause screen and the help card.
const sf::Color Lettering(235, 235, 235);

/// Each side's colour, by Faction value: the colours its people wear, as the
/// status panel writes their counts and the city map dots them.
const std::array<sf::Color, 3> SideColours = {sf::Color(225, 215, 170), sf::Color(240, 90, 60),
                                              sf::Color(90, 150, 255)};
/// The two striking sides' colours over the fight, where a ring a few pixels
/// thin lies on street and roof: hooligans redder and police deeper blue than
/// they wear, so neither reads as the other or as the ground. The reviewed
/// pictures hold both shades; making them one would change those pixels.
const sf::Color HooliganMarkColour(240, 40, 40);
const sf::Color PoliceMarkColour(70, 150, 255);
} // namespace tamrow
