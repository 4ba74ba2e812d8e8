#pragma once

#include "city/Units.hpp"
#include "support/TestCity.hpp"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <vector>

/// Open ground well inside the walls, 50 m from the character at (60, 30) m.
constexpr float StageX = 100.0f;
constexpr float StageY = 60.0f;

/// Far above the limit, so no wave arrives, not even after a few deaths.
constexpr std::int32_t QuietPopulation = 100;

/// A real city with the two outside founders parked out of reach (alive) and the
/// counter at QuietPopulation: each test places exactly the people it needs. The
/// character stays index 0 at (60, 30) m; people placed get indices 3, 4, ...
class StreetTest : public ::testing::Test
{
protected:
    StreetTest();

    /// Spawns a person of `side` with its side's image at exactly (x, y) m; returns its index.
    std::size_t place(Faction side, float x, float y);
    /// Takes everyone placed off the street again, bodies and all.
    void clearStage();
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

/// The velocity toward `to` at `speed` as the game computes it: differences, squares,
/// sum and root in single precision, the scaling in double, stored back as float.
b2Vec2 expectedChaseVelocity(const b2Vec2& from, const b2Vec2& to, float speed);

/// Both components of `actual` have exactly the bits of `expected` (-0 is not +0).
void expectSameVelocity(const b2Vec2& actual, const b2Vec2& expected);

/// A city just as the game builds it, with the C generator back at its start.
class FreshCityTest : public ::testing::Test
{
protected:
    FreshCityTest();

    TestCity town;
    City& city;
};

/// The body positions (m) of the next `count` newcomers, drawn from rand() the way
/// a wave draws them (x = rand() % 150 + 30, then y = rand() % 70 + 20).
std::vector<b2Vec2> drawNewcomerPlaces(std::size_t count);

/// Every 10 s every other living hooligan is turned police, and 5 s later every
/// other police officer hooligan, as E and Q would: people keep dying, waves keep coming.
void recruitBothWays(City& city, std::int64_t frame);
