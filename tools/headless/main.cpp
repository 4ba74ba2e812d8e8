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
#include <cerrno>
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

const char* const Usage =
    "Usage: tamrow_headless [--history CSV] [FRAMES | --replay FILE] | --help\n"
    "\n"
    "Runs the city of Tamrow 2014 Sorn without a window, a display or an image, and\n"
    "prints what happened: waves, the living and the dead of each side, corpses.\n"
    "\n"
    "  FRAMES         play this many frames (1/60 s each) with no key held, then\n"
    "                 print the time taken too (default 36000: ten minutes of play)\n"
    "  --replay FILE  play the game recorded in FILE (tamrow --record FILE) and check\n"
    "                 every frame's state hash; status 1 at the first that differs\n"
    "  --history CSV  also write the fight's history to CSV: a sample a second of\n"
    "                 the people alive on each side, the deaths and the waves\n"
    "  --help         print this and exit\n";

/// One line on standard error for a command line not understood; the exit status.
int refuse(const std::string& why)
{
    std::fprintf(stderr, "tamrow_headless: %s (try tamrow_headless --help)\n", why.c_str());
    return UsageError;
}

/// Reads `text` as a whole number of frames, 0 or more, into `frames`; false
/// when it is anything else (a sign, a letter, nothing, a number too large).
bool readFrames(const std::string& text, long long& frames)
{
    if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos)
        return false;
    errno = 0;
    frames = std::strtoll(text.c_str(), nullptr, 10);
    return errno == 0;
}

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
    int first = 1;
    const auto argument = [&](int i) { return i < argc ? std::string(argv[i]) : std::string(); };
    if (argument(1) == "--help" || argument(1) == "-h")
    {
        std::fputs(Usage, stdout);
        return 0;
    }
    std::string historyPath;
    if (argument(1) == "--history")
    {
        if (argc < 3)
            return refuse("--history needs one file");
        historyPath = argv[2];
        first = 3;
    }
    if (argument(first) == "--replay")
    {
        if (argc != first + 2)
            return refuse("--replay needs one file");
        return replay(argv[first + 1], historyPath);
    }
    if (argc > first + 1)
        return refuse("one frame count at most");
    long long frames = DefaultFrames;
    if (argc == first + 1 && !readFrames(argument(first), frames))
        return refuse("the frame count is not a whole number of 0 or more");

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
