#pragma once

#include "city/Units.hpp"
#include "support/TestCity.hpp"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <vector>

/// Open ground well inside the walls, 50 m from the player's character at (60, 30) m,
/// where the street-life tests stage their people.
constexpr float StageX = 100.0f;
constexpr float StageY = 60.0f;

/// The counter a staged street starts with: far above the limit, so no wave
/// arrives, not even after a few deaths.
constexpr std::int32_t QuietPopulation = 100;

/// A real city with the two outside founders taken off the street (moved far away
/// and disabled, as the dead are, but alive) and the counter at QuietPopulation: each test
/// places exactly the people it needs at exact metres. The player's character
/// stays at (60, 30) m as index 0; people placed here get indices 3, 4, ...
class StreetTest : public ::testing::Test
{
protected:
    StreetTest();

    /// Spawns a person of `side` with its side's image and puts its body at (x, y) m.
    /// Returns its index.
    std::size_t place(Faction side, float x, float y);
    /// Makes `hunter` chase `prey`, as a target selection would have.
    void chase(std::size_t hunter, std::size_t prey);
    void moveTo(std::size_t who, float x, float y);
    void setVelocity(std::size_t who, float vx, float vy);
    b2Vec2 positionOf(std::size_t who) const;
    b2Vec2 velocityOf(std::size_t who) const;
    Actor& actor(std::size_t who);
    /// One whole frame without a window: world step, city update, prop sync.
    void frame();

    TestCity town;
    City& city;
};

/// The velocity a pursuer at `from` should be given toward `to` at `speed` m/s:
/// differences, squares, sum and root in single precision, the scaling in double,
/// each component stored back as single precision.
b2Vec2 expectedChaseVelocity(const b2Vec2& from, const b2Vec2& to, float speed);

/// The raw bits of a float, so that comparisons also tell -0 from +0.
std::uint32_t bitsOf(float value);

/// Both components of `actual` have exactly the bits of `expected`.
void expectSameVelocity(const b2Vec2& actual, const b2Vec2& expected);

/// A city just as the game builds it, with the C generator back at its start,
/// so the waves land where they land in a fresh run of the game.
class FreshCityTest : public ::testing::Test
{
protected:
    FreshCityTest();

    TestCity town;
    City& city;
};

/// The body positions (m) of the next `count` newcomers, drawn from rand() the
/// way a wave draws them: x then y per newcomer, x = rand() % 150 + 30 and
/// y = rand() % 70 + 20. Advances the generator by 2 * `count` draws.
std::vector<b2Vec2> drawNewcomerPlaces(std::size_t count);

/// Every 10 s every other living hooligan is turned police, and 5 s later every other
/// police officer hooligan, as the E and Q keys turn those next to the character:
/// neither side wins for good, people keep dying and waves keep coming.
void recruitBothWays(City& city, std::int64_t frame);
