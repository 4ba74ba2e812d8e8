#include "bench/BenchFigures.hpp"

#include "life/Simulation.hpp"
#include "life/StateHash.hpp"
#include "play/PhysicsWorld.hpp"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <malloc.h>
#include <unistd.h>

namespace tamrow
{
namespace
{

/// The value at `fraction` of the sorted values (nearest rank).
double rank(std::vector<double> values, double fraction)
{
    if (values.empty())
        return 0.0;
    std::sort(values.begin(), values.end());
    const auto index = static_cast<std::size_t>(fraction * static_cast<double>(values.size() - 1) + 0.5);
    return values[index];
}
} // namespace

std::size_t heapBytes()
{
    const struct mallinfo2 heap = mallinfo2();
    return heap.uordblks + heap.hblkhd;
}

std::size_t residentBytes()
{
    std::FILE* statm = std::fopen("/proc/self/statm", "r");
    if (statm == nullptr)
        return 0;
    unsigned long size = 0;
    unsigned long resident = 0;
    const int read = std::fscanf(statm, "%lu %lu", &size, &resident);
    std::fclose(statm);
    return read == 2 ? static_cast<std::size_t>(resident) * static_cast<std::size_t>(sysconf(_SC_PAGESIZE)) : 0;
}

StartUp measureStartUp()
{
    StartUp startUp;
    const std::size_t before = residentBytes();
    const auto start = std::chrono::steady_clock::now();
    PhysicsWorld physics;
    City city(physics.world);
    startUp.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    startUp.residentBytes = residentBytes() - before;
    return startUp;
}

double timeBareStep(std::size_t corpses)
{
    constexpr int Steps = 60;
    // One corpse to each wave place, row by row, starting over when the grid is full.
    constexpr auto Columns = static_cast<std::size_t>(WaveColumns);
    constexpr auto Rows = static_cast<std::size_t>(WaveRows);
    PhysicsWorld physics;
    b2World& world = physics.world;
    b2PolygonShape box;
    box.SetAsBox(CorpseHalfSize, CorpseHalfSize);
    for (std::size_t i = 0; i < corpses; ++i)
    {
        b2BodyDef def;
        def.position.Set(WaveLeft + static_cast<float>(i % Columns), WaveTop + static_cast<float>(i / Columns % Rows));
        world.CreateBody(&def)->CreateFixture(&box, 1.0f);
    }
    std::vector<double> times;
    for (int s = 0; s < Steps; ++s)
    {
        const auto start = std::chrono::steady_clock::now();
        world.Step(TimeStep, VelocityIterations, PositionIterations);
        times.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    return median(times);
}

double median(std::vector<double> values)
{
    return rank(std::move(values), 0.5);
}

double percentile90(std::vector<double> values)
{
    return rank(std::move(values), 0.9);
}

std::uint64_t mixPixels(std::uint64_t sum, const sf::Image& image)
{
    const std::size_t bytes = static_cast<std::size_t>(image.getSize().x) * image.getSize().y * 4;
    return fnv1a(sum, image.getPixelsPtr(), bytes);
}

std::uint64_t gameStateHash(const City& city)
{
    StateHash hash;
    hash.record(city);
    return hash.value();
}

void printStartUp(const StartUp& startUp)
{
    std::printf("Start-up: loading the %zu images and building the city took %.3f s (%.1f MB resident)\n\n",
                ImageFileCount, startUp.seconds, static_cast<double>(startUp.residentBytes) / 1e6);
}

void printFloorHead()
{
    std::printf("| deaths K | bare step ms |\n|---:|---:|\n");
}

void printFloor(std::size_t deaths, double stepMs)
{
    std::printf("| %zu | %.2f |\n", deaths, stepMs);
    std::fflush(stdout);
}

void printTableHead()
{
    std::printf("| deaths K | path | median ms | p90 ms | x fresh | input ms | step ms | update ms | draw and present ms "
                "| all but the step, x fresh | heap bytes per death | camera moved |\n");
    std::printf("|---:|---|---:|---:|---:|---:|---:|---:|---:|---:|---:|---:|\n");
}

void printRow(std::size_t deaths, const char* path, const CaseFigures& figures, const CaseFigures& fresh)
{
    const double frameMedian = median(figures.frame);
    const double freshMedian = median(fresh.frame);
    // What is left of the frame once the physics library's step is taken out.
    const double ownShare = median(figures.ownPart) / median(fresh.ownPart);
    std::printf("| %zu | %s | %.2f | %.2f | %.2f | %.3f | %.2f | %.3f | %.2f | %.2f | %.0f | %d |\n", deaths, path,
                frameMedian, percentile90(figures.frame), frameMedian / freshMedian, figures.input, figures.step,
                figures.update, figures.draw, ownShare, figures.bytesPerDeath, figures.cameraMoves);
}

void printFindersHead()
{
    std::printf("| deaths K | camera | draw ms, shown | draw ms, hidden | cost ms | frames pointed |\n"
                "|---:|---|---:|---:|---:|---:|\n");
}

void printFinders(std::size_t deaths, const char* walk, const CaseFigures& figures)
{
    std::vector<double> differences;
    for (std::size_t pair = 0; pair < std::min(figures.drawShown.size(), figures.drawHidden.size()); ++pair)
        differences.push_back(figures.drawShown[pair] - figures.drawHidden[pair]);
    std::printf("| %zu | %s | %.3f | %.3f | %.3f | %d of %zu |\n", deaths, walk, median(figures.drawShown),
                median(figures.drawHidden), median(differences), figures.pointedFrames, figures.drawShown.size());
}

void printSameness(const CaseFigures& game, const CaseFigures& plain)
{
    std::printf("|  | same pixels: %s (%016llx) | same game: %s (%016llx) |  |  |  |  |  |  |  |  |  |\n",
                game.pixels == plain.pixels ? "yes" : "NO", static_cast<unsigned long long>(game.pixels),
                game.state == plain.state ? "yes" : "NO", static_cast<unsigned long long>(game.state));
    std::fflush(stdout);
}
} // namespace tamrow
