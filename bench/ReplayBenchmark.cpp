// What keeping the instant replay ready costs and how fast it opens and jumps,
// without a window: after an hour of play (216,000 frames of the game's own
// fight, the player walking and recruiting), and in a city of 10,000 dead laid
// by the game's own death path (DeathToll) and then played, paced at 60 frames
// a second as the window paces the game, at x1 and at x4 (four world steps a
// frame, all handed to the replay). Prints figures; not a test. Run:
//   build/bench/tamrow_replay_bench [frames of the hour] [frames of each run among the dead]
#include "bench/BenchFigures.hpp"
#include "bench/DeathToll.hpp"
#include "life/Simulation.hpp"
#include "play/GameSpeed.hpp"
#include "play/InstantReplay.hpp"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>
#include <vector>

namespace tamrow
{
namespace
{
using Clock = std::chrono::steady_clock;

constexpr long long HourFrames = 216000;
constexpr long long DeadFrames = 2400;  ///< 40 s, past the 30 s the replay reaches back
constexpr std::size_t DeathToll = 10000;
constexpr std::chrono::microseconds FramePeriod(16667);
/// How long the benchmark waits for the worker before a timed opening or jump:
/// as long as a player watches between two presses.
constexpr std::chrono::seconds WatchTime(1);

double msSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

/// The benchmark player: walks left and right a second at a time and holds E
/// for a sixth of a second every 2.5 s, so the fight goes on and people die.
FrameInput playerInput(long long frame)
{
    FrameInput input;
    input.keys = (frame / 60) % 2 == 0 ? keyBit(Action::WalkRight) : keyBit(Action::WalkLeft);
    if (frame % 150 < 10)
        input.keys |= keyBit(Action::RecruitPolice);
    return input;
}

std::unique_ptr<Session> gameOfTheDead()
{
    auto session = std::make_unique<Session>(std::nullopt);
    layDeaths(session->city(), DeathToll);
    return session;
}

/// Waits up to WatchTime for the worker to make everything ready.
void watch(InstantReplay& replay)
{
    const auto until = Clock::now() + WatchTime;
    while (!replay.ready() && Clock::now() < until)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

/// Times the opening and the jumps a player makes: 5 s forth and back with a
/// second watched between presses, back to the start, then six presses at once.
/// Opened `atOnce`, the moment the live game stops, as a player pressing R
/// mid-fight opens it; else once the worker has made everything ready.
void timeJumps(InstantReplay& replay, bool atOnce)
{
    const std::size_t live = replay.live();
    const std::size_t windowStart = live > InstantReplay::WindowSteps ? live - InstantReplay::WindowSteps : 0;
    if (!atOnce)
        watch(replay);
    auto start = Clock::now();
    replay.open();
    const double open = msSince(start);
    // A kept game behind the window's start is one the worker could not walk along.
    const std::size_t behind = windowStart - std::min(windowStart, replay.earliest());
    std::vector<double> watched;
    const int presses[] = {+1, +1, -1, -1, -1, +1, -1, -6, +1, +1};
    for (const int press : presses)
    {
        for (int step = 0; step < 60 && replay.stepForward(); ++step)
        {
        }
        watch(replay);
        const auto back = static_cast<std::size_t>(-press) * InstantReplay::JumpSteps;
        const std::size_t to = press > 0 ? replay.at() + InstantReplay::JumpSteps * static_cast<std::size_t>(press)
                                         : (replay.at() > back ? replay.at() - back : 0);
        start = Clock::now();
        replay.jump(to);
        replay.settle();
        watched.push_back(msSince(start));
    }
    std::vector<double> rapid;
    for (const int press : {-1, -1, -1, +1, +1, +1})
    {
        const std::size_t to = press > 0 ? replay.at() + InstantReplay::JumpSteps
                                         : (replay.at() > InstantReplay::JumpSteps ? replay.at() - InstantReplay::JumpSteps : 0);
        start = Clock::now();
        replay.jump(to);
        replay.settle();
        rapid.push_back(msSince(start));
    }
    replay.close();
    std::printf("  opening%s               %8.2f ms; the earliest kept game %zu steps (%.1f s) behind the window's "
                "start\n",
                atOnce ? " at once" : "        ", open, behind, static_cast<double>(behind) / 60.0);
    std::printf("  jumps, a second watched between  median %.2f ms, slowest %.2f ms (of %zu)\n", median(watched),
                *std::max_element(watched.begin(), watched.end()), watched.size());
    std::printf("  jumps pressed at once            median %.2f ms, slowest %.2f ms (of %zu)\n", median(rapid),
                *std::max_element(rapid.begin(), rapid.end()), rapid.size());
}

/// Plays `frames` frames of `speed` world steps each of a live game built by
/// `make`, the replay kept ready beside it, at 60 frames a second if `paced`;
/// prints the live thread's figures, the memory, then the opening and the jumps.
void run(const char* title, const GameMaker& make, long long frames, bool paced, std::int32_t speed = 1)
{
    std::printf("%s\n", title);
    std::vector<double> bare;
    {
        // The same frames without the replay, a tenth as many, for the frame's own cost.
        const auto live = make();
        Play play(live->city(), live->physics());
        for (long long frame = 0; frame < frames / 10; ++frame)
        {
            const auto start = Clock::now();
            playFrameAtSpeed(play, playerInput(frame), speed);
            bare.push_back(msSince(start));
            if (paced)
                std::this_thread::sleep_until(start + FramePeriod);
        }
    }
    const auto live = make();
    Play play(live->city(), live->physics());
    const std::size_t heapBefore = heapBytes();
    auto replay = std::make_unique<InstantReplay>(make);
    std::vector<double> frameMs;
    std::vector<double> recordMs;
    frameMs.reserve(static_cast<std::size_t>(frames));
    recordMs.reserve(static_cast<std::size_t>(frames));
    const auto began = Clock::now();
    for (long long frame = 0; frame < frames; ++frame)
    {
        const auto start = Clock::now();
        double handing = 0.0;
        playFrameAtSpeed(play, playerInput(frame), speed, [&](const FrameInput& step, bool advanced) {
            const auto handed = Clock::now();
            replay->record(step, advanced);
            handing += msSince(handed);
        });
        frameMs.push_back(msSince(start));
        recordMs.push_back(handing);
        if (paced)
            std::this_thread::sleep_until(start + FramePeriod);
    }
    const double played = msSince(began) / 1000.0;
    const CitySummary summary = summarise(*play.city);
    std::printf("  %lld frames of %d step(s) in %.1f s%s; %lld dead, %lld alive\n", frames, speed, played,
                paced ? " (paced)" : "",
                static_cast<long long>(summary.deaths[0] + summary.deaths[1] + summary.deaths[2]),
                static_cast<long long>(summary.alive[0] + summary.alive[1] + summary.alive[2]));
    std::printf("  live frame without the replay    median %.3f ms, p90 %.3f ms (%zu frames)\n", median(bare),
                percentile90(bare), bare.size());
    std::printf("  live frame, the replay kept      median %.3f ms, p90 %.3f ms\n", median(frameMs),
                percentile90(frameMs));
    std::printf("  of which handing the step over   median %.4f ms, p90 %.4f ms, slowest %.3f ms\n",
                median(recordMs), percentile90(recordMs), *std::max_element(recordMs.begin(), recordMs.end()));
    // Unpaced, the live game outruns the worker by design, which is given the
    // time to catch up; paced, the replay is opened the moment the game stops.
    if (!paced)
    {
        const auto settling = Clock::now();
        while (!replay->ready())
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        std::printf("  every kept game in place         %.1f s after the live game stopped\n",
                    msSince(settling) / 1000.0);
    }
    timeJumps(*replay, paced);
    watch(*replay);
    const std::size_t heapWith = heapBytes();
    replay.reset();
    const std::size_t heapWithout = heapBytes();
    std::printf("  heap with the replay kept        %.1f MB; without %.1f MB; the replay %.1f MB (%zu games kept, "
                "the game alone before it %.1f MB)\n",
                static_cast<double>(heapWith) / 1e6, static_cast<double>(heapWithout) / 1e6,
                static_cast<double>(heapWith - heapWithout) / 1e6, InstantReplay::KeptGames,
                static_cast<double>(heapBefore) / 1e6);
}
} // namespace
} // namespace tamrow

int main(int argc, char** argv)
{
    using namespace tamrow;
    const long long hour = argc > 1 ? std::atoll(argv[1]) : HourFrames;
    const long long dead = argc > 2 ? std::atoll(argv[2]) : DeadFrames;
    constexpr std::int32_t FourTimes = 4;
    run("An hour of play (the game's own fight, the player walking and recruiting), as fast as it goes:",
        freshGameWithoutImages, hour, false);
    run("10,000 dead laid by DeathToll, then played at 60 frames a second:", gameOfTheDead, dead, true);
    run("10,000 dead laid by DeathToll, then played at x4 (four steps a frame), 60 frames a second:", gameOfTheDead,
        dead, true, FourTimes);
    return 0;
}
