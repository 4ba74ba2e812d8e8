// The game's icon for desktop menus: 128 x 128 px, the night-blue of the
// game's clear colour behind a hooligan, a police officer and, in front, the
// player's character, the three sides as the game shows them.

#include "Painters.hpp"

namespace tamrow
{
namespace
{

constexpr unsigned kIconSize = 128;
constexpr float kCornerRadius = 20.f;
const sf::Color kNightBlue = rgb(0x000032);
const sf::Color kStreetGrey = rgb(0x3a3d44);

} // namespace

Canvas paintIcon()
{
    Canvas icon(kIconSize, kIconSize);
    const Box whole = icon.bounds();
    icon.fillRoundRect(whole, kCornerRadius, kNightBlue);
    // A strip of street for them to stand on.
    icon.fillRoundRect(Box{whole.x0 + 8.f, 88.f, whole.x1 - 8.f, 120.f}, 10.f, kStreetGrey);
    // The figures are 60 x 110 px: the two sides behind, the player in front.
    icon.drawOver(paintHooligan(), 2, 6);
    icon.drawOver(paintPolice(), 66, 6);
    icon.drawOver(paintPlayer(), 34, 16);
    return icon;
}
} // namespace tamrow
