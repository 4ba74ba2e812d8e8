// The fight's history: the city's own counts, a sample a second, in bounded memory.
#include "life/FightHistory.hpp"
#include "life/Simulation.hpp"
#include "support/BuildPaths.hpp"
#include "support/ChildProcess.hpp"
#include "support/TestCity.hpp"

#include <gtest/gtest.h>

#include <map>
#include <sstream>

namespace tamrow
{
namespace
{
TEST(FightHistory, SamplesAreTheCitysOwnCountsHalvedWhenFull)
{
    TestCity town;
    FightHistory history(8);
    std::map<std::int64_t, CitySummary> summaries;
    runHeadless(town.world, town.city, 1500, [&](std::int64_t frame) {
        history.observe(town.city);
        summaries.emplace(frame, summarise(town.city));
    });
    // 25 s at 8 samples: halved twice, so one every 4 s, at 4, 8, ... 24 s.
    EXPECT_EQ(history.stepsApart(), 4 * FightHistory::StepsPerSecond);
    ASSERT_EQ(history.samples().size(), 6u);
    std::int64_t deaths = 0;
    for (const HistorySample& sample : history.samples())
    {
        EXPECT_EQ(sample.step % history.stepsApart(), 0);
        const CitySummary& summary = summaries.at(sample.step);
        EXPECT_EQ(sample.alive, summary.alive) << sample.step;
        EXPECT_EQ(sample.deaths, summary.deaths[0] + summary.deaths[1] + summary.deaths[2]);
        EXPECT_EQ(sample.waves, summary.waves);
        deaths = sample.deaths;
    }
    EXPECT_GT(deaths, 0) << "the fight is in the samples";

    // The headless run writes the same samples, a second apart.
    TempFolder folder;
    const Outcome run = runWithoutDisplay(folder, {HeadlessProgram, "--history", folder.path + "/fight.csv", "1500"});
    EXPECT_EQ(run.status, "exit status 0") << run.err;
    EXPECT_NE(run.out.find("steps           1500 world steps"), std::string::npos) << run.out;
    std::istringstream csv(fileContent(folder.path + "/fight.csv"));
    std::string line;
    std::getline(csv, line);
    EXPECT_EQ(line, "seconds,civil,hooli,police,deaths,waves");
    int rows = 0;
    for (; std::getline(csv, line); ++rows)
    {
        const CitySummary& summary = summaries.at((rows + 1) * FightHistory::StepsPerSecond);
        std::ostringstream expected;
        expected << rows + 1 << ',' << summary.alive[0] << ',' << summary.alive[1] << ',' << summary.alive[2] << ','
                 << summary.deaths[0] + summary.deaths[1] + summary.deaths[2] << ',' << summary.waves;
        EXPECT_EQ(line, expected.str());
    }
    EXPECT_EQ(rows, 25);
}
} // namespace
} // namespace tamrow
