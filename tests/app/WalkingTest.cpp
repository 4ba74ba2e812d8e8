// Walking the player's character with W, A, S and D: the speed ramp of each
// axis frame by frame, which key wins, and what the body is given each frame.

#include "support/GameFixture.hpp"

#include <cmath>
#include <string>
#include <vector>

namespace
{
using Key = sf::Keyboard::Key;

/// The velocity the character's body was given (m/s), as whole numbers.
struct Walk
{
    int x;
    int y;
    bool operator==(const Walk& other) const { return x == other.x && y == other.y; }
};

std::ostream& operator<<(std::ostream& out, const Walk& walk)
{
    return out << "(" << walk.x << ", " << walk.y << ")";
}

class WalkingTest : public GameTest
{
protected:
    /// Holds exactly `keys` for `frames` frames; after each frame's input, notes
    /// the velocity the character's body has been given.
    std::vector<Walk> walk(std::initializer_list<Key> keys, int frames)
    {
        releaseAll();
        hold(keys);
        std::vector<Walk> given;
        for (int frame = 0; frame < frames; ++frame)
        {
            game.handleInput();
            const b2Vec2 velocity = city.actors[0].body->GetLinearVelocity();
            // Whole metres per second, straight from the integer ramp.
            EXPECT_EQ(velocity.x, std::trunc(velocity.x));
            EXPECT_EQ(velocity.y, std::trunc(velocity.y));
            given.push_back({static_cast<int>(velocity.x), static_cast<int>(velocity.y)});
            game.runFrame();
        }
        return given;
    }
};

/// The ramp of one axis: 11, 12, ... 20, then 20 for good, with `sign`.
std::vector<int> ramp(int sign, int frames)
{
    std::vector<int> speeds;
    for (int frame = 1; frame <= frames; ++frame)
        speeds.push_back(sign * std::min(10 + frame, 20));
    return speeds;
}

std::vector<Walk> alongX(const std::vector<int>& speeds)
{
    std::vector<Walk> walks;
    for (int speed : speeds)
        walks.push_back({speed, 0});
    return walks;
}

std::vector<Walk> alongY(const std::vector<int>& speeds)
{
    std::vector<Walk> walks;
    for (int speed : speeds)
        walks.push_back({0, speed});
    return walks;
}
} // namespace

TEST_F(WalkingTest, EachKeyRampsFromElevenToTwentyAndHolds)
{
    EXPECT_EQ(walk({sf::Keyboard::W}, 12), alongY(ramp(-1, 12))) << "W walks up the screen";
    EXPECT_EQ(walk({}, 1), (std::vector<Walk>{{0, 0}}));
    EXPECT_EQ(walk({sf::Keyboard::S}, 12), alongY(ramp(+1, 12))) << "S walks down";
    EXPECT_EQ(walk({}, 1), (std::vector<Walk>{{0, 0}}));
    EXPECT_EQ(walk({sf::Keyboard::A}, 12), alongX(ramp(-1, 12))) << "A walks left";
    EXPECT_EQ(walk({}, 1), (std::vector<Walk>{{0, 0}}));
    EXPECT_EQ(walk({sf::Keyboard::D}, 12), alongX(ramp(+1, 12))) << "D walks right";
    EXPECT_EQ(game.moveX, 20);
    EXPECT_EQ(game.moveY, 0);
}

TEST_F(WalkingTest, ReversingStartsAgainAtElevenAndReleasingStopsAtOnce)
{
    EXPECT_EQ(walk({sf::Keyboard::W}, 4), alongY({-11, -12, -13, -14}));
    EXPECT_EQ(walk({sf::Keyboard::S}, 3), alongY({11, 12, 13}));
    EXPECT_EQ(walk({sf::Keyboard::W}, 2), alongY({-11, -12}));
    EXPECT_EQ(walk({}, 2), alongY({0, 0}));
    EXPECT_EQ(game.moveY, 0);

    EXPECT_EQ(walk({sf::Keyboard::D}, 12), alongX(ramp(+1, 12)));
    EXPECT_EQ(walk({sf::Keyboard::A}, 2), alongX({-11, -12})) << "from top speed too";
    EXPECT_EQ(walk({}, 1), alongX({0}));
    EXPECT_EQ(game.moveX, 0);
    // Stopped means stopped: the body is not drifting on.
    const b2Vec2 before = city.actors[0].body->GetPosition();
    walk({}, 3);
    EXPECT_EQ(city.actors[0].body->GetPosition(), before);
}

