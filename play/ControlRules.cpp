#include "play/ControlRules.hpp"

#include <algorithm>
#include <cmath>

namespace tamrow
{
std::int32_t recruitingCellOf(float coordinate)
{
    return static_cast<std::int32_t>(coordinate);
}

CellSpan spanOf(std::int32_t cell)
{
    // Truncation toward zero folds (-1, 0] and [0, 1) into cell 0.
    const float at = static_cast<float>(cell);
    if (cell > 0)
        return {at, at + 1.0f};
    if (cell < 0)
        return {at - 1.0f, at};
    return {-1.0f, 1.0f};
}

std::int32_t rampToward(std::int32_t speed, std::int32_t direction)
{
    if (direction < 0)
    {
        speed = std::min(speed, -WalkRampStart);
        return speed > -WalkTopSpeed ? speed - 1 : speed;
    }
    speed = std::max(speed, WalkRampStart);
    return speed < WalkTopSpeed ? speed + 1 : speed;
}

sf::Vector2f unzoomedViewSize(sf::Vector2u windowSize)
{
    return sf::Vector2f(std::max(static_cast<float>(windowSize.x), MinViewSide),
                        std::max(static_cast<float>(windowSize.y), MinViewSide));
}

sf::Vector2f zoomedViewSize(sf::Vector2f size, sf::Vector2f unzoomed, float factor)
{
    const float zoomedWidth = size.x * factor;
    const float widest = unzoomed.x * ZoomLimit;
    const float narrowest = unzoomed.x / ZoomLimit;
    if (factor > 1.0f && zoomedWidth > widest)
        return size.x < widest ? unzoomed * ZoomLimit : size;
    if (factor < 1.0f && zoomedWidth < narrowest)
        return size.x > narrowest ? unzoomed / ZoomLimit : size;
    // As sf::View::zoom scales: each side by the factor, in single precision.
    return sf::Vector2f(size.x * factor, size.y * factor);
}

bool withinRecruitingReach(b2Vec2 character, b2Vec2 other)
{
    // Differences in double: a parked body is 100 km away, too far for an int square.
    const double dx = recruitingCellOf(character.x) - recruitingCellOf(other.x);
    const double dy = recruitingCellOf(character.y) - recruitingCellOf(other.y);
    return std::sqrt(dx * dx + dy * dy) < RecruitRange;
}
} // namespace tamrow
