#include "app/Scene.hpp"

#include "city/Units.hpp"

namespace
{
/// Extra room around the view (px) so that rounding never hides a sprite that
/// touches the view's edge.
constexpr float ViewMargin = 2.0f;
/// How near the view must come to ParkPosition (px) before the parked dead, who
/// are not on the street, could show: more than any sprite of the game measures.
constexpr float ParkReach = 8192.0f;

/// The part of the world that `view` shows (px); views are never rotated.
sf::FloatRect seenArea(const sf::View& view)
{
    const sf::Vector2f size = view.getSize();
    const sf::Vector2f centre = view.getCenter();
    return sf::FloatRect(centre.x - size.x / 2.0f - ViewMargin, centre.y - size.y / 2.0f - ViewMargin,
                         size.x + 2.0f * ViewMargin, size.y + 2.0f * ViewMargin);
}

/// False for a sprite that would leave every pixel as it is: an empty or
/// zero-scaled image (the walls), or one wholly outside `seen`.
bool showsIn(const sf::Sprite& sprite, const sf::FloatRect& seen)
{
    const sf::FloatRect bounds = sprite.getGlobalBounds();
    return bounds.width > 0.0f && bounds.height > 0.0f && bounds.intersects(seen);
}

bool parkInSight(const sf::FloatRect& seen)
{
    const sf::Vector2f park(ParkPosition.x * PixelsPerMeter, ParkPosition.y * PixelsPerMeter);
    return seen.intersects(sf::FloatRect(park.x - ParkReach, park.y - ParkReach,
                                         2.0f * ParkReach, 2.0f * ParkReach));
}

void drawIfShown(sf::RenderTarget& target, const sf::Sprite& sprite, const sf::FloatRect& seen)
{
    if (showsIn(sprite, seen))
        target.draw(sprite, sf::RenderStates::Default);
}
} // namespace

void centreOnCharacter(sf::View& view, const City& city)
{
    if (!city.actors.empty())
        view.setCenter(city.actors[0].sprite.getPosition());
}

void drawScene(sf::RenderTarget& target, const City& city)
{
    // Later draws cover earlier ones: that is the only layering there is. What
    // cannot change a pixel is passed by; what shows keeps its order.
    const sf::FloatRect seen = seenArea(target.getView());
    drawIfShown(target, city.map.sprite, seen);
    for (const Prop& prop : city.props)
        drawIfShown(target, prop.sprite, seen);
    if (parkInSight(seen))
    {
        for (const Actor& actor : city.actors)
            drawIfShown(target, actor.sprite, seen);
        return;
    }
    for (const std::uint32_t i : city.onStreet)
        drawIfShown(target, city.actors[i].sprite, seen);
}