TEST_F(WalkingTest, WhenBothKeysOfAnAxisAreHeldUpAndLeftWin)
{
    EXPECT_EQ(walk({sf::Keyboard::W, sf::Keyboard::S}, 3), alongY({-11, -12, -13}));
    EXPECT_EQ(walk({sf::Keyboard::A, sf::Keyboard::D}, 3), alongX({-11, -12, -13}));
    // Already walking down or right: holding the other key too turns round.
    EXPECT_EQ(walk({sf::Keyboard::S, sf::Keyboard::D}, 2), (std::vector<Walk>{{11, 11}, {12, 12}}));
    EXPECT_EQ(walk({sf::Keyboard::W, sf::Keyboard::S, sf::Keyboard::A, sf::Keyboard::D}, 2),
              (std::vector<Walk>{{-11, -11}, {-12, -12}}));
}

TEST_F(WalkingTest, DiagonalWalkRampsBothAxes)
{
    const std::vector<Walk> upRight = walk({sf::Keyboard::W, sf::Keyboard::D}, 11);
    for (std::size_t frame = 0; frame < upRight.size(); ++frame)
    {
        const int speed = std::min(11 + static_cast<int>(frame), 20);
        EXPECT_EQ(upRight[frame], (Walk{speed, -speed})) << "frame " << frame + 1;
    }
}

TEST_F(WalkingTest, ReleasingAWhileWStaysHeldKeepsTheOldSidewaysSpeedForOneFrame)
{
    EXPECT_EQ(walk({sf::Keyboard::W, sf::Keyboard::A}, 3), (std::vector<Walk>{{-11, -11}, {-12, -12}, {-13, -13}}));
    // The up step applies (moveX, moveY) before moveX is cleared.
    EXPECT_EQ(walk({sf::Keyboard::W}, 2), (std::vector<Walk>{{-13, -14}, {0, -15}}));
    EXPECT_EQ(game.moveX, 0);
}

TEST_F(WalkingTest, ReleasingWWhileAStaysHeldStopsTheVerticalSpeedAtOnce)
{
    EXPECT_EQ(walk({sf::Keyboard::W, sf::Keyboard::A}, 3), (std::vector<Walk>{{-11, -11}, {-12, -12}, {-13, -13}}));
    // Clearing moveY applies the velocity again, in the same frame.
    EXPECT_EQ(walk({sf::Keyboard::A}, 2), (std::vector<Walk>{{-14, 0}, {-15, 0}}));
    EXPECT_EQ(game.moveY, 0);
}

TEST_F(WalkingTest, EveryRowOfTheRampTableOnBothAxes)
{
    struct Row
    {
        int from;
        bool first;   // W or A held
        bool second;  // S or D held
        int to;
    };
    const Row rows[] = {
        {0, true, false, -11},   {-11, true, false, -12},  {-19, true, false, -20}, {-20, true, false, -20},
        {11, true, false, -11},  {20, true, false, -11},   {0, false, true, 11},    {-11, false, true, 11},
        {-20, false, true, 11},  {11, false, true, 12},    {19, false, true, 20},   {20, false, true, 20},
        {-17, false, false, 0},  {17, false, false, 0},    {0, false, false, 0},    {15, true, true, -11},
        {-15, true, true, -16},  {-20, true, true, -20},
    };
    for (const Row& row : rows)
    {
        for (const bool vertical : {true, false})
        {
            releaseAll();
            if (row.first)
                hold({vertical ? sf::Keyboard::W : sf::Keyboard::A});
            if (row.second)
                hold({vertical ? sf::Keyboard::S : sf::Keyboard::D});
            (vertical ? game.moveY : game.moveX) = row.from;
            game.handleInput();
            const std::string axis = vertical ? "moveY" : "moveX";
            EXPECT_EQ(vertical ? game.moveY : game.moveX, row.to)
                << axis << " from " << row.from << (row.first ? " first key" : "") << (row.second ? " second key" : "");
            EXPECT_EQ(vertical ? game.moveX : game.moveY, 0) << "the other axis stays still";
        }
    }
}

TEST_F(WalkingTest, OnlyWASDWalk)
{
    const std::vector<Walk> still(3, Walk{0, 0});
    EXPECT_EQ(walk({sf::Keyboard::Up, sf::Keyboard::Left}, 3), still);
    EXPECT_EQ(walk({sf::Keyboard::Z, sf::Keyboard::X, sf::Keyboard::Q, sf::Keyboard::E}, 3), still);
    EXPECT_EQ(city.actors[0].body->GetPosition(), b2Vec2(60.0f, 30.0f));
}
