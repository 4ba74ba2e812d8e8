// Which sound the city's events bring, heard from the character, without any audio device.
#include "city/Units.hpp"
#include "life/Simulation.hpp"
#include "play/Play.hpp"
#include "sound/SoundChoice.hpp"
#include "support/TestCity.hpp"

#include <gtest/gtest.h>

#include <map>
#include <tuple>

namespace tamrow
{
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
        for (const Cue& cue : everywhere.listen(town.city, changes, Recruiting()))
            heardEverywhere[cue.sound] += cue.count;
        for (const Cue& cue : nearby.listen(town.city, changes, Recruiting()))
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
        return choice.listen(city, changes, Recruiting());
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

TEST(SoundChoice, APressIsHeardAsThePeopleItTurnsOrAsAMissAtTheCharacter)
{
    using Heard = std::map<Sound, std::int32_t>;  ///< sound: how many events it stands for
    constexpr std::uint8_t Q = keyBit(Action::RecruitHooligans);
    constexpr std::uint8_t E = keyBit(Action::RecruitPolice);
    constexpr std::uint8_t QE = Q | E;
    // {keys, the sides of the people beside the character, who turns (index), what is heard}
    const std::tuple<std::uint8_t, std::vector<Faction>, std::vector<std::uint32_t>, Heard> rows[] = {
        {Q, {Faction::Hooli, Faction::Hooli}, {}, {{Sound::Miss, 1}}},
        {Q, {Faction::Civil, Faction::Hooli}, {3}, {{Sound::HooliganCall, 1}}},
        {E, {Faction::Police}, {}, {{Sound::Miss, 1}}},
        // Together E wins: the officer is made a hooligan and back, no change of side.
        {QE, {Faction::Police, Faction::Civil, Faction::Hooli}, {4, 5}, {{Sound::PoliceCall, 2}}},
    };
    for (const auto& [keys, inReach, turned, heard] : rows)
    {
        PhysicsWorld physics;
        City city(physics.world, std::nullopt);
        const b2Vec2 character = city.actors[0].body->GetPosition();
        for (std::size_t i = 0; i < inReach.size(); ++i)
            city.spawnActor((character.x + 0.5f * static_cast<float>(i)) * PixelsPerMeter,
                            (character.y + 0.5f) * PixelsPerMeter, TextureId::Civil, inReach[i]);
        Play play(city, physics);
        CityChanges changes;
        SoundChoice choice;
        changes.look(city);
        FrameInput input;
        input.keys = keys;
        // The press, then the same keys still held a frame later: turned once, heard once.
        for (const bool pressed : {true, false})
        {
            play.steer(input);
            changes.look(city);
            Heard listened;
            for (const Cue& cue : choice.listen(city, changes, play.recruited))
                listened[cue.sound] = cue.count;
            EXPECT_EQ(play.recruited.turned, pressed ? turned : std::vector<std::uint32_t>()) << "pressed: " << pressed;
            EXPECT_EQ(listened, pressed ? heard : Heard()) << "pressed: " << pressed;
        }
    }
}
} // namespace
} // namespace tamrow
