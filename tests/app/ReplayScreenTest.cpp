// The instant replay in the real window: the live game never notices it, what it
// shows is what the player saw, and a recording made meanwhile replays.

#include "support/BuildPaths.hpp"
#include "support/GameFixture.hpp"
#include "support/RealProgram.hpp"

#include "hud/CityMap.hpp"
#include "hud/StatusPanel.hpp"
#include "life/StateHash.hpp"
#include "play/Play.hpp"
#include "play/ReplayWriter.hpp"
#include "play/Session.hpp"

#include <chrono>
#include <thread>

namespace tamrow
{
namespace
{
using std::chrono::milliseconds;
using std::chrono::seconds;

/// Presses and lets go `key` (xdotool's name) on `display` ("" for $DISPLAY).
void tap(const std::string& key, const std::string& display = std::string())
{
    std::vector<std::string> argv = {"/usr/bin/env"};
    if (!display.empty())
        argv.push_back("DISPLAY=" + display);
    for (const char* part : {"xdotool", "key", key.c_str()})
        argv.emplace_back(part);
    EXPECT_EQ(runCommand(argv), 0) << key;
}

/// The game as a fresh start builds it, not the fixture's quiet one: the games
/// kept apart for the replay are built so.
class ReplayScreenTest : public GameTest
{
protected:
    ReplayScreenTest()
    {
        city.population = 0;
        EXPECT_TRUE(xSession.focus(game.window.getSystemHandle()));
        // Small, for speed: every frame is drawn and presented.
        game.window.setSize(sf::Vector2u(480, 270));
        EXPECT_TRUE(viewReaches(sf::Vector2f(480.0f, 270.0f)));
    }

    /// Live frames with `keys` held, each one's input and state hash kept.
    void live(std::set<Action> keys, int frames)
    {
        held = std::move(keys);
        for (int i = 0; i < frames; ++i)
            frame();
    }

    /// One frame; a live one's input and state hash kept.
    void frame()
    {
        loop();
        if (!game.playedLive())
            return;
        played.push_back(game.lastInput);
        hash.record(city);
        hashes.push_back(hash.value());
    }

    /// Presses `key` and plays frames until the replay is `open` or not; fails after 3 s.
    ::testing::AssertionResult pressUntil(const std::string& key, bool open)
    {
        tap(key);
        return waitUntil("the instant replay to open or close", seconds(3), [&] {
            frame();
            return game.instantReplay.isOpen() == open;
        });
    }

    /// How many of the pixels of `shown` differ from those of `seen`; all of them if the sizes differ.
    static std::size_t differing(const sf::Image& shown, const sf::Image& seen)
    {
        if (shown.getSize() != seen.getSize())
            return std::size_t{seen.getSize().x} * seen.getSize().y;
        std::size_t count = 0;
        for (unsigned y = 0; y < seen.getSize().y; ++y)
            for (unsigned x = 0; x < seen.getSize().x; ++x)
                count += shown.getPixel(x, y) != seen.getPixel(x, y);
        return count;
    }

    /// Shows moment `t` of the replay, paused, under the camera `camera`, and reads the window back.
    sf::Image shownAt(std::size_t t, const sf::View& camera)
    {
        game.instantReplay.jumpTo(t);
        game.instantReplay.moments().settle();
        game.instantReplay.lookAt(camera.getCenter(), game.view);
        frame();
        EXPECT_EQ(game.instantReplay.clock().at, t);
        return presented();
    }

    /// Clicks the pointer's first button at window pixel (`x`, `y`).
    void click(int x, int y)
    {
        xSession.warpPointer(x, y);
        EXPECT_EQ(runCommand({"xdotool", "click", "1"}), 0);
    }

