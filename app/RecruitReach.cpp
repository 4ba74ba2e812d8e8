#include "app/RecruitReach.hpp"

#include <cmath>

std::int32_t cellOf(float coordinate)
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

bool inRecruitReach(b2Vec2 character, b2Vec2 other)
{
    // Differences in double: a parked body is 100 km away, too far for an int square.
    const double dx = cellOf(character.x) - cellOf(other.x);
    const double dy = cellOf(character.y) - cellOf(other.y);
    return std::sqrt(dx * dx + dy * dy) < RecruitRange;
}
