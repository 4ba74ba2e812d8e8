// Times the game's frame in cities that have seen K deaths, once with the game's
// own drawing and logic and once the straightforward way (every sprite drawn,
// every actor ever spawned visited), and shows that both give the same pixels and
// the same game. Run from the repository root under a display:
//   xvfb-run -a -s "-screen 0 1920x1080x24" build/bench/tamrow_bench [K ...]
#include "app/DisplayConnection.hpp"
#include "app/Game.hpp"
#include "app/Scene.hpp"
#include "bench/BenchFigures.hpp"
#include "bench/DeathToll.hpp"
#include "bench/PlainFrame.hpp"
#include "life/Simulation.hpp"

#include <SFML/Graphics/RenderTexture.hpp>
#include <SFML/OpenGL.hpp>
#include <SFML/Window/Context.hpp>

#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace
{
using Clock = std::chrono::steady_clock;

constexpr std::array<std::size_t, 4> DefaultDeathTolls = {0, 1000, 10000, 100000};
constexpr int TimedFrames = 300;
/// Frames whose pixels go into the checksum.
constexpr std::array<int, 4> CheckedFrames = {0, 99, 199, 299};

enum class Path
{
    Game,            ///< the game's own drawing and logic
    Straightforward  ///< every sprite drawn, every actor ever spawned visited
};

double millisecondsSince(Clock::time_point start, Clock::time_point end)
{
    return std::chrono::duration<double, std::milli>(end - start).count();
}

/// One city of `deaths` dead, played for TimedFrames frames with no key held.
CaseFigures playCase(std::size_t deaths, Path path)
{
    CaseFigures figures;
    resetWaves();
    PhysicsWorld physics;
    City city(physics.world);
    const std::size_t heapBefore = heapBytes();
    layDeaths(city, deaths);
    figures.bytesPerDeath = deaths == 0 ? 0.0
        : static_cast<double>(heapBytes() - heapBefore) / static_cast<double>(deaths);

    Game game(city, physics);
    game.keyHeld = [](sf::Keyboard::Key) { return false; };
    sf::RenderTexture frame;
    frame.create(WindowWidth, WindowHeight);

    for (int f = 0; f < TimedFrames; ++f)
    {
        // The frame as Game::runFrame plays it, with the window swapped for the
        // off-screen frame and the pieces timed apart.
        const Clock::time_point start = Clock::now();
        game.handleInput();
        if (path == Path::Straightforward)
            visitEveryone(city);
        const sf::Vector2f lastCentre = game.view.getCenter();
        centreOnCharacter(game.view, city);
        figures.cameraMoves += f > 0 && game.view.getCenter() != lastCentre ? 1 : 0;
        frame.setView(game.view);
        frame.clear(ClearColour);
        const Clock::time_point stepStart = Clock::now();
        physics.world.Step(TimeStep, VelocityIterations, PositionIterations);
        const Clock::time_point updateStart = Clock::now();
        city.update();
        city.syncProps();
        const Clock::time_point drawStart = Clock::now();
        if (path == Path::Game)
            game.scene.draw(frame, city);
        else
            drawEverySprite(frame, city);
        frame.display();
        glFinish();  // count the rasteriser's work too, not just the queueing of it
        const Clock::time_point end = Clock::now();

        figures.frame.push_back(millisecondsSince(start, end));
        figures.ownPart.push_back(millisecondsSince(start, end) - millisecondsSince(stepStart, updateStart));
        figures.step += millisecondsSince(stepStart, updateStart);
        figures.update += millisecondsSince(updateStart, drawStart);
        figures.draw += millisecondsSince(drawStart, end);
        for (const int checked : CheckedFrames)
        {
            if (f == checked)
                figures.pixels = mixPixels(figures.pixels, frame.getTexture().copyToImage());
        }
    }
    figures.step /= TimedFrames;
    figures.update /= TimedFrames;
    figures.draw /= TimedFrames;
    figures.state = gameStateHash(city);
    return figures;
}
} // namespace

int main(int argc, char** argv)
{
    std::vector<std::size_t> tolls(DefaultDeathTolls.begin(), DefaultDeathTolls.end());
    if (argc > 1)
    {
        tolls.clear();
        for (int i = 1; i < argc; ++i)
            tolls.push_back(static_cast<std::size_t>(std::strtoull(argv[i], nullptr, 10)));
    }

    // Our own X connection keeps the server from resetting while SFML lets go of
    // its own between cities; one context held throughout spares making new ones.
    const DisplayConnection display;
    if (!display.open())
    {
        std::fprintf(stderr, "%s\n", DisplayConnection::refusal("tamrow_bench").c_str());
        return 1;
    }
    const sf::Context keepContext;
    printStartUp(measureStartUp());
    printTableHead();
    // Ratios are taken to the first city of the run, the fresh one by default.
    CaseFigures freshGame;
    CaseFigures freshPlain;
    for (const std::size_t deaths : tolls)
    {
        const CaseFigures game = playCase(deaths, Path::Game);
        const CaseFigures plain = playCase(deaths, Path::Straightforward);
        if (freshGame.frame.empty())
        {
            freshGame = game;
            freshPlain = plain;
        }
        printRow(deaths, "game", game, freshGame);
        printRow(deaths, "plain", plain, freshPlain);
        printSameness(game, plain);
    }
    return 0;
}
