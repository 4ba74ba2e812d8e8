// The real program, started from the repository root as a player starts it.
#include "hud/StatusPanel.hpp"
#include "hud/CityMap.hpp"
#include "support/BuildPaths.hpp"
#include "support/ChildProcess.hpp"
#include "support/GameFixture.hpp"
#include "support/RealProgram.hpp"

#include <SFML/Graphics/RenderTexture.hpp>
#include <SFML/Graphics/Sprite.hpp>

#include <algorithm>
#include <cstdlib>
#include <random>
#include <set>

namespace tamrow
{
namespace
{
using Clock = std::chrono::steady_clock;
using std::chrono::seconds;

TEST(RealProgramTest, RunsInOneWindowShowingTheMapAndClosesWithStatusZero)
{
    XSession x;
    ASSERT_TRUE(x.connected()) << "run under xvfb-run";
    RealProgram game;
    const XWindowId window = game.window(x, seconds(15));
    ASSERT_NE(window, 0u);

    // The whole window photographed until it shows the map around the character's start.
    ASSERT_EQ(runCommand({"xdotool", "windowmove", std::to_string(window), "160", "90"}), 0);
    // The help card of the first start goes at the first key press.
    ASSERT_TRUE(x.focus(window));
    ASSERT_EQ(runCommand({"xdotool", "key", "Left"}), 0);
    const std::string screenshot = std::string(BuildFolder) + "/screenshot.png";
    // What it must show: the map at its scale, the camera on the character's start.
    sf::Texture map;
    ASSERT_TRUE(map.loadFromFile(std::string(SourceFolder) + "/resources/image/" + MapImageFile));
    sf::Sprite mapSprite(map);
    mapSprite.setScale(MapScale, MapScale);
    sf::RenderTexture drawn;
    ASSERT_TRUE(drawn.create(1600, 900));
    drawn.setView(sf::View(sf::Vector2f(1800.0f, 900.0f), sf::Vector2f(1600.0f, 900.0f)));
    drawn.clear(ClearColour);
    drawn.draw(mapSprite);
    drawn.display();
    const sf::Image expected = drawn.getTexture().copyToImage();
    // Every 17th pixel both ways, within one per channel, but the character's corner and the city map.
    const sf::IntRect cityMap = CityMap::placeIn(expected.getSize(), StatusPanel::placeIn(expected.getSize()));
    int off = -1;
    EXPECT_TRUE(waitUntil("the map around the character on the screen", seconds(15), [&] {
        sf::Image shown;
        if (runCommand({"import", "-window", std::to_string(window), screenshot}) != 0 ||
            !shown.loadFromFile(screenshot) || shown.getSize() != expected.getSize())
            return false;
        off = 0;
        for (unsigned row = 0; row < 900; row += 17)
            for (unsigned column = 0; column < 1600; column += 17)
            {
                const sf::Color a = shown.getPixel(column, row), b = expected.getPixel(column, row);
                const sf::Vector2i at(static_cast<int>(column), static_cast<int>(row));
                off += !sf::IntRect(800, 450, 22, 40).contains(at) && !cityMap.contains(at) &&
                       (std::abs(a.r - b.r) > 1 || std::abs(a.g - b.g) > 1 || std::abs(a.b - b.b) > 1);
            }
        return off < 250;  // of about 5000 compared
    }, [&] { return std::to_string(off) + " pixels off the map"; }));

    game.expectCleanClose(x, window, seconds(10));
    EXPECT_TRUE(x.windowsTitled(WindowTitle).empty());
}

TEST(RealProgramTest, WithoutADisplayItSaysSoInOneLineAndFails)
{
    const std::pair<std::vector<std::string>, std::string> settings[] = {
        {{"-u", "DISPLAY"}, "DISPLAY is not set"},
        {{"DISPLAY=:99999"}, "DISPLAY=:99999"},
        {{"DISPLAY=not a display"}, "DISPLAY=not a display"},
    };
    for (const auto& [environment, named] : settings)
    {
        RealProgram game(environment);
        // It asks a display that refuses again for 2 s before giving up.
        EXPECT_EQ(game.process.waitForExit(seconds(4)), "exit status 1") << named;
        EXPECT_EQ(fileContent(game.err()),
                  "tamrow: cannot open the X display (" + named + "): is a desktop session running?\n");
        EXPECT_EQ(fileContent(game.out()), "") << named;
    }
}

/// The game's keys twice over, and others a player might press (xdotool's names); not F11,
/// whose full screen is a new window, nor F12, which would leave screenshots behind.
const char* const MonkeyKeys[] = {
    "w", "a", "s", "d", "q", "e", "z", "x", "w", "a", "s", "d", "q", "e", "z", "x", "space", "Return",
    "Escape", "Tab", "BackSpace", "F1", "F5", "Up", "Left", "Right", "r", "1", "m", "p", "shift", "ctrl", "alt", "super"};

TEST(MonkeyTest, AThousandRandomKeysResizesAndFocusChangesThenACleanClose)
{
    // A display of its own, so that the other tests' windows may run meanwhile.
    const PrivateDisplay display;
    XSession x(display.name);
    ASSERT_TRUE(x.connected()) << "Xvfb did not start";
    const auto xdotool = [&display](std::vector<std::string> argv) {
        argv.insert(argv.begin(), {"/usr/bin/env", "DISPLAY=" + display.name, "xdotool"});
        return runCommand(argv);
    };
    RealProgram game({"DISPLAY=" + display.name});
    const XWindowId window = game.window(x, seconds(30));
    ASSERT_NE(window, 0u);

    std::mt19937 random(2014);
    const auto pick = [&random](std::size_t count) {
        return std::uniform_int_distribution<int>(0, static_cast<int>(count) - 1)(random);
    };
    std::set<std::string> held;
    // A count, not a minute: on a busy machine each action takes longer, and
    // the game must still have taken all of them. The deadline only stops a
    // machine so slow that the run would outlast the test's timeout.
    constexpr int MonkeyActions = 1100;
    int actions = 0;
    bool focusAway = false;
    for (const Clock::time_point end = Clock::now() + seconds(150); actions < MonkeyActions && Clock::now() < end;
         ++actions)
    {
        const int roll = pick(100);
        const XWindowInfo at = x.info(window);
        if (roll < 35)
            xdotool({"keydown", *held.insert(MonkeyKeys[static_cast<std::size_t>(pick(std::size(MonkeyKeys)))]).first});
        else if (roll < 65 && !held.empty())
        {
            const auto key = std::next(held.begin(), pick(held.size()));
            xdotool({"keyup", *key});
            held.erase(key);
        }
        else if (roll < 85)  // now and then a burst: many events while Z or X is held zoom far
            for (int i = roll < 80 ? 1 : 25; i > 0; --i)
                x.warpPointer(at.x + pick(std::max(at.width, 1)), at.y + pick(std::max(at.height, 1)));
        else if (roll < 93)  // half the time a squeezed size: a pixel, a line, a sliver
        {
            const int sizes[][2] = {{1, 1}, {1, 900}, {1600, 1}, {2, 3}, {17, 9}, {1 + pick(2400), 1 + pick(2400)}};
            const int* size = sizes[pick(2) == 0 ? pick(5) : 5];
            xdotool({"windowsize", std::to_string(window), std::to_string(size[0]), std::to_string(size[1])});
        }
        else
            static_cast<void>(x.focus((focusAway = !focusAway) ? NoWindow : window));
        ASSERT_TRUE(game.process.running()) << "the game ended after " << actions << " actions; stderr:\n"
                                              << fileContent(game.err());
    }
    for (const std::string& key : held)
        xdotool({"keyup", key});
    EXPECT_EQ(actions, MonkeyActions) << "the machine was too slow to play them all in 150 s";

    // Calm again at the normal size, then the close button.
    ASSERT_EQ(xdotool({"windowsize", std::to_string(window), "1600", "900"}), 0);
    EXPECT_TRUE(waitUntil("the window back at 1600 x 900", seconds(5), [&] { return x.info(window).width == 1600; }));
    game.expectCleanClose(x, window, seconds(20));
}
} // namespace
} // namespace tamrow
