// Which sound the city's events bring, heard from the character, without any audio device.
#include "life/Simulation.hpp"
#include "sound/SoundChoice.hpp"
#include "support/TestCity.hpp"

#include <gtest/gtest.h>

#include <map>

namespace
{
TEST(SoundChoice, TheGoldenRunIsHeardEventForEventAndNothingBeyondTheRange)
{
    TestCity town;
    SoundChoice everywhere(1.0e9f);
    SoundChoice nearby;
    std::map<Sound, std::int64_t> heardEverywhere;
    std::map<Sound, std::int64_t> heardNearby;
    CityChanges changes;
    const auto listen = [&] {
        changes.look(town.city);
        for (const Cue& cue : everywhere.listen(town.city, changes))
            heardEverywhere[cue.sound] += cue.count;
        for (const Cue& cue : nearby.listen(town.city, changes))
            heardNearby[cue.sound] += cue.count;
    };
    listen();
    runHeadless(town.world, town.city, 3000, [&](std::int64_t) { listen(); });
    // The city's own counts: each hit took one point of health, each death laid a corpse.
    std::int64_t hits = 0;
    for (const Actor& actor : town.city.actors)
        hits += 10 - actor.health;
    const CitySummary summary = summarise(town.city);
    EXPECT_EQ(heardEverywhere[Sound::HooliganHit] + heardEverywhere[Sound::PoliceHit], hits);
    EXPECT_GT(heardEverywhere[Sound::PoliceHit], 0);
    EXPECT_EQ(heardEverywhere[Sound::Fall], summary.corpses);
    EXPECT_EQ(heardEverywhere[Sound::Wave], summary.waves);
    EXPECT_EQ(heardEverywhere[Sound::HooliganCall] + heardEverywhere[Sound::PoliceCall], 0) << "nobody recruited";
    // The character stands still, far from most of it: some is heard, not all.
    const std::int64_t hitsNearby = heardNearby[Sound::HooliganHit] + heardNearby[Sound::PoliceHit];
    EXPECT_GT(hitsNearby, 0);
    EXPECT_LT(hitsNearby, hits);
}

TEST(SoundChoice, AHitIsHeardFromItsSideAndManyOfAKindInAFrameAsOneALittleLouder)
{
    TestCity town;
    City& city = town.city;
    SoundChoice choice;
    CityChanges changes;
    const auto listen = [&]() -> const std::vector<Cue>& {
        changes.look(city);
        return choice.listen(city, changes);
    };
    listen();
    const b2Vec2 character = city.actors[0].body->GetPosition();
    // The police founder 5 m to the left takes a hooligan's blow; the hooligan
    // founder 5 m to the right takes three batons in the same frame.
    city.actors[1].body->SetTransform(character + b2Vec2(-5.0f, 0.0f), 0.0f);
    city.actors[2].body->SetTransform(character + b2Vec2(5.0f, 0.0f), 0.0f);
    city.actors[1].health -= 1;
    city.actors[2].health -= 3;
    std::map<Sound, Cue> cues;
    for (const Cue& cue : listen())
        cues.emplace(cue.sound, cue);
    ASSERT_EQ(cues.size(), 2u);
    const Cue blow = cues.at(Sound::HooliganHit);
    const Cue batons = cues.at(Sound::PoliceHit);
    EXPECT_LT(blow.pan, 0.0f);
    EXPECT_GT(batons.pan, 0.0f);
    EXPECT_EQ(batons.count, 3);
    EXPECT_FLOAT_EQ(batons.gain, blow.gain * (1.0f + 2.0f * GroupGainStep));
    EXPECT_TRUE(listen().empty()) << "a hit is heard once";
}
} // namespace
