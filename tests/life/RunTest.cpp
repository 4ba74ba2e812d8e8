// Whole runs of a fresh city without a window: every run is the same run.
#include "bench/PlainFrame.hpp"
#include "life/Simulation.hpp"
#include "life/StateHash.hpp"
#include "support/TestCity.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <sstream>
#include <vector>

namespace tamrow
{
namespace
{
/// The state hash of every frame of a fresh city's first 50 s, folded in order:
/// past the last death of a fresh run.
TEST(GoldenRun, AFreshCityPlaysTheGoldenFiftySeconds)
{
    TestCity town;
    StateHash trace;
    runHeadless(town.world, town.city, 3000, [&](std::int64_t) { trace.record(town.city); });
    EXPECT_EQ(trace.value(), 0x7d5f96a054803f59ull) << std::hex << "0x" << trace.value();

    // By the end the hooligans have the streets: nine waves came, 23 fell (ten of
    // them police), and the wave counter stands at 13, so no more come.
    const CitySummary summary = summarise(town.city);
    EXPECT_EQ(summary.waves, 9);
    EXPECT_EQ(summary.deaths, (std::array<std::int64_t, 3>{9, 4, 10}));
    EXPECT_EQ(summary.population, 13);
    // The status panel's count: the character and fifteen hooligans alive.
    EXPECT_EQ(summary.alive, (std::array<std::int64_t, 3>{1, 15, 0}));
}

TEST(Waves, TheCitysSequenceIsTheNeverSeededCGenerators)
{
    // The only call of the C generator: the city's sequence must give its values.
    std::srand(CityRandom::UnseededSeed);
    CityRandom sequence;
    for (int draw = 0; draw < 5000; ++draw)
        ASSERT_EQ(sequence.next(), std::rand()) << "draw " << draw;
}

/// Every 5 s, every other living hooligan turns police, or every other officer
/// hooligan, as E and Q would: people keep dying and waves keep coming.
void recruitBothWays(City& city, std::int64_t frame)
{
    if (frame % 300 != 0)
        return;
    const bool toPolice = frame % 600 == 0;
    const Faction from = toPolice ? Faction::Hooli : Faction::Police;
    bool turn = false;
    for (std::size_t i = 1; i < city.actors.size(); ++i)
    {
        Actor& actor = city.actors[i];
        if (actor.dead || actor.faction != from)
            continue;
        if (turn)
            actor.faction = toPolice ? Faction::Police : Faction::Hooli;
        turn = !turn;
    }
}

/// What must hold after every frame: every newcomer came in a whole wave; the
/// counter is the newcomers less the corpses; one corpse per death, the dead
/// parked out of play; the living whole, in play, at finite places.
std::string whatIsWrong(const City& city)
{
    std::ostringstream problem;
    const CitySummary summary = summarise(city);
    if ((city.actors.size() - FounderCount) % WaveSize != 0)
        problem << city.actors.size() << " actors is no whole number of waves; ";
    if (summary.population != summary.waves * WaveSize - summary.corpses)
        problem << "wave counter " << summary.population << " after " << summary.waves << " waves and "
                << summary.corpses << " corpses; ";
    if (summary.deaths[0] + summary.deaths[1] + summary.deaths[2] != summary.corpses)
        problem << summary.corpses << " corpses for other deaths; ";
    for (std::size_t i = 0; i < city.actors.size(); ++i)
    {
        const Actor& actor = city.actors[i];
        const b2Body& body = *actor.body;
        const bool parked = body.GetPosition() == ParkPosition && !body.IsEnabled();
        if (actor.corpseLaid != actor.dead || actor.dead != parked || (actor.dead && actor.health != 0))
            problem << "actor " << i << " is dead, laid out and parked only in part; ";
        if (!actor.dead && (actor.health < 1 || !std::isfinite(body.GetPosition().x + body.GetPosition().y)))
            problem << "living actor " << i << " is out of play; ";
    }
    return problem.str();
}

/// The state hash after each of 40000 frames (11 min of play) of a fresh city
/// stirred both ways; `plain` visits every actor ever spawned each frame, as plain
/// loops would, and is held to the game's by the hashes alone.
std::vector<std::uint64_t> stirredRun(bool plain, std::int64_t& corpses)
{
    TestCity town;
    StateHash hash;
    std::vector<std::uint64_t> hashes;
    for (std::int64_t frame = 1; frame <= 40000; ++frame)
    {
        recruitBothWays(town.city, frame);
        if (plain)
            visitEveryone(town.city);
        advanceCity(town.world, town.city);
        hash.record(town.city);
        hashes.push_back(hash.value());
        const std::string problem = plain ? std::string() : whatIsWrong(town.city);
        if (!problem.empty())
        {
            ADD_FAILURE() << "frame " << frame << ": " << problem;
            break;
        }
    }
    corpses = summarise(town.city).corpses;
    return hashes;
}

TEST(LongRun, AStirredCityKeepsItsCountsAndPlaysAsIfEveryoneWereVisited)
{
    std::int64_t corpses = 0;
    const std::vector<std::uint64_t> game = stirredRun(false, corpses);
    EXPECT_GT(corpses, 300) << "the run must pile up the dead to prove anything";
    const std::vector<std::uint64_t> plain = stirredRun(true, corpses);
    ASSERT_EQ(game.size(), plain.size());
    const auto parted = std::mismatch(game.begin(), game.end(), plain.begin());
    EXPECT_TRUE(parted.first == game.end()) << "the runs part at frame " << parted.first - game.begin() + 1;
}
} // namespace
} // namespace tamrow
