// The real program, started from the repository root on the test display: one
// 1600 x 900 window, still running, silent, status 0 when asked to close.

#include "support/GameFixture.hpp"
#include "support/RealProgram.hpp"
#include "support/TestCity.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/wait.h>
#include <thread>

namespace
{
using Clock = std::chrono::steady_clock;
using std::chrono::seconds;

const std::string ScreenshotPath = std::string(TAMROW_BUILD_DIR) + "/screenshot.png";
} // namespace

TEST(EndToEndTest, RunsInOneWindowPrintsNothingAndClosesWithStatusZero)
{
    XSession x;
    ASSERT_TRUE(x.connected()) << "run under xvfb-run";
    TempFolder output;
    const std::string stdoutPath = output.path + "/stdout.txt";
    const std::vector<XWindowId> before = x.windowsTitled(GameWindowTitle);

    ChildProcess game({TAMROW_BINARY}, TAMROW_SOURCE_DIR, stdoutPath);
    ASSERT_TRUE(game.started());
    const Clock::time_point started = Clock::now();
    const std::vector<XWindowId> windows = waitForGameWindow(x, before, game, seconds(15));
    ASSERT_EQ(windows.size(), 1u) << "exactly one window titled \"" << GameWindowTitle << "\"";
    const XWindowId window = windows.front();
    const XWindowInfo opened = x.info(window);
    EXPECT_TRUE(opened.viewable);
    EXPECT_EQ(opened.width, 1600);
    EXPECT_EQ(opened.height, 900);

    // Put the whole window on the screen, as a window manager would; photograph it at 2 s.
    ASSERT_EQ(runCommand({"xdotool", "windowmove", std::to_string(window), "160", "90"}).exitCode, 0);
    std::this_thread::sleep_until(started + seconds(2));
    std::filesystem::remove(ScreenshotPath);
    ASSERT_EQ(runCommand({"import", "-window", std::to_string(window), ScreenshotPath}, seconds(30)).exitCode, 0);
    sf::Image screenshot;
    ASSERT_TRUE(screenshot.loadFromFile(ScreenshotPath));
    ASSERT_EQ(screenshot.getSize(), sf::Vector2u(1600, 900));
    // Nobody nears the character early on: the camera is on its start, the map around it.
    sf::Image map;
    const bool haveMap = map.loadFromFile(std::string(TAMROW_SOURCE_DIR) + "/resources/image/08_map.png");
    const BackdropComparison comparison = compareWithBackdrop(screenshot, haveMap ? map : sf::Image(),
                                                              {1800.0f, 900.0f}, sf::IntRect(800, 450, 22, 40));
    EXPECT_GT(comparison.compared, 3000);
    EXPECT_LT(comparison.mismatched, comparison.compared / 20) << comparison.firstMismatches;

    std::this_thread::sleep_until(started + seconds(3));
    ASSERT_TRUE(game.running()) << "the game stopped by itself";
    EXPECT_EQ(newGameWindows(x, before).size(), 1u);

    // The close button of a window manager: WM_DELETE_WINDOW, not a kill.
    ASSERT_TRUE(x.requestClose(window));
    const std::optional<int> status = game.waitForExit(seconds(10));
    ASSERT_TRUE(status.has_value()) << "the game did not end after the close request";
    ASSERT_TRUE(WIFEXITED(*status)) << "ended by signal " << WTERMSIG(*status);
    EXPECT_EQ(WEXITSTATUS(*status), 0);
    EXPECT_TRUE(newGameWindows(x, before).empty());
    EXPECT_EQ(std::filesystem::file_size(stdoutPath), 0u) << "the game wrote to its standard output";
}
