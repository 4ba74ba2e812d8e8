#include "app/Scene.hpp"

#include "app/Visibility.hpp"
#include "city/Units.hpp"

namespace
{
/// How near the view must come to ParkPosition (px) before the parked dead, who
/// are not on the street, could show: more than any sprite of the game measures.
constexpr float ParkReach = 8192.0f;

bool parkInSight(const sf::FloatRect& seen)
{
    const sf::Vector2f park(ParkPosition.x * PixelsPerMeter, ParkPosition.y * PixelsPerMeter);
    return seen.intersects(sf::FloatRect(park.x - ParkReach, park.y - ParkReach,
                                         2.0f * ParkReach, 2.0f * ParkReach));
}
} // namespace

void centreOnCharacter(sf::View& view, const City& city)
{
    if (!city.actors.empty())
        view.setCenter(city.actors[0].sprite.getPosition());
}

void Scene::draw(sf::RenderTarget& target, const City& city)
{
    ground.draw(target, city, ClearColour);
    const sf::FloatRect seen = seenArea(target.getView());
    if (parkInSight(seen))
    {
        for (const Actor& actor : city.actors)
            drawIfShown(target, actor.sprite, seen);
        return;
    }
    for (const std::uint32_t i : city.onStreet)
        drawIfShown(target, city.actors[i].sprite, seen);
}
