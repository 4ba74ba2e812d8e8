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

    // By the end the hooligans have the streets: nine waves came, 23 fell, and 13
    // are counted, so no more come.
    const CitySummary summary = summarise(town.city);
    EXPECT_EQ(summary.waves, 9);
    EXPECT_EQ(summary.deaths[static_cast<std::size_t>(Faction::Police)], 10);
    EXPECT_EQ(static_cast<std::size_t>(summary.corpses), GoldenDeaths);
    EXPECT_EQ(summary.population, 13);
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

TEST(GoldenRun, TheWindowsFramesRetraceTheHeadlessRun)
{
    resetRandom();
    PhysicsWorld physics;
    City city(physics.world, std::string(ImageFolder), &physics.carPark);
    Game game(city, physics);
    game.keyHeld = [](sf::Keyboard::Key) { return false; };
    // Unthrottled, in a small window, the dead in the car park: neither drawing
    // nor where the parked bodies are kept changes what happens.
    game.window.setFramerateLimit(0);
    game.window.setSize(sf::Vector2u(160, 90));

    CityTrace trace;
    for (std::int64_t frame = 1; frame <= TraceFrames; ++frame)
    {
        game.runFrame();
        trace.record(city, frame);
    }
    expectGolden(trace);
}
} // namespace
