// Every run of a fresh city is the same run: the same people at the same places,
// the same deaths in the same frames, headless or in the window.
#include "GoldenTrace.hpp"

#include "app/Game.hpp"
#include "app/PhysicsWorld.hpp"
#include "life/Simulation.hpp"
#include "support/TestCity.hpp"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>

namespace
{
/// Something done to the city before each frame's step, as the keys would.
using BeforeFrame = std::function<void(City&)>;

/// A fresh city, generator reset, run headless for TraceFrames frames.
CityTrace traceHeadless(const BeforeFrame& beforeFrame = {})
{
    resetRandom();
    TestCity town;
    CityTrace trace;
    for (std::int64_t frame = 1; frame <= TraceFrames; ++frame)
    {
        if (beforeFrame)
            beforeFrame(town.city);
        advanceCity(town.world, town.city);
        trace.record(town.city, frame);
    }
    return trace;
}

void expectGolden(const CityTrace& trace)
{
    EXPECT_EQ(trace.hash(), GoldenTraceHash) << std::hex << "0x" << trace.hash();
    EXPECT_EQ(trace.firstDeathFrame(), GoldenFirstDeathFrame);
    EXPECT_EQ(trace.firstVictim(), GoldenFirstVictim);
}

TEST(GoldenRun, AFreshCityPlaysTheGoldenFiftySeconds)
{
    resetRandom();
    TestCity town;
    CityTrace trace;
    runHeadless(town.world, town.city, TraceFrames,
                [&](std::int64_t frame) { trace.record(town.city, frame); });
    expectGolden(trace);

    // The first victim is the civilian of the first wave. By the end the hooligans
    // have the streets: nine waves came, 23 fell, and 13 are counted, so no more come.
    EXPECT_EQ(town.city.actors[GoldenFirstVictim].faction, Faction::Civil);
    const CitySummary summary = summarise(town.city);
    EXPECT_EQ(summary.waves, 9);
    EXPECT_EQ(summary.deaths[static_cast<std::size_t>(Faction::Civil)], 9);
    EXPECT_EQ(summary.deaths[static_cast<std::size_t>(Faction::Hooli)], 4);
    EXPECT_EQ(summary.deaths[static_cast<std::size_t>(Faction::Police)], 10);
    EXPECT_EQ(static_cast<std::size_t>(summary.corpses), GoldenDeaths);
    EXPECT_EQ(summary.population, 13);
    EXPECT_EQ(summary.actors, 39u);
}

TEST(GoldenRun, ASecondRunInTheSameProcessRetracesTheFirst)
{
    const CityTrace first = traceHeadless();
    const CityTrace second = traceHeadless();
    EXPECT_EQ(first.hash(), second.hash());
    expectGolden(second);
}

TEST(GoldenRun, TheTraceSeesWherePeopleStand)
{
    // One draw taken before the run shifts every wave: a different run altogether.
    const CityTrace shifted = traceHeadless([](City& city) {
        if (city.actors.size() == 3 && city.population == 0)
            std::rand();
    });
    EXPECT_NE(shifted.hash(), GoldenTraceHash);
}

TEST(GoldenRun, TheCharacterStandsStillAndHoldingItStillChangesNothing)
{
    // Nobody ever bumps the character in these fifty seconds...
    const b2Vec2 start(60.0f, 30.0f);
    std::int64_t framesMoved = 0;
    const CityTrace headless = traceHeadless([&](City& city) {
        const b2Body* body = city.actors[0].body;
        if (body->GetPosition() != start || body->GetLinearVelocity() != b2Vec2_zero)
            ++framesMoved;
    });
    EXPECT_EQ(framesMoved, 0);

    // ...so setting its velocity to (0, 0) before every step, as the game does with
    // no key held, leaves the run as it was.
    const CityTrace heldStill = traceHeadless([](City& city) {
        city.actors[0].body->SetLinearVelocity(b2Vec2(0.0f, 0.0f));
    });
    EXPECT_EQ(heldStill.hash(), headless.hash());
    expectGolden(heldStill);
}

TEST(GoldenRun, TheWindowsFramesRetraceTheHeadlessRun)
{
    resetRandom();
    PhysicsWorld physics;
    City city(physics.world);
    Game game(city, physics);
    game.keyHeld = [](sf::Keyboard::Key) { return false; };
    // As fast as the machine goes, into a small window: what is drawn does not
    // change what happens, and a 1600 x 900 software-rendered frame costs 10 ms.
    game.window.setFramerateLimit(0);
    game.window.setSize(sf::Vector2u(160, 90));

    CityTrace trace;
    for (std::int64_t frame = 1; frame <= TraceFrames; ++frame)
    {
        game.handleInput();
        game.runFrame();
        trace.record(city, frame);
    }
    expectGolden(trace);
    EXPECT_TRUE(game.window.isOpen());
    EXPECT_EQ(game.moveX, 0);
    EXPECT_EQ(game.moveY, 0);
}
} // namespace
