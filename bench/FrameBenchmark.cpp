// Times the frame as the player gets it, drawn into the real window and presented,
// in cities that have seen K deaths: with the camera resting and with the player
// walking, once the game's way and once the plain way (every sprite drawn, every
// body in the stepped world, every actor ever spawned visited), and shows that
// both give the same pixels and the same game. The keys are handed in, except in
// one more resting run of the game's way that reads them as the player's are read,
// from the keyboard and the pad with the window in focus, one more of the game's
// way without the city map and the pointer to the people, one with them drawn on every
// other frame in a city emptied around the character (so the pointer shows), and one more in which the
// game is heard (through OpenAL Soft's silent `null` back-end unless ALSOFT_DRIVERS
// names another), and one more at x4, four world steps a frame. Run from the repository root:
//   xvfb-run -a -s "-screen 0 1920x1080x24" build/bench/tamrow_bench [K ...]
#include "app/Game.hpp"
#include "bench/BenchFigures.hpp"
#include "bench/DeathToll.hpp"
#include "bench/PlainFrame.hpp"
#include "city/ImageFolder.hpp"
#include "desktop/DisplayConnection.hpp"
#include "hud/StatusPanel.hpp"
#include "hud/PeoplePointer.hpp"

#include <SFML/Graphics/Texture.hpp>
#include <SFML/OpenGL.hpp>
#include <SFML/Window/Context.hpp>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <tuple>
#include <vector>

