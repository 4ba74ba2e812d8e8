#include "hud/PeoplePointer.hpp"

#include "city/Units.hpp"
#include "hud/Palette.hpp"
#include "scene/Visibility.hpp"

#include <SFML/Graphics/ConvexShape.hpp>
#include <SFML/Graphics/Text.hpp>

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>

namespace tamrow
{
namespace
{
constexpr float ArrowLength = 30.0f;     ///< px from tip to base
constexpr float ArrowHalfWidth = 13.0f;  ///< px
constexpr float ArrowEdge = 2.0f;        ///< dark band round it (px)
constexpr unsigned DistanceSize = 16;    ///< px
constexpr float DistanceGap = 22.0f;     ///< px from the arrow's base to the distance's middle
const sf::Color ArrowEdgeColour(0, 0, 0, 200);

float lengthOf(sf::Vector2f v)
{
    return std::sqrt(v.x * v.x + v.y * v.y);
}
} // namespace

std::optional<Pointing> PeoplePointer::aim(const City& city, sf::FloatRect seen)
{
    if (city.actors.empty())
        return std::nullopt;
    const sf::Vector2f from = centreOf(city.actors[0].sprite);
    bool someoneInSight = false;
    std::optional<Pointing> nearest;
    std::optional<Pointing> nearestChasing;
    city.forEachOtherLiving([&](std::uint32_t i) {
        const Actor& person = city.actors[i];
        const sf::Vector2f to = centreOf(person.sprite);
        someoneInSight = someoneInSight || seen.contains(to);
        const sf::Vector2f apart = to - from;
        const float length = lengthOf(apart);
        const Pointing candidate{i, length > 0.0f ? apart / length : sf::Vector2f(1.0f, 0.0f),
                                 length / PixelsPerMeter};
        if (!nearest || candidate.metres < nearest->metres)
            nearest = candidate;
        if (person.state == ActorState::Chasing && (!nearestChasing || candidate.metres < nearestChasing->metres))
            nearestChasing = candidate;
    });
    if (someoneInSight)
        return std::nullopt;
    return nearestChasing ? nearestChasing : nearest;
}

sf::Vector2f PeoplePointer::tipIn(sf::Vector2u windowSize, sf::Vector2f direction, sf::IntRect keepClear)
{
    // From the middle along `direction` to the first side of the window less EdgeGap.
    const sf::Vector2f half(static_cast<float>(windowSize.x) / 2.0f, static_cast<float>(windowSize.y) / 2.0f);
    const float reachX = std::max(half.x - EdgeGap, 0.0f);
    const float reachY = std::max(half.y - EdgeGap, 0.0f);
    const float infinity = std::numeric_limits<float>::infinity();
    const float alongX = direction.x != 0.0f ? reachX / std::abs(direction.x) : infinity;
    const float alongY = direction.y != 0.0f ? reachY / std::abs(direction.y) : infinity;
    const float toEdge = std::min(alongX, alongY);
    if (keepClear.width == 0)
        return half + direction * toEdge;
    // The way in from the middle through the kept area's sides, grown by EdgeGap.
    const float low[] = {static_cast<float>(keepClear.left) - EdgeGap, static_cast<float>(keepClear.top) - EdgeGap};
    const float high[] = {static_cast<float>(keepClear.left + keepClear.width) + EdgeGap,
                          static_cast<float>(keepClear.top + keepClear.height) + EdgeGap};
    const float from[] = {half.x, half.y};
    const float way[] = {direction.x, direction.y};
    float enter = 0.0f;
    float leave = toEdge;
    for (int axis = 0; axis < 2; ++axis)
    {
        if (way[axis] == 0.0f)
        {
            if (from[axis] < low[axis] || from[axis] > high[axis])
                return half + direction * toEdge;
            continue;
        }
        const float first = (low[axis] - from[axis]) / way[axis];
        const float second = (high[axis] - from[axis]) / way[axis];
        enter = std::max(enter, std::min(first, second));
        leave = std::min(leave, std::max(first, second));
    }
    return half + direction * (enter <= leave ? enter : toEdge);
}

void PeoplePointer::draw(sf::RenderTarget& target, const sf::Font* font, const Pointing& pointing,
                         sf::IntRect keepClear)
{
    const sf::Vector2f tip = tipIn(target.getSize(), pointing.direction, keepClear);
    const sf::Vector2f across(-pointing.direction.y, pointing.direction.x);
    const sf::Vector2f base = tip - pointing.direction * ArrowLength;
    sf::ConvexShape arrow(3);
    arrow.setPoint(0, tip);
    arrow.setPoint(1, base + across * ArrowHalfWidth);
    arrow.setPoint(2, base - across * ArrowHalfWidth);
    arrow.setFillColor(CharacterMarkColour);
    arrow.setOutlineThickness(ArrowEdge);
    arrow.setOutlineColor(ArrowEdgeColour);
    target.draw(arrow);
    if (font == nullptr)
        return;
    sf::Text distance(std::to_string(static_cast<int>(std::lround(pointing.metres))) + " m", *font, DistanceSize);
    distance.setFillColor(CharacterMarkColour);
    distance.setOutlineColor(ArrowEdgeColour);
    distance.setOutlineThickness(ArrowEdge);
    const sf::FloatRect bounds = distance.getLocalBounds();
    const sf::Vector2f middle = base - pointing.direction * DistanceGap;
    // Kept whole inside the window, beside the arrow's base.
    const float left = std::clamp(middle.x - bounds.width / 2.0f, 0.0f,
                                  std::max(static_cast<float>(target.getSize().x) - bounds.width, 0.0f));
    const float top = std::clamp(middle.y - bounds.height / 2.0f, 0.0f,
                                 std::max(static_cast<float>(target.getSize().y) - bounds.height, 0.0f));
    distance.setPosition(std::round(left - bounds.left), std::round(top - bounds.top));
    target.draw(distance);
}
} // namespace tamrow
