// OpenAL Soft mixes the game's sounds into a WAV file (its `wave` back-end), read
// back; and the real program with no audio device at all.
#include "life/Simulation.hpp"
#include "play/Play.hpp"
#include "play/ReplayWriter.hpp"
#include "play/Session.hpp"
#include "sound/Hearing.hpp"
#include "support/BuildPaths.hpp"
#include "support/ChildProcess.hpp"
#include "support/TestCity.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <thread>

namespace tamrow
{
namespace
{
using Clock = std::chrono::steady_clock;
constexpr double FrameSeconds = 1.0 / 60.0;
constexpr std::uint32_t MixRate = 44100;

/// The stereo samples of the 32-bit float WAV file OpenAL Soft wrote, left and right in turn.
std::vector<float> mixedSamples(const std::string& path)
{
    const std::string bytes = fileContent(path);
    const std::size_t data = bytes.find("data");
    std::vector<float> samples(data == std::string::npos ? 0 : (bytes.size() - data - 8) / sizeof(float));
    if (!samples.empty())
        std::memcpy(samples.data(), bytes.data() + data + 8, samples.size() * sizeof(float));
    return samples;
}

/// The loudest sample of `channel` (0 left, 1 right) between `from` and `to` (s of the file).
float loudest(const std::vector<float>& samples, int channel, double from, double to)
{
    float peak = 0.0f;
    for (auto frame = static_cast<std::size_t>(from * MixRate); frame < static_cast<std::size_t>(to * MixRate) &&
                                                               2 * frame + 1 < samples.size(); ++frame)
        peak = std::max(peak, std::abs(samples[2 * frame + static_cast<std::size_t>(channel)]));
    return peak;
}

/// The longest stretch (s) between `from` and `to` (s of the file) where neither channel sounds.
double longestSilence(const std::vector<float>& samples, double from, double to)
{
    std::size_t longest = 0;
    std::size_t run = 0;
    for (auto frame = static_cast<std::size_t>(from * MixRate); frame < static_cast<std::size_t>(to * MixRate) &&
                                                               2 * frame + 1 < samples.size(); ++frame)
    {
        const bool silent = std::abs(samples[2 * frame]) < 1e-4f && std::abs(samples[2 * frame + 1]) < 1e-4f;
        run = silent ? run + 1 : 0;
        longest = std::max(longest, run);
    }
    return static_cast<double>(longest) / MixRate;
}

double secondsSince(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

TEST(MixedSound, AHitToTheLeftIsLouderOnTheLeftAtOnceMutedOrPausedIsSilentAndAMissIsHeard)
{
    TempFolder folder;
    const std::string wave = folder.path + "/mixed.wav";
    std::ofstream(folder.path + "/alsoft.conf") << "drivers = wave\nfrequency = 44100\nsample-type = float32\n"
                                                   "channels = stereo\nperiod_size = 256\n[wave]\nfile = " << wave << "\n";
    ASSERT_EQ(setenv("ALSOFT_CONF", (folder.path + "/alsoft.conf").c_str(), 1), 0);

    TestCity town;
    City& city = town.city;
    city.population = PopulationLimit;  // no newcomers: the only sounds are the scene's
    const b2Vec2 character = city.actors[0].body->GetPosition();
    // The hooligan founder 8 m to the character's left, the police founder a metre beyond it.
    city.actors[2].body->SetTransform(character + b2Vec2(-8.0f, 0.0f), 0.0f);
    city.actors[1].body->SetTransform(character + b2Vec2(-9.0f, 0.0f), 0.0f);

    Hearing hearing(std::string(SourceFolder) + "/resources/sound/");
    // The hum has just started: the first sound in the file, and the test's clock.
    const Clock::time_point after = Clock::now();
    ASSERT_TRUE(hearing.audible());
    double hitAt = -1.0;  // s after the hum started
    CityChanges changes;
    const auto frames = [&](int count, bool paused, const Recruiting& first = Recruiting()) {
        for (int frame = 0; frame < count; ++frame)
        {
            const std::int32_t health = city.actors[1].health + city.actors[2].health;
            if (!paused)
            {
                advanceCity(town.world, city);
                changes.look(city);
            }
            hearing.hear(city, changes, frame == 0 ? first : Recruiting(), paused);
            if (hitAt < 0.0 && city.actors[1].health + city.actors[2].health < health)
                hitAt = secondsSince(after);
            std::this_thread::sleep_for(std::chrono::duration<double>(FrameSeconds));
        }
    };
    frames(60, false);
    ASSERT_GE(hitAt, 0.0) << "no hit in the scene";
    hearing.press(Action::Mute);
    const double mutedAt = secondsSince(after);
    frames(30, false);
    hearing.press(Action::Mute);
    const double pausedAt = secondsSince(after);
    frames(30, true);
    const double resumedAt = secondsSince(after);
    frames(30, false);
    const double missAt = secondsSince(after);
    frames(20, false, Recruiting{true, Faction::Hooli, {}});  // Q pressed with nobody to turn, the fight long over
    // The mixer writes the file as it plays, a little behind the game on a busy machine.
    std::vector<float> mixed;
    double humAt = 0.0;  // s of the file
    ASSERT_TRUE(waitUntil("the mix to hold the whole scene", std::chrono::seconds(3), [&] {
        mixed = mixedSamples(wave);
        std::size_t hum = 0;
        while (hum < mixed.size() && mixed[hum] == 0.0f)
            ++hum;
        humAt = static_cast<double>(hum / 2) / MixRate;
        return mixed.size() > 2 * static_cast<std::size_t>((humAt + missAt + 0.3) * MixRate);
    }, [&] { return std::to_string(mixed.size() / 2) + " frames mixed"; }));

    // The street's hum is in the middle, the same on both sides: the hit is what tells them apart.
    std::size_t onset = 0;
    while (2 * onset + 1 < mixed.size() && std::abs(mixed[2 * onset] - mixed[2 * onset + 1]) < 0.02f)
        ++onset;
    const double heardAt = static_cast<double>(onset) / MixRate;
    EXPECT_NEAR(heardAt - humAt, hitAt, 2 * FrameSeconds) << "the hum started at " << humAt << " s of the file";
    EXPECT_GT(loudest(mixed, 0, heardAt, heardAt + 0.2), 1.5f * loudest(mixed, 1, heardAt, heardAt + 0.2));
    // Silence for nearly all of the half second muted and of the half second paused,
    // looked for around the changes, which the mixer's lag on a busy machine moves.
    const double margin = 0.15;
    EXPECT_GT(longestSilence(mixed, humAt + mutedAt, humAt + pausedAt), pausedAt - mutedAt - margin) << "muted";
    EXPECT_GT(longestSilence(mixed, humAt + pausedAt, humAt + resumedAt), resumedAt - pausedAt - margin) << "paused";
    for (const int channel : {0, 1})
    {
        EXPECT_GT(loudest(mixed, channel, humAt + resumedAt + margin, humAt + resumedAt + 0.4), 0.01f)
            << "the hum comes back";
        EXPECT_GT(loudest(mixed, channel, humAt + missAt, humAt + missAt + 0.3),
                  2.0f * loudest(mixed, channel, humAt + resumedAt + margin, humAt + missAt - margin))
            << "the miss, over the hum";
    }
}

TEST(MixedSound, AFileReplayedInTheWindowIsHeardWithItsFight)
{
    TempFolder folder;
    const std::string wave = folder.path + "/mixed.wav";
    std::ofstream(folder.path + "/alsoft.conf") << "drivers = wave\nfrequency = 44100\nsample-type = float32\n"
                                                   "channels = stereo\nperiod_size = 256\n[wave]\nfile = " << wave << "\n";
    // Four seconds of the game's own fight around the character, E pressed a few times.
    const std::string path = folder.path + "/game.tamrow";
    Session session{std::nullopt};
    Play play(session.city(), session.physics());
    ReplayWriter writer(path);
    for (int frame = 0; frame < 240; ++frame)
    {
        FrameInput input;
        input.keys = frame % 60 < 5 ? keyBit(Action::RecruitPolice) : 0;
        play.playFrame(input);
        writer.write(input, session.city());
    }
    ASSERT_TRUE(writer.finish());
    ASSERT_GT(summarise(session.city()).deaths[0] + summarise(session.city()).deaths[1], 0) << "no fight to hear";
    ChildProcess game({"/usr/bin/env", "ALSOFT_CONF=" + folder.path + "/alsoft.conf", GameProgram, "--replay", path},
                      folder.path, folder.path + "/out", folder.path + "/err");
    EXPECT_TRUE(waitUntil("the replay's end", std::chrono::seconds(30), [&] {
        return fileContent(folder.path + "/out").find("all 240 frames replayed") != std::string::npos;
    }));
    game.sendSignal(SIGTERM);
    EXPECT_EQ(game.waitForExit(std::chrono::seconds(10)), "exit status 0");
    // The street's hum is the same on both sides: a sound from one side is the fight's.
    const std::vector<float> mixed = mixedSamples(wave);
    std::size_t sided = 0;
    for (std::size_t frame = 0; 2 * frame + 1 < mixed.size(); ++frame)
        sided += std::abs(mixed[2 * frame] - mixed[2 * frame + 1]) > 0.02f;
    EXPECT_GT(sided, MixRate / 20) << "of " << mixed.size() / 2 << " frames mixed";
}

TEST(SilentProgram, WithoutAnAudioDeviceTheGamePlaysAndEndsWithOneLineAndStatusZero)
{
    // Two seconds of a game recorded without a window, replayed by the real program.
    TempFolder folder;
    const std::string path = folder.path + "/game.tamrow";
    Session session{std::nullopt};
    Play play(session.city(), session.physics());
    ReplayWriter writer(path);
    for (int frame = 0; frame < 120; ++frame)
    {
        play.playFrame(FrameInput());
        writer.write(FrameInput(), session.city());
    }
    ASSERT_TRUE(writer.finish());
    // An OpenAL Soft told to use no back-end that exists has no device.
    ChildProcess game({"/usr/bin/env", "ALSOFT_DRIVERS=none", GameProgram, "--replay", path}, folder.path,
                      folder.path + "/out", folder.path + "/err");
    EXPECT_TRUE(waitUntil("the replay's end", std::chrono::seconds(30), [&] {
        return fileContent(folder.path + "/out").find("all 120 frames replayed") != std::string::npos;
    }));
    game.sendSignal(SIGTERM);
    EXPECT_EQ(game.waitForExit(std::chrono::seconds(10)), "exit status 0");
    // The one line, and nothing of SFML's about Xvfb's OpenGL.
    EXPECT_EQ(fileContent(folder.path + "/err"), "tamrow: no audio device; playing without sound\n");
}
} // namespace
} // namespace tamrow