namespace tamrow
{
namespace
{
using Clock = std::chrono::steady_clock;

constexpr std::array<std::size_t, 4> DefaultDeathTolls = {0, 1000, 10000, 100000};
constexpr int TimedFrames = 240;
/// Frames of the run that shows the map and the pointer by turns: a pair of
/// frames gives one difference, and the median of 480 steadies what the
/// software rasteriser's jitter leaves.
constexpr int AlternateFrames = 960;
/// Frames whose pixels go into the checksum.
constexpr std::array<int, 4> CheckedFrames = {0, 79, 159, 239};
/// Presses of period from x1 to x4, the speed whose frame the benchmark times.
constexpr std::int32_t X4Presses = 2;
/// The walker holds D for this many frames (one second), then A as long, and so on.
constexpr int WalkLegFrames = 60;

enum class Path
{
    Game,   ///< the game's own frame
    Plain   ///< every sprite drawn, every body stepped, every actor visited
};

/// Whether the game is heard.
enum class Heard
{
    Silent,  ///< no Hearing: no audio at all
    Aloud    ///< the game's sounds played as the program plays them
};

/// Whether the city map and the pointer to the people are drawn.
enum class Finders
{
    Shown,
    Hidden,
    /// Shown on even frames and hidden on odd ones, in a city whose living but
    /// the character are sent out of sight first, so the pointer is drawn too:
    /// what the two add to the frame, measured within the frame itself.
    Alternate
};

/// Where the frame's keys come from.
enum class Keys
{
    HandedIn,  ///< the benchmark's own: D and A while walking, none resting
    Own        ///< the game's own reader, the window given the focus
};

double millisecondsSince(Clock::time_point start, Clock::time_point end)
{
    return std::chrono::duration<double, std::milli>(end - start).count();
}

/// Where `sendOthersAway` puts everyone alive but the character (m): the far
/// right of the streets, some 180 m from where the character stands.
const b2Vec2 FarAway(230.0f, 60.0f);

/// Moves everyone alive but the character to FarAway, out of the window's
/// sight, so that the pointer is drawn. The game it leaves is not the game's own.
void sendOthersAway(City& city)
{
    city.forEachOtherLiving([&city](std::uint32_t i) { city.actors[i].body->SetTransform(FarAway, 0.0f); });
}

/// One city of `deaths` dead, played for TimedFrames frames (AlternateFrames
/// when the map and the pointer come by turns) in the window,
/// the player standing or walking.
CaseFigures playCase(std::size_t deaths, Path path, bool walking, Keys keys = Keys::HandedIn,
                     Finders finders = Finders::Shown, Heard heard = Heard::Silent, std::int32_t fasterPresses = 0)
{
    CaseFigures figures;
    PhysicsWorld physics;
    if (path == Path::Plain)
        physics.world.SetAutoClearForces(true);
    City city(physics.world, std::string(ImageFolder), path == Path::Game ? &physics.carPark : nullptr);
    const std::size_t heapBefore = heapBytes();
    layDeaths(city, deaths);
    figures.bytesPerDeath = deaths == 0 ? 0.0
        : static_cast<double>(heapBytes() - heapBefore) / static_cast<double>(deaths);

    Game game(city, physics);
    game.window.setFramerateLimit(0);
    game.findersShown = finders == Finders::Shown;
    if (heard == Heard::Aloud)
        game.hearing.emplace(findSoundFolder(imageFolderCandidates()));
    if (path == Path::Plain)
        game.paint = drawEverySprite;
    int frame = 0;
    if (keys == Keys::HandedIn)
        game.readKeys = [&] {
            const Action leg = (frame / WalkLegFrames) % 2 == 0 ? Action::WalkRight : Action::WalkLeft;
            return walking ? keyBit(leg) : std::uint8_t{0};
        };
    else
        game.window.requestFocus();
    // The speed's presses come with the first frame, as the player's would.
    if (fasterPresses > 0)
        game.replaying = [&frame, fasterPresses](const FrameInput& taken) {
            FrameInput played = taken;
            for (std::int32_t press = 0; frame == 0 && press < fasterPresses; ++press)
                played.events.push_back(actEvent(Action::Faster));
            return played;
        };
    std::array<Clock::time_point, static_cast<std::size_t>(FramePart::Done) + 1> begun;
    sf::Texture shot;
    shot.create(WindowWidth, WindowHeight);
    double captureMs = 0.0;
    game.watch = [&](FramePart part) {
        begun[static_cast<std::size_t>(part)] = Clock::now();
        const bool checked = std::find(CheckedFrames.begin(), CheckedFrames.end(), frame) != CheckedFrames.end();
        if (part != FramePart::Present || !checked)
            return;
        // Read back what is about to be shown; the time it takes is not the frame's.
        shot.update(game.window);
        figures.pixels = mixPixels(figures.pixels, shot.copyToImage());
        captureMs = millisecondsSince(begun[static_cast<std::size_t>(part)], Clock::now());
    };

    sf::Vector2f lastCentre = game.view.getCenter();
    const int frames = finders == Finders::Alternate ? AlternateFrames : TimedFrames;
    for (frame = 0; frame < frames; ++frame)
    {
        captureMs = 0.0;
        if (finders == Finders::Alternate)
        {
            // Every frame, for waves arrive in sight now and then; not the frame's own work.
            sendOthersAway(city);
            game.findersShown = frame % 2 == 0;
        }
        const Clock::time_point start = Clock::now();
        if (path == Path::Plain)
            visitEveryone(city);
        game.runFrame();
        glFinish();  // the rasteriser's work too, not just the queueing of it
        const Clock::time_point end = Clock::now();
        const auto at = [&](FramePart part) { return begun[static_cast<std::size_t>(part)]; };
        const double total = millisecondsSince(start, end) - captureMs;
        const double step = millisecondsSince(at(FramePart::Step), at(FramePart::Update));
        figures.frame.push_back(total);
        figures.ownPart.push_back(total - step);
        figures.input += millisecondsSince(at(FramePart::Input), at(FramePart::Camera));
        figures.step += step;
        figures.update += millisecondsSince(at(FramePart::Update), at(FramePart::Draw));
        const double drawMs = millisecondsSince(at(FramePart::Draw), end) - captureMs;
        figures.draw += drawMs;
        figures.cameraMoves += frame > 0 && game.view.getCenter() != lastCentre ? 1 : 0;
        if (finders == Finders::Alternate)
        {
            (game.findersShown ? figures.drawShown : figures.drawHidden).push_back(drawMs);
            const sf::FloatRect seen(game.view.getCenter() - game.view.getSize() / 2.0f, game.view.getSize());
            figures.pointedFrames += game.findersShown && PeoplePointer::aim(city, seen) ? 1 : 0;
        }
        lastCentre = game.view.getCenter();
    }
    figures.input /= frames;
    figures.step /= frames;
    figures.update /= frames;
    figures.draw /= frames;
    figures.state = gameStateHash(city);
    if (keys == Keys::Own && !game.window.hasFocus())
        std::fprintf(stderr, "tamrow_bench: the window lacked the focus, so its own reader asked nothing\n");
    return figures;
}
} // namespace
} // namespace tamrow

