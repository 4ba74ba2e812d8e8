// Runs the city for a number of frames with no window and no keys held, or
// replays a recorded game, then prints what happened. It loads no image and
// needs no display:
//   build/tools/tamrow_headless 36000
//   build/tools/tamrow_headless --replay game.tamrow
#include "life/Simulation.hpp"
#include "play/Replay.hpp"
#include "play/Session.hpp"

#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

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
    if (first == "--replay")
    {
        if (argc != 3)
        {
            std::fprintf(stderr, "usage: tamrow_headless --replay FILE\n");
            return UsageError;
        }
        return replay(argv[2]);
    }
    const long long frames = argc > 1 ? std::atoll(argv[1]) : DefaultFrames;
    if (frames < 0)
    {
        std::fprintf(stderr, "usage: tamrow_headless [frames >= 0 | --replay FILE]\n");
        return UsageError;
    }

    const auto start = std::chrono::steady_clock::now();
    PhysicsWorld physics;
    // Nothing is drawn: no image, so no texture and no display.
    City city(physics.world, std::nullopt);
    const auto built = std::chrono::steady_clock::now();
    runHeadless(physics.world, city, frames);
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
