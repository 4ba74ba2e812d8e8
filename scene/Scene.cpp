#include "scene/Scene.hpp"

#include "city/Units.hpp"
#include "scene/Visibility.hpp"

#include <algorithm>
#include <functional>

namespace tamrow
{
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

/// Appends `sprite` as two triangles with the very vertices SFML draws it with:
/// its four corners taken through its transform on the CPU, its texture
/// rectangle, its colour, in the order of its triangle strip. Same vertices,
/// same order: the same fragments.
void appendSprite(std::vector<sf::Vertex>& quads_, const sf::Sprite& sprite)
{
    const sf::FloatRect local = sprite.getLocalBounds();
    const sf::IntRect rect = sprite.getTextureRect();
    const float left = static_cast<float>(rect.left);
    const float top = static_cast<float>(rect.top);
    const float right = left + static_cast<float>(rect.width);
    const float bottom = top + static_cast<float>(rect.height);
    const sf::Transform& transform = sprite.getTransform();
    const sf::Color colour = sprite.getColor();
    const sf::Vertex strip[4] = {
        sf::Vertex(transform.transformPoint(0.0f, 0.0f), colour, sf::Vector2f(left, top)),
        sf::Vertex(transform.transformPoint(0.0f, local.height), colour, sf::Vector2f(left, bottom)),
        sf::Vertex(transform.transformPoint(local.width, 0.0f), colour, sf::Vector2f(right, top)),
        sf::Vertex(transform.transformPoint(local.width, local.height), colour, sf::Vector2f(right, bottom)),
    };
    // A strip's second triangle is (2, 1, 3): its first with the winding kept.
    for (const int corner : {0, 1, 2, 2, 1, 3})
        quads_.push_back(strip[corner]);
}
} // namespace

void centreOnCharacter(sf::View& view, const City& city)
{
    if (!city.actors.empty())
        view.setCenter(city.actors[0].sprite.getPosition());
}

void Scene::draw(sf::RenderTarget& target, const City& city)
{
    const sf::FloatRect seen = seenArea(target.getView());
    drawIfShown(target, city.map.sprite, seen);
    drawProps(target, city, city.props.size(), seen);
    if (parkInSight(seen))
    {
        for (const Actor& actor : city.actors)
            drawIfShown(target, actor.sprite, seen);
        return;
    }
    for (const std::uint32_t i : city.onStreet)
        drawIfShown(target, city.actors[i].sprite, seen);
}

void Scene::drawTrailing(sf::RenderTarget& target, const City& trailing, const City& live)
{
    const sf::FloatRect seen = seenArea(target.getView());
    drawIfShown(target, live.map.sprite, seen);
    drawProps(target, live, trailing.propsPlaced, seen);
    // A person's texture rectangle is that of the image it was first dressed
    // in, kept through every change of side: the live twin's, whatever it wears now.
    const auto drawPerson = [&](std::uint32_t i) {
        sf::Sprite dressed = trailing.actors[i].sprite;
        if (!live.textures.empty())
        {
            dressed.setTexture(live.texture(trailing.actors[i].image));
            dressed.setTextureRect(live.actors[i].sprite.getTextureRect());
        }
        drawIfShown(target, dressed, seen);
    };
    if (parkInSight(seen))
    {
        for (std::uint32_t i = 0; i < trailing.actors.size(); ++i)
            drawPerson(i);
        return;
    }
    for (const std::uint32_t i : trailing.onStreet)
        drawPerson(i);
}

void Scene::drawProps(sf::RenderTarget& target, const City& city, std::size_t count, const sf::FloatRect& seen)
{
    propIndex_.catchUp(city.props);
    propIndex_.find(seen, inView_);
    // The index only grows: props after the first `count` are not there yet.
    inView_.erase(std::remove_if(inView_.begin(), inView_.end(), [count](std::uint32_t i) { return i >= count; }),
                  inView_.end());
    // Stable: within a layer and texture the props stay in index order.
    std::stable_sort(inView_.begin(), inView_.end(), [this](std::uint32_t a, std::uint32_t b) {
        const std::uint32_t layerA = propIndex_.layer(a);
        const std::uint32_t layerB = propIndex_.layer(b);
        return layerA != layerB ? layerA < layerB
                                : std::less<const sf::Texture*>()(propIndex_.texture(a), propIndex_.texture(b));
    });
    for (std::size_t first = 0; first < inView_.size();)
    {
        const std::uint32_t lead = inView_[first];
        quads_.clear();
        std::size_t next = first;
        for (; next < inView_.size() && propIndex_.layer(inView_[next]) == propIndex_.layer(lead) &&
             propIndex_.texture(inView_[next]) == propIndex_.texture(lead);
             ++next)
            appendSprite(quads_, city.props[inView_[next]].sprite);
        target.draw(quads_.data(), quads_.size(), sf::Triangles, sf::RenderStates(propIndex_.texture(lead)));
        first = next;
    }
}
} // namespace tamrow
