// The instant replay's core and the game's speed, without a window: every
// moment shown again is the live game's own, and the live game never notices.
#include "life/Simulation.hpp"
#include "life/StateHash.hpp"
#include "play/GameSpeed.hpp"
#include "play/InstantReplay.hpp"
#include "play/ReplayWriter.hpp"
#include "support/TestCity.hpp"

#include <gtest/gtest.h>

#include <map>
#include <optional>

namespace tamrow
{
namespace
{
std::uint64_t fingerprint(const City& city)
{
    StateHash hash;
    hash.record(city);
    return hash.value();
}

/// What frame `frame` of the test's game takes: walking left and right a
/// second at a time, E held now and then (fights, deaths), a pause of a second.
FrameInput frameInput(int frame, int startAgainAt)
{
    FrameInput input;
    input.keys = (frame / 60) % 2 == 0 ? keyBit(Action::WalkRight) : keyBit(Action::WalkLeft);
    if (frame % 150 < 10)
        input.keys |= keyBit(Action::RecruitPolice);
    if (frame == 500 || frame == 560)
        input.events.push_back(actEvent(Action::Pause));
    if (frame == startAgainAt)
        input.events.push_back(actEvent(Action::StartAgain));
    return input;
}

/// A live game with the instant replay kept ready beside it (or not), and
/// the fingerprint of every moment of the live game since its last start.
struct LiveGame
{
    explicit LiveGame(bool replayKept)
    {
        play.session = &session;
        if (replayKept)
            replay.emplace();
        moments.push_back(fingerprint(*play.city));
    }

    void playFrames(int from, int to, int startAgainAt = -1)
    {
        for (int frame = from; frame < to; ++frame)
            playFrameAtSpeed(play, frameInput(frame, startAgainAt), 1, [&](const FrameInput& step, bool advanced) {
                if (replay)
                    replay->record(step, advanced);
                if (frame == startAgainAt)
                    moments.resize(1);  // every fresh game is the first one
                if (advanced)
                    moments.push_back(fingerprint(*play.city));
                cumulative.record(*play.city);
            });
    }