    std::vector<FrameInput> played;
    StateHash hash;
    std::vector<std::uint64_t> hashes;
};

TEST_F(ReplayScreenTest, EnteringAndLeavingLeavesTheLiveGameAsIfNeverOpened)
{
    // Partly at x4: the replay is fed world steps, four a frame.
    live({Action::WalkDown, Action::WalkRight}, 120);
    tap("period");
    tap("period");
    live({Action::WalkDown, Action::RecruitHooligans}, 80);
    ASSERT_TRUE(pressUntil("r", true));
    const std::uint64_t before = hashes.back();
    const ReplayClock opened = game.instantReplay.clock();
    EXPECT_EQ(opened.first, 0u);
    EXPECT_EQ(opened.at, 0u);

    // Inside, the keys walk and recruit nobody, jumps and the pause touch nothing live.
    held = {Action::WalkLeft, Action::RecruitHooligans, Action::ZoomOut};
    for (int i = 0; i < 30; ++i)
        frame();
    tap("Right");
    tap("comma");
    tap("p");
    for (int i = 0; i < 20; ++i)
        frame();
    const ReplayClock inside = game.instantReplay.clock();
    EXPECT_TRUE(inside.paused);
    EXPECT_EQ(inside.speed, "x1/2");
    EXPECT_GE(inside.at, InstantReplay::JumpSteps + 30) << "neither played on nor jumped";
    game.window.setSize(sf::Vector2u(400, 300));
    ASSERT_TRUE(waitUntil("the resize to reach the replay", seconds(3), [&] {
        frame();
        return game.view.getSize() == sf::Vector2f(400.0f, 300.0f);
    }));
    ASSERT_TRUE(pressUntil("Escape", false));
    EXPECT_EQ(hashes.back(), before) << "the live game moved while the replay was open";
    EXPECT_EQ(game.view.getSize(), sf::Vector2f(400.0f, 300.0f)) << "the live camera fits the window resized inside";
    live({Action::WalkUp, Action::RecruitPolice}, 60);

    // The same live frames played where no replay was ever opened.
    Session fresh(std::nullopt);
    Play unwatched(fresh.city(), fresh.physics());
    StateHash unwatchedHash;
    for (std::size_t i = 0; i < played.size(); ++i)
    {
        unwatched.playFrame(played[i]);
        unwatchedHash.record(fresh.city());
        ASSERT_EQ(unwatchedHash.value(), hashes[i]) << "live frame " << i;
    }
}

TEST_F(ReplayScreenTest, AFrameOfTheReplayIsPixelForPixelTheFrameSeenLive)
{
    // The marks, the map and the panel hidden (the fixture's H): the replay draws
    // no marks of the fight and its bar where the live game has its panel.
    live({Action::WalkDown, Action::WalkRight}, 150);
    const sf::Image seen = presented();
    const sf::View camera = game.view;
    const std::size_t moment = game.instantReplay.moments().live();
    live({Action::WalkUp, Action::RecruitPolice}, 60);

    held.clear();
    ASSERT_TRUE(pressUntil("r", true));
    tap("p");
    ASSERT_TRUE(waitUntil("the replay to pause", seconds(3), [&] {
        frame();
        return game.instantReplay.clock().paused;
    }));
    EXPECT_EQ(differing(shownAt(moment, camera), seen), 0u);
}

TEST_F(ReplayScreenTest, AFileShownInTheWindowIsPixelForPixelTheGameSeenLive)
{
    const TempFolder folder;
    const std::string path = folder.path + "/game.tamrow";
    ReplayWriter writer(path);
    const auto recorded = [&](std::set<Action> keys, int frames) {
        held = std::move(keys);
        for (int i = 0; i < frames; ++i)
        {
            frame();
            writer.write(game.lastInput, city);
        }
    };
    recorded({Action::WalkDown, Action::WalkRight}, 200);
    const sf::Image seen = presented();
    const sf::View camera = game.view;
    recorded({Action::WalkUp, Action::RecruitPolice}, 100);
    ASSERT_TRUE(writer.finish());
    std::string error;
    const std::optional<Replay> file = Replay::read(path, error);
    ASSERT_TRUE(file) << error;

    game.showFile(*file);
    held.clear();
    frame();
    EXPECT_EQ(game.instantReplay.clock().first, 0u);
    EXPECT_EQ(game.instantReplay.clock().last, 300u);
    tap("p");
    EXPECT_EQ(differing(shownAt(200, camera), seen), 0u);
    EXPECT_EQ(game.instantReplay.mismatch(), "");
    // Leaving a file's replay closes the window: there is no live game to go back to.
    tap("Escape");
    EXPECT_TRUE(waitUntil("the window to close", seconds(3), [&] {
        frame();
        return !game.window.isOpen();
    }));
}

TEST_F(ReplayScreenTest, InsideTheReplaySlowMotionMovesTheCameraOnEveryFrame)
{
    live({Action::WalkRight}, 200);
    held.clear();
    ASSERT_TRUE(pressUntil("r", true));
    tap("comma");
    tap("comma");
    ASSERT_TRUE(waitUntil("the replay to slow down to x1/4", seconds(3), [&] {
        frame();
        return game.instantReplay.clock().speed == "x1/4";
    }));
    // Past the first steps at x1/4: the last two give the places to draw between.
    for (int i = 0; i < 12; ++i)
        frame();
    std::size_t steps = 0;
    for (int i = 0; i < 16; ++i)
    {
        const float cameraBefore = game.view.getCenter().x;
        const std::size_t before = game.instantReplay.clock().at;
        frame();
        EXPECT_GT(game.view.getCenter().x, cameraBefore) << "frame " << i;
        steps += game.instantReplay.clock().at - before;
    }
    EXPECT_EQ(steps, 4u);
}

TEST_F(ReplayScreenTest, InsideTheReplayAClickOnTheMapLooksThereAndOneOnTheBarJumpsThere)
{
    game.window.setSize(sf::Vector2u(1200, 700));
    ASSERT_TRUE(viewReaches(sf::Vector2f(1200.0f, 700.0f)));
    game.overlaysShown = true;
    game.mapShown = true;
    live({Action::WalkDown}, 600);
    held.clear();
    ASSERT_TRUE(pressUntil("r", true));
    tap("p");
    frame();

    const sf::Vector2u size = game.window.getSize();
    const sf::IntRect map = CityMap::placeIn(size, game.desk.lettered ? StatusPanel::placeIn(size) : sf::IntRect());
    const sf::Vector2i onMap(map.left + map.width / 4, map.top + map.height / 3);
    click(onMap.x, onMap.y);
    const sf::Vector2f looked =
        CityMap::toCity(sf::Vector2f(static_cast<float>(onMap.x), static_cast<float>(onMap.y)), map);
    ASSERT_TRUE(waitUntil("the camera to look where the map was clicked", seconds(3), [&] {
        frame();
        return game.view.getCenter() == looked;
    })) << game.view.getCenter().x << ", " << game.view.getCenter().y;

    // The track's ends are the earliest and the latest moment; a click between jumps to its own.
    const ReplayClock before = game.instantReplay.clock();
    const int row = ReplayBar::placeIn(size).top + static_cast<int>(ReplayBar::Height) / 2;
    std::vector<std::pair<int, std::size_t>> track;
    for (int x = 0; x < static_cast<int>(size.x); ++x)
        if (const auto moment = ReplayBar::momentAt(size, before, {static_cast<float>(x), static_cast<float>(row)}))
            track.emplace_back(x, *moment);
    ASSERT_GT(track.size(), 100u);
    EXPECT_EQ(track.front().second, before.first);
    EXPECT_EQ(track.back().second, before.last);
    const auto [x, moment] = track[track.size() * 3 / 4];
    click(x, row);
    ASSERT_TRUE(waitUntil("the replay to jump where the bar was clicked", seconds(3), [&] {
        frame();
        return game.instantReplay.clock().at == moment;
    })) << game.instantReplay.clock().at << " for " << moment;
    EXPECT_EQ(game.view.getCenter(), looked) << "the camera no longer follows";
}
} // namespace

TEST(RealProgramTest, ARecordingMadeWhileTheInstantReplayWasUsedReplaysBitForBit)
{
    RecordingAlone alone;
    ASSERT_TRUE(alone.started());
    const std::string& display = alone.display.name;
    ASSERT_TRUE(alone.x.focus(alone.window));
    const auto hold = [&](const char* way, const char* key) {
        EXPECT_EQ(runCommand({"/usr/bin/env", "DISPLAY=" + display, "xdotool", way, key}), 0) << key;
    };
    const auto wait = [](int ms) { std::this_thread::sleep_for(milliseconds(ms)); };
    hold("keydown", "d");
    wait(1500);
    // Inside the replay with d still held, then s and e too, a jump back and the pause.
    for (const char* key : {"r", "Left", "p", "r", "e", "Right", "Escape"})
    {
        tap(key, display);
        hold("keydown", "s");
        wait(400);
        hold("keyup", "s");
    }
    wait(800);
    hold("keyup", "d");
    alone.game.expectCleanClose(alone.x, alone.window, seconds(10));

    const Outcome run = runWithoutDisplay(alone.folder, {HeadlessProgram, "--replay", alone.recording});
    EXPECT_EQ(run.status, "exit status 0") << run.err;
}
} // namespace tamrow
