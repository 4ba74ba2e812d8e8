#include "scene/Visibility.hpp"

namespace tamrow
{
namespace
{
/// Extra room around the view (px).
constexpr float ViewMargin = 2.0f;
} // namespace

sf::Vector2f centreOf(const sf::Sprite& sprite)
{
    const sf::FloatRect bounds = sprite.getGlobalBounds();
    return sf::Vector2f(bounds.left + bounds.width / 2.0f, bounds.top + bounds.height / 2.0f);
}

sf::FloatRect seenArea(const sf::View& view)
{
    const sf::Vector2f size = view.getSize();
    const sf::Vector2f centre = view.getCenter();
    return sf::FloatRect(centre.x - size.x / 2.0f - ViewMargin, centre.y - size.y / 2.0f - ViewMargin,
                         size.x + 2.0f * ViewMargin, size.y + 2.0f * ViewMargin);
}

bool showsIn(const sf::Sprite& sprite, const sf::FloatRect& seen)
{
    const sf::FloatRect bounds = sprite.getGlobalBounds();
    return bounds.width > 0.0f && bounds.height > 0.0f && bounds.intersects(seen);
}

void drawIfShown(sf::RenderTarget& target, const sf::Sprite& sprite, const sf::FloatRect& seen)
{
    if (showsIn(sprite, seen))
        target.draw(sprite, sf::RenderStates::Default);
}
} // namespace tamrow