    Session session{std::nullopt};
    Play play{session.city(), session.physics()};
    std::optional<InstantReplay> replay;
    std::vector<std::uint64_t> moments;
    StateHash cumulative;
};

TEST(InstantReplay, EveryMomentShownIsTheLiveGamesAndTheLiveGameNeverNotices)
{
    LiveGame kept(true);
    LiveGame alone(false);
    kept.playFrames(0, 2600);
    alone.playFrames(0, 2600);
    InstantReplay& replay = *kept.replay;
    ASSERT_EQ(replay.live(), kept.moments.size() - 1) << "the paused second is not in the window";
    const auto expectShown = [&](std::size_t t) {
        ASSERT_LE(replay.at(), replay.live());
        EXPECT_EQ(fingerprint(replay.city()), kept.moments[replay.at()]) << "moment " << replay.at();
        EXPECT_EQ(replay.at(), std::max(t, replay.earliest()));
    };

    replay.open();
    expectShown(replay.live() - InstantReplay::WindowSteps);
    for (int step = 0; step < 40; ++step)
    {
        ASSERT_TRUE(replay.stepForward());
        expectShown(replay.live() - InstantReplay::WindowSteps + 1 + static_cast<std::size_t>(step));
    }
    // Forth and back by 5 s, to the live moment, and back to the start more often than games are kept.
    for (const std::size_t back : {0, 100, 400, 1000, 0, 1799, 1500, 1800, 1800, 1800, 1800, 1800, 1800, 1800, 5, 0})
    {
        replay.jump(replay.live() - back);
        replay.settle();
        expectShown(replay.live() - back);
    }
    EXPECT_FALSE(replay.stepForward()) << "nothing after the live moment";
    replay.close();

    // Opened again after the live game played on: the games left behind serve it.
    kept.playFrames(2600, 3000);
    alone.playFrames(2600, 3000);
    replay.open();
    expectShown(replay.live() - InstantReplay::WindowSteps);
    replay.jump(replay.live() - 1);
    replay.settle();
    expectShown(replay.live() - 1);
    replay.close();
    kept.playFrames(3000, 3100);
    alone.playFrames(3000, 3100);
    EXPECT_EQ(kept.cumulative.value(), alone.cumulative.value());
}

TEST(InstantReplay, FiveStartsTheWindowAfresh)
{
    LiveGame game(true);
    game.playFrames(0, 1200, 900);
    InstantReplay& replay = *game.replay;
    ASSERT_EQ(replay.live(), 300u);
    replay.open();
    EXPECT_EQ(replay.at(), 0u);
    EXPECT_EQ(fingerprint(replay.city()), game.moments[0]);
    for (const std::size_t t : {150, 300, 1, 299})
    {
        replay.jump(t);
        EXPECT_EQ(fingerprint(replay.city()), game.moments[replay.at()]) << t;
    }
    replay.close();
}

/// The test's game recorded to `path`: `frames` frames, F5 at `startAgainAt`,
/// frame `wrongAt` (from 0) written with the hash of a city that played
/// nothing; the fingerprint after each frame, moment 0 the start.
std::vector<std::uint64_t> recordGame(const std::string& path, int frames, int startAgainAt, int wrongAt)
{
    Session session{std::nullopt};
    Session idle{std::nullopt};
    Play play{session.city(), session.physics()};
    play.session = &session;
    ReplayWriter writer(path);
    std::vector<std::uint64_t> moments = {fingerprint(session.city())};
    for (int frame = 0; frame < frames; ++frame)
    {
        const FrameInput input = frameInput(frame, startAgainAt);
        play.playFrame(input);
        writer.write(input, frame == wrongAt ? idle.city() : session.city());
        moments.push_back(fingerprint(session.city()));
    }
    EXPECT_TRUE(writer.finish());
    return moments;
}

std::optional<Replay> readBack(const std::string& path)
{
    std::string error;
    std::optional<Replay> file = Replay::read(path, error);
    EXPECT_TRUE(file.has_value()) << error;
    return file;
}

TEST(FileReplay, AJumpAnywhereShowsTheStateTheRecordedGameHadThen)
{
    const TempFolder folder;
    const std::string path = folder.path + "/game.tamrow";
    const std::vector<std::uint64_t> moments = recordGame(path, 3000, 1700, -1);
    const std::optional<Replay> file = readBack(path);
    ASSERT_TRUE(file);
    InstantReplay replay(*file, freshGameWithoutImages);
    EXPECT_EQ(replay.live(), 3000u);
    replay.open();
    EXPECT_EQ(replay.at(), 0u);
    // Far forth, across F5, back before every kept game, to the end and a step past it;
    // each once the worker has placed its games, so that the games it needs are where they
    // are wanted and the jump to 40 finds none left at the start.
    for (const std::size_t t : {2900, 2600, 1699, 1701, 40, 41, 1200, 3000, 2999})
    {
        ASSERT_TRUE(waitUntil("the kept games to be placed", std::chrono::seconds(10), [&] { return replay.ready(); }));
        replay.jump(t);
        replay.settle();
        ASSERT_EQ(replay.at(), t);
        EXPECT_EQ(fingerprint(replay.city()), moments[t]) << "moment " << t;
        EXPECT_EQ(replay.restarts(), t > 1700 ? 1u : 0u) << "moment " << t;
    }
    ASSERT_TRUE(replay.stepForward());
    EXPECT_FALSE(replay.stepForward()) << "nothing after the last frame";
    EXPECT_EQ(replay.mismatch(), "");
}

TEST(FileReplay, AFrameThatPlaysToAnotherHashEndsTheFileAndIsToldOnceShown)
{
    const TempFolder folder;
    const std::string path = folder.path + "/game.tamrow";
    recordGame(path, 1500, -1, 1000);
    const std::optional<Replay> file = readBack(path);
    ASSERT_TRUE(file);
    InstantReplay replay(*file, freshGameWithoutImages);
    replay.open();
    replay.jump(1000);
    replay.settle();
    EXPECT_EQ(replay.mismatch(), "") << "told before it was shown";
    ASSERT_TRUE(replay.stepForward());
    EXPECT_NE(replay.mismatch().find("frame 1001 plays to state hash "), std::string::npos) << replay.mismatch();
    EXPECT_FALSE(replay.stepForward());
    replay.jump(1400);
    replay.settle();
    EXPECT_EQ(replay.at(), 1001u) << "no frame past it is shown";
}

TEST(GameSpeed, FramesRunTheirStepsAndFourTimesFasterIsFourTimesTheFrames)
{
    GameSpeed speed;
    const std::vector<std::vector<std::int32_t>> stepsBySpeed = {{0, 0, 0, 1, 0, 0, 0, 1}, {0, 1, 0, 1}, {1, 1},
                                                                  {2}, {4}, {8}, {8}};
    for (std::size_t k = 0; k < GameSpeed::Count; ++k)
        speed.slower();
    for (const auto& steps : stepsBySpeed)
    {
        for (const std::int32_t expected : steps)
            EXPECT_EQ(speed.stepsThisFrame(), expected) << "speed " << speed.numerator() << "/" << speed.denominator();
        speed.faster();
    }
    speed.reset();
    EXPECT_EQ(speed.index(), GameSpeed::Normal);

    Session fast(std::nullopt);
    Session normal(std::nullopt);
    Play fastPlay(fast.city(), fast.physics());
    Play normalPlay(normal.city(), normal.physics());
    StateHash fastHash;
    StateHash normalHash;
    for (int frame = 0; frame < 750; ++frame)
    {
        const FrameInput input = frameInput(frame, -1);
        playFrameAtSpeed(fastPlay, input, 4, [&](const FrameInput&, bool) { fastHash.record(fast.city()); });
        FrameInput keysOnly;
        keysOnly.keys = input.keys;
        for (int step = 0; step < 4; ++step)
        {
            normalPlay.playFrame(step == 0 ? input : keysOnly);
            normalHash.record(normal.city());
        }
    }
    EXPECT_EQ(fastHash.value(), normalHash.value());
    EXPECT_GT(summarise(fast.city()).deaths[0] + summarise(fast.city()).deaths[1], 0) << "a fight was played";
}
} // namespace
} // namespace tamrow