int main(int argc, char** argv)
{
    using namespace tamrow;
    std::vector<std::size_t> tolls(DefaultDeathTolls.begin(), DefaultDeathTolls.end());
    if (argc > 1)
    {
        tolls.clear();
        for (int i = 1; i < argc; ++i)
            tolls.push_back(static_cast<std::size_t>(std::strtoull(argv[i], nullptr, 10)));
    }

    // Our own X connection keeps the server from resetting while SFML lets go of
    // its own between cities; one context held throughout spares making new ones.
    // Heard through OpenAL Soft's `null` back-end, which mixes as for a device and
    // plays nothing: the same on a machine without a sound card. ALSOFT_DRIVERS chooses another.
    setenv("ALSOFT_DRIVERS", "null", 0);
    const DisplayConnection display;
    if (!display.open())
    {
        std::fprintf(stderr, "%s\n", DisplayConnection::refusal("tamrow_bench").c_str());
        return 1;
    }
    const sf::Context keepContext;
    printStartUp(measureStartUp());
    const Clock::time_point heardFrom = Clock::now();
    {
        const Hearing hearing(findSoundFolder(imageFolderCandidates()));
        std::printf("Sound start-up: %.3f s, %s\n", millisecondsSince(heardFrom, Clock::now()) / 1000.0,
                    hearing.audible() ? "a device found, every sound loaded" : "played silently");
    }
    std::vector<std::tuple<std::size_t, const char*, CaseFigures>> findersTimed;
    for (const bool walking : {false, true})
    {
        std::printf("\n%s\n\n", walking ? "Walking: D for a second, A for a second, and again; the camera moves every frame."
                                        : "Resting: no key held.");
        printTableHead();
        // Ratios are taken to the first city of the run, the fresh one by default.
        CaseFigures freshGame;
        CaseFigures freshPlain;
        CaseFigures freshOwnKeys;
        CaseFigures freshNoFinders;
        CaseFigures freshHeard;
        CaseFigures freshFourTimes;
        for (const std::size_t deaths : tolls)
        {
            const CaseFigures game = playCase(deaths, Path::Game, walking);
            const CaseFigures noFinders = playCase(deaths, Path::Game, walking, Keys::HandedIn, Finders::Hidden);
            const CaseFigures aloud =
                playCase(deaths, Path::Game, walking, Keys::HandedIn, Finders::Shown, Heard::Aloud);
            const CaseFigures fourTimes =
                playCase(deaths, Path::Game, walking, Keys::HandedIn, Finders::Shown, Heard::Silent, X4Presses);
            const CaseFigures plain = playCase(deaths, Path::Plain, walking);
            // Resting, the game's own reader finds no key held: the same game, read as the player's.
            const CaseFigures ownKeys = walking ? CaseFigures() : playCase(deaths, Path::Game, walking, Keys::Own);
            if (freshGame.frame.empty())
            {
                freshGame = game;
                freshPlain = plain;
                freshOwnKeys = ownKeys;
                freshNoFinders = noFinders;
                freshHeard = aloud;
                freshFourTimes = fourTimes;
            }
            findersTimed.emplace_back(deaths, walking ? "walking" : "resting",
                                      playCase(deaths, Path::Game, walking, Keys::HandedIn, Finders::Alternate));
            printRow(deaths, "game", game, freshGame);
            printRow(deaths, "game, no map or pointer", noFinders, freshNoFinders);
            if (!walking)
                printRow(deaths, "game, own keys", ownKeys, freshOwnKeys);
            printRow(deaths, "game, heard", aloud, freshHeard);
            printRow(deaths, "game at x4", fourTimes, freshFourTimes);
            printRow(deaths, "plain", plain, freshPlain);
            printSameness(game, plain);
            printSameness(game, aloud);
        }
    }
    std::printf("\nThe city map and the pointer, shown on every other frame of one game whose living but the\n"
                "character were sent out of sight: the frame's drawing and presenting with them and without.\n\n");
    printFindersHead();
    for (const auto& [deaths, walk, figures] : findersTimed)
        printFinders(deaths, walk, figures);
    std::printf("\nFloor: a world holding nothing but the corpses' static bodies, stepped alone.\n\n");
    printFloorHead();
    for (const std::size_t deaths : tolls)
        printFloor(deaths, timeBareStep(deaths));
    return 0;
}
