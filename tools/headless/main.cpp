// Runs the city for a number of frames with no window and no keys held, then
// prints what happened. It loads no image and needs no display:
//   build/tools/tamrow_headless 36000
#include "life/Simulation.hpp"

#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace
{
/// Ten minutes of play at 60 frames per second.
constexpr long long DefaultFrames = 36000;
} // namespace

int main(int argc, char** argv)
{
    const long long frames = argc > 1 ? std::atoll(argv[1]) : DefaultFrames;
    if (frames < 0)
    {
        std::fprintf(stderr, "usage: tamrow_headless [frames >= 0]\n");
        return 2;
    }

    const auto start = std::chrono::steady_clock::now();
    b2World world(b2Vec2(0.0f, 0.0f));
    // Nothing is drawn: no image, so no texture and no display.
    City city(world, std::nullopt);
    const auto built = std::chrono::steady_clock::now();
    runHeadless(world, city, frames);
    const auto finished = std::chrono::steady_clock::now();

    const CitySummary summary = summarise(city);
    const std::chrono::duration<double> buildTime = built - start;
    const std::chrono::duration<double> runTime = finished - built;
    std::printf("frames          %lld (%.1f min of play)\n", frames, static_cast<double>(frames) / 3600.0);
    std::printf("waves           %lld\n", static_cast<long long>(summary.waves));
    std::printf("deaths          civil %lld, hooli %lld, police %lld\n",
                static_cast<long long>(summary.deaths[0]), static_cast<long long>(summary.deaths[1]),
                static_cast<long long>(summary.deaths[2]));
    std::printf("corpses         %lld\n", static_cast<long long>(summary.corpses));
    std::printf("population      %d (actors in the list: %zu)\n", summary.population, summary.actors);
    std::printf("build           %.3f s\n", buildTime.count());
    std::printf("run             %.3f s (%.1f us per frame)\n", runTime.count(),
                frames > 0 ? runTime.count() * 1e6 / static_cast<double>(frames) : 0.0);
    return 0;
}
