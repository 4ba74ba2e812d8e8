// The arithmetic rules of play, without a window: the walking ramp, the zoom, the reach.
#include "play/ControlRules.hpp"

#include <gtest/gtest.h>

#include <tuple>

namespace tamrow
{
namespace
{
TEST(ControlRules, TheWalkingRampStartsAtElevenGainsOneAndTopsAtTwenty)
{
    // {speed before, direction, speed after}
    const std::int32_t rows[][3] = {{0, 1, 11}, {0, -1, -11}, {11, 1, 12}, {19, 1, 20}, {20, 1, 20},
                                    {-19, -1, -20}, {-20, -1, -20}, {15, -1, -11}, {-15, 1, 11}, {10, 1, 11}};
    for (const auto& row : rows)
        EXPECT_EQ(rampToward(row[0], row[1]), row[2]) << row[0] << " toward " << row[1];
}

TEST(ControlRules, ZoomStepsStopOnEightTimesEitherWayKeepingTheAspect)
{
    const sf::Vector2f window(1600.0f, 900.0f);
    // {view size, factor, view size after}
    const std::tuple<sf::Vector2f, float, sf::Vector2f> rows[] = {
        {window, ZoomOutFactor, {1600.0f * 1.1f, 900.0f * 1.1f}},
        {window, ZoomInFactor, {1600.0f * 0.9f, 900.0f * 0.9f}},
        {{12000.0f, 6750.0f}, ZoomOutFactor, {12800.0f, 7200.0f}},  // would pass the bound: stops on it
        {{12800.0f, 7200.0f}, ZoomOutFactor, {12800.0f, 7200.0f}},
        {{12800.0f, 7200.0f}, ZoomInFactor, {12800.0f * 0.9f, 7200.0f * 0.9f}},
        {{210.0f, 118.0f}, ZoomInFactor, {200.0f, 112.5f}},
        {{200.0f, 112.5f}, ZoomInFactor, {200.0f, 112.5f}},
        {{150.0f, 80.0f}, ZoomInFactor, {150.0f, 80.0f}},  // already past: stays
    };
    for (const auto& [size, factor, expected] : rows)
    {
        const sf::Vector2f after = zoomedViewSize(size, window, factor);
        EXPECT_EQ(after, expected) << size.x << " by " << factor << " gave " << after.x << " x " << after.y;
    }
    EXPECT_EQ(zoomedViewSize({1.0f, 1.0f}, unzoomedViewSize({1, 1}), 1.5f), sf::Vector2f(1.5f, 1.5f));
    EXPECT_EQ(unzoomedViewSize({0, 900}), sf::Vector2f(MinViewSide, 900.0f)) << "never a zero side";
    EXPECT_EQ(unzoomedViewSize({1600, 0}), sf::Vector2f(1600.0f, MinViewSide));
}

TEST(ControlRules, TheOutlinedReachCellsHoldExactlyThoseRecruited)
{
    // Round cell 0, which is two metres wide, and well away from it; points off the cells' edges.
    // The nine cells make one block, from the first's low edge to the last's high edge.
    for (const b2Vec2 character : {b2Vec2(0.5f, -0.5f), b2Vec2(1.5f, 2.5f), b2Vec2(-40.5f, 30.5f)})
        for (float dx = -3.875f; dx < 4.0f; dx += 0.25f)
            for (float dy = -3.875f; dy < 4.0f; dy += 0.25f)
            {
                const b2Vec2 other(character.x + dx, character.y + dy);
                const bool outlined = spanOf(recruitingCellOf(character.x) - 1).low < other.x &&
                                      other.x < spanOf(recruitingCellOf(character.x) + 1).high &&
                                      spanOf(recruitingCellOf(character.y) - 1).low < other.y &&
                                      other.y < spanOf(recruitingCellOf(character.y) + 1).high;
                EXPECT_EQ(withinRecruitingReach(character, other), outlined) << other.x << ", " << other.y;
            }
}
} // namespace
} // namespace tamrow
