// The street list lets a frame pass by the parked dead: the game must come out bit for
// bit as if every actor were visited, and the list hold exactly who may act or show.
#include "GoldenTrace.hpp"
#include "Street.hpp"
#include "bench/PlainFrame.hpp"
#include "life/Simulation.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace
{
/// Long enough for hundreds of deaths when stirred: 11 min of play.
constexpr std::int64_t ComparedFrames = 40000;
/// The trace is compared this often (frames), to say where two runs part.
constexpr std::int64_t CompareEvery = 100;

/// Plays a fresh stirred city; returns the running trace hash every CompareEvery frames.
std::vector<std::uint64_t> stirredRun(bool plain)
{
    resetRandom();
    TestCity town;
    CityTrace trace;
    std::vector<std::uint64_t> marks;
    for (std::int64_t frame = 1; frame <= ComparedFrames; ++frame)
    {
        recruitBothWays(town.city, frame);
        if (plain)
            visitEveryone(town.city);
        advanceCity(town.world, town.city);
        trace.record(town.city, frame);
        if (frame % CompareEvery == 0)
            marks.push_back(trace.hash());
    }
    EXPECT_GT(summarise(town.city).corpses, 500) << "the run must pile up the dead to prove anything";
    return marks;
}

TEST(StreetList, PassingByTheParkedDeadChangesNothing)
{
    const std::vector<std::uint64_t> game = stirredRun(false);
    const std::vector<std::uint64_t> plain = stirredRun(true);
    ASSERT_EQ(game.size(), plain.size());
    const auto parted = std::mismatch(game.begin(), game.end(), plain.begin());
    EXPECT_TRUE(parted.first == game.end())
        << "the runs part before frame " << (parted.first - game.begin() + 1) * CompareEvery;
}

TEST(StreetList, HoldsTheLivingAndTheJustLaidInIndexOrder)
{
    resetRandom();
    TestCity town;
    City& city = town.city;
    std::vector<bool> laidBefore;
    for (std::int64_t frame = 1; frame <= 6000; ++frame)
    {
        recruitBothWays(city, frame);
        advanceCity(town.world, city);
        laidBefore.resize(city.actors.size(), false);

        ASSERT_TRUE(std::is_sorted(city.onStreet.begin(), city.onStreet.end()));
        ASSERT_TRUE(std::adjacent_find(city.onStreet.begin(), city.onStreet.end()) == city.onStreet.end());
        std::size_t expected = 0;
        for (std::size_t i = 0; i < city.actors.size(); ++i)
        {
            const Actor& actor = city.actors[i];
            // Laid this frame: still here, its sprite still where it fell.
            const bool onStreet = !actor.corpseLaid || !laidBefore[i];
            expected += onStreet ? 1 : 0;
            const bool listed = std::binary_search(city.onStreet.begin(), city.onStreet.end(),
                                                   static_cast<std::uint32_t>(i));
            ASSERT_EQ(listed, onStreet) << "actor " << i << " at frame " << frame;
            if (!onStreet)
            {
                const sf::Vector2f park(ParkPosition.x * PixelsPerMeter, ParkPosition.y * PixelsPerMeter);
                ASSERT_EQ(actor.sprite.getPosition(), park) << "left the street before its sprite did";
            }
        }
        ASSERT_EQ(city.onStreet.size(), expected);
        for (std::size_t i = 0; i < city.actors.size(); ++i)
            laidBefore[i] = city.actors[i].corpseLaid;
    }
}

TEST(StreetList, PropsArePlacedOnceInTheFrameTheyAppear)
{
    resetRandom();
    TestCity town;
    City& city = town.city;
    city.syncProps();
    EXPECT_EQ(city.propsPlaced, city.props.size());

    city.addProp(900.0f, 1200.0f, CorpseHalfSize, CorpseHalfSize, CorpseScale, CorpseScale,
                 TextureId::DeadCivil);
    EXPECT_EQ(city.props.back().sprite.getPosition(), sf::Vector2f(0.0f, 0.0f));
    city.syncProps();
    EXPECT_EQ(city.props.back().sprite.getPosition(), sf::Vector2f(900.0f, 1200.0f));
    EXPECT_EQ(city.propsPlaced, city.props.size());
}
} // namespace
