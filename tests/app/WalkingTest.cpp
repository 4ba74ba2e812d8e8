// Walking the player's character with W, A, S and D: the speed ramp of each
// axis frame by frame, which key wins, and what the body is given each frame.

#include "support/GameFixture.hpp"

#include <algorithm>
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

/// Exactly `keys` held while the body is given `given`, one entry per frame.
struct Step
{
    std::vector<Key> keys;
    std::vector<Walk> given;
};

/// The ramp of one axis from frame 1: 11, 12, ... 20, then 20 for good.
std::vector<Walk> ramp(int frames, int sx, int sy)
{
    std::vector<Walk> walks;
    for (int frame = 1; frame <= frames; ++frame)
    {
        const int speed = std::min(10 + frame, 20);
        walks.push_back({sx * speed, sy * speed});
    }
    return walks;
}

class WalkingTest : public GameTest
{
protected:
    /// Plays `steps` in turn and compares, after each frame's input, the velocity given.
    void play(const std::vector<Step>& steps)
    {
        for (std::size_t s = 0; s < steps.size(); ++s)
        {
            releaseAll();
            for (const Key key : steps[s].keys)
                hold({key});
            std::vector<Walk> given;
            game.watch = [&](FramePart part) {
                if (part != FramePart::Camera)
                    return;
                const b2Vec2 velocity = city.actors[0].body->GetLinearVelocity();
                EXPECT_EQ(velocity.x, std::trunc(velocity.x)) << "whole metres per second";
                given.push_back({static_cast<int>(velocity.x), static_cast<int>(velocity.y)});
            };
            for (std::size_t frame = 0; frame < steps[s].given.size(); ++frame)
                game.runFrame();
            EXPECT_EQ(given, steps[s].given) << "step " << s;
        }
    }
};
} // namespace

TEST_F(WalkingTest, HeldKeysRampReverseCombineAndRelease)
{
    using K = sf::Keyboard;
    const Walk still{0, 0};
    const struct
    {
        const char* what;
        std::vector<Step> steps;
    } scripts[] = {
        {"each key ramps from 11 to 20 and holds",
         {{{K::W}, ramp(12, 0, -1)}, {{}, {still}}, {{K::S}, ramp(12, 0, 1)}, {{}, {still}},
          {{K::A}, ramp(12, -1, 0)}, {{}, {still}}, {{K::D}, ramp(12, 1, 0)}}},
        {"reversing starts again at 11, releasing stops at once",
         {{{K::W}, ramp(4, 0, -1)}, {{K::S}, ramp(3, 0, 1)}, {{K::D}, ramp(12, 1, 0)}, {{K::A}, ramp(2, -1, 0)},
          {{}, {still, still}}}},
        {"up and left win when both keys of an axis are held",
         {{{K::W, K::S}, ramp(3, 0, -1)}, {{K::A, K::D}, ramp(3, -1, 0)}, {{K::S, K::D}, ramp(2, 1, 1)},
          {{K::W, K::S, K::A, K::D}, ramp(2, -1, -1)}}},
        {"diagonals ramp both axes", {{{K::W, K::D}, ramp(11, 1, -1)}}},
        // The up step applies (moveX, moveY) before moveX is cleared.
        {"releasing A under W keeps the old sideways speed one frame",
         {{{K::W, K::A}, ramp(3, -1, -1)}, {{K::W}, {{-13, -14}, {0, -15}}}}},
        // Clearing moveY applies the velocity again, in the same frame.
        {"releasing W under A stops the vertical speed at once",
         {{{K::W, K::A}, ramp(3, -1, -1)}, {{K::A}, {{-14, 0}, {-15, 0}}}}},
        {"only WASD walk", {{{K::Up, K::Left, K::Z, K::X, K::Q, K::E}, {still, still, still}}}},
    };
    for (const auto& script : scripts)
    {
        SCOPED_TRACE(script.what);
        play({{{}, {still}}});  // from a standstill
        play(script.steps);
    }
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
            EXPECT_EQ(vertical ? game.moveY : game.moveX, row.to)
                << (vertical ? "moveY" : "moveX") << " from " << row.from << (row.first ? " first key" : "")
                << (row.second ? " second key" : "");
            EXPECT_EQ(vertical ? game.moveX : game.moveY, 0) << "the other axis stays still";
        }
    }
}
