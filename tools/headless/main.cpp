// Runs the city for a number of frames with no window and no keys held, or
// replays a recorded game, then prints what happened. It loads no image and
// needs no display:
//   build/tools/tamrow_headless 36000
//   build/tools/tamrow_headless --replay game.tamrow
// `--history FILE` first also writes the fight's history, a sample a second, as CSV:
//   build/tools/tamrow_headless --history fight.csv 36000
#include "life/FightHistory.hpp"
#include "life/Simulation.hpp"
#include "play/Replay.hpp"
#include "play/Session.hpp"

#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

namespace tamrow
{
namespace
{
/// Ten minutes of play at 60 frames per second.
constexpr long long DefaultFrames = 36000;
constexpr int UsageError = 2;

/// "civil 1, hooli 15, police 0", in Faction order.
void printSides(const char* label, const std::array<std::int64_t, 3>& bySide)
{
    std::printf("%-16scivil %lld, hooli %lld, police %lld\n", label, static_cast<long long>(bySide[0]),
                static_cast<long long>(bySide[1]), static_cast<long long>(bySide[2]));
}

void printSummary(const City& city)
{
    const CitySummary summary = summarise(city);
    std::printf("waves           %lld\n", static_cast<long long>(summary.waves));
    printSides("alive", summary.alive);
    printSides("deaths", summary.deaths);
    std::printf("corpses         %lld\n", static_cast<long long>(summary.corpses));
    std::printf("wave counter    %d (a wave comes below %d)\n", summary.population, PopulationLimit);
    std::printf("people          %zu ever in the city, the dead too\n", summary.actors);
}

/// Writes `history` to `path` (none: nothing); false, having said why, if it cannot.
bool writeHistory(const FightHistory& history, const std::string& path)
{
    if (path.empty())
        return true;
    std::ofstream out(path);
    history.writeCsv(out);
    if (out.flush())
        return true;
    std::fprintf(stderr, "tamrow_headless: cannot write the history to %s\n", path.c_str());
    return false;
}

/// Plays the game recorded in `path` and checks it frame by frame; the
/// history, if `historyPath` names a file, is the last game's (since F5).
int replay(const std::string& path, const std::string& historyPath)
{
    std::string error;
    std::optional<Replay> recorded = Replay::read(path, error);
    if (!recorded)
    {
        std::fprintf(stderr, "tamrow_headless: %s\n", error.c_str());
        return 1;
    }
    // Built as the game builds it, without images; F5 in the recording builds it afresh.
    Session session(std::nullopt);
    Play play(session.city(), session.physics());
    play.session = &session;
    FightHistory history;
    std::size_t restarts = 0;
    long long steps = 0;
    while (!recorded->done())
    {
        // F5 comes with a frame's events, before its steps.
        play.playFrame(recorded->next(), [&](const FrameInput&, bool advanced) {
            if (session.restarts() != restarts)
                history.clear();
            restarts = session.restarts();
            if (!advanced)
                return;
            ++steps;
            history.observe(*play.city);
        });
        if (!recorded->check(*play.city))
        {
            std::fprintf(stderr, "tamrow_headless: %s: %s; the replay stops\n", path.c_str(),
                         recorded->mismatch().c_str());
            return 1;
        }
    }
    if (!recorded->finished())
        std::fprintf(stderr, "tamrow_headless: %s: %s\n", path.c_str(), recorded->unfinishedNote().c_str());
    std::printf("replayed        %zu frames (%.1f min of play), every state hash as recorded\n", recorded->played(),
                static_cast<double>(recorded->played()) / 3600.0);
    std::printf("steps           %lld world steps\n", steps);
    std::printf("state hash      %s\n", hashText(recorded->hash()).c_str());
    // What follows is the city F5 last built, not the whole recording.
    if (restarts == 0)
        std::printf("started again   never (F5): the city below played the whole replay\n");
    else
        std::printf("started again   %zu time%s (F5): the city below is the game since the last start\n", restarts,
                    restarts == 1 ? "" : "s");
    printSummary(*play.city);
    return writeHistory(history, historyPath) ? 0 : 1;
}
} // namespace
} // namespace tamrow

int main(int argc, char** argv)
{
    using namespace tamrow;
    const char* const usage = "usage: tamrow_headless [--history FILE] [frames >= 0 | --replay FILE]\n";
    std::string historyPath;
    int first = 1;
    if (argc > 1 && std::string(argv[1]) == "--history")
    {
        if (argc < 3)
        {
            std::fputs(usage, stderr);
            return UsageError;
        }
        historyPath = argv[2];
        first = 3;
    }
    const std::string what = argc > first ? argv[first] : "";
    if (what == "--replay")
    {
        if (argc != first + 2)
        {
            std::fputs(usage, stderr);
            return UsageError;
        }
        return replay(argv[first + 1], historyPath);
    }
    const long long frames = argc > first ? std::atoll(argv[first]) : DefaultFrames;
    if (frames < 0 || argc > first + 1)
    {
        std::fputs(usage, stderr);
        return UsageError;
    }

    const auto start = std::chrono::steady_clock::now();
    PhysicsWorld physics;
    // Nothing is drawn: no image, so no texture and no display.
    City city(physics.world, std::nullopt);
    const auto built = std::chrono::steady_clock::now();
    FightHistory history;
    runHeadless(physics.world, city, frames, [&](std::int64_t) { history.observe(city); });
    const auto finished = std::chrono::steady_clock::now();

    const std::chrono::duration<double> buildTime = built - start;
    const std::chrono::duration<double> runTime = finished - built;
    std::printf("frames          %lld (%.1f min of play)\n", frames, static_cast<double>(frames) / 3600.0);
    // Nothing pauses a run without keys: a world step every frame.
    std::printf("steps           %lld world steps\n", frames);
    printSummary(city);
    std::printf("build           %.3f s\n", buildTime.count());
    std::printf("run             %.3f s (%.1f us per frame)\n", runTime.count(),
                frames > 0 ? runTime.count() * 1e6 / static_cast<double>(frames) : 0.0);
    return writeHistory(history, historyPath) ? 0 : 1;
}
