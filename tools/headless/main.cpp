// Runs the city for a number of frames with no window and no keys held, or
// replays a recorded game, then prints what happened. It loads no image and
// needs no display:
//   build/tools/tamrow_headless 36000
//   build/tools/tamrow_headless --replay game.tamrow
#include "life/Simulation.hpp"
#include "play/Replay.hpp"
#include "play/Session.hpp"

#include <array>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace
{
/// Ten minutes of play at 60 frames per second.
constexpr long long DefaultFrames = 36000;
constexpr int UsageError = 2;

const char* const Usage =
    "Usage: tamrow_headless [FRAMES | --replay FILE | --help]\n"
    "\n"
    "Runs the city of Tamrow 2014 Sorn without a window, a display or an image, and\n"
    "prints what happened: waves, the living and the dead of each side, corpses.\n"
    "\n"
    "  FRAMES         play this many frames (1/60 s each) with no key held, then\n"
    "                 print the time taken too (default 36000: ten minutes of play)\n"
    "  --replay FILE  play the game recorded in FILE (tamrow --record FILE) and check\n"
    "                 every frame's state hash; status 1 at the first that differs\n"
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

/// Plays the game recorded in `path` and checks it frame by frame.
int replay(const std::string& path)
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
    if (!recorded->playWithoutWindow(play))
    {
        std::fprintf(stderr, "tamrow_headless: %s: %s; the replay stops\n", path.c_str(), recorded->mismatch().c_str());
        return 1;
    }
    if (!recorded->finished())
        std::fprintf(stderr, "tamrow_headless: %s: %s\n", path.c_str(), recorded->unfinishedNote().c_str());
    std::printf("replayed        %zu frames (%.1f min of play), every state hash as recorded\n", recorded->played(),
                static_cast<double>(recorded->played()) / 3600.0);
    std::printf("state hash      %s\n", hashText(recorded->hash()).c_str());
    // What follows is the city F5 last built, not the whole recording.
    const std::size_t restarts = session.restarts();
    if (restarts == 0)
        std::printf("started again   never (F5): the city below played the whole replay\n");
    else
        std::printf("started again   %zu time%s (F5): the city below is the game since the last start\n", restarts,
                    restarts == 1 ? "" : "s");
    printSummary(*play.city);
    return 0;
}
} // namespace

int main(int argc, char** argv)
{
    const std::string first = argc > 1 ? argv[1] : "";
    if (first == "--help" || first == "-h")
    {
        std::fputs(Usage, stdout);
        return 0;
    }
    if (first == "--replay")
    {
        if (argc != 3)
            return refuse("--replay needs one file");
        return replay(argv[2]);
    }
    if (argc > 2)
        return refuse("one frame count at most");
    long long frames = DefaultFrames;
    if (argc == 2 && !readFrames(first, frames))
        return refuse("the frame count is not a whole number of 0 or more");

    const auto start = std::chrono::steady_clock::now();
    b2World world(b2Vec2(0.0f, 0.0f));
    // Nothing is drawn: no image, so no texture and no display.
    City city(world, std::nullopt);
    const auto built = std::chrono::steady_clock::now();
    runHeadless(world, city, frames);
    const auto finished = std::chrono::steady_clock::now();

    const std::chrono::duration<double> buildTime = built - start;
    const std::chrono::duration<double> runTime = finished - built;
    std::printf("frames          %lld (%.1f min of play)\n", frames, static_cast<double>(frames) / 3600.0);
    printSummary(city);
    std::printf("build           %.3f s\n", buildTime.count());
    std::printf("run             %.3f s (%.1f us per frame)\n", runTime.count(),
                frames > 0 ? runTime.count() * 1e6 / static_cast<double>(frames) : 0.0);
    return 0;
}
