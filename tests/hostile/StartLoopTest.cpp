// The real program started thirty times in a row on a display of its own, as a
// player starts and quits it: every start opens the window and every close
// request ends it with status 0.
//
// The display is a private Xvfb with no other client, so each start is the
// server's only client and each exit leaves it with none: the server resets
// then, as X servers do when their last client leaves, and refuses connections
// for the moment of the reset. A program whose display check lets go before
// SFML connects, or that gives up at the first refusal, fails here.

#include "app/Game.hpp"
#include "support/ChildProcess.hpp"
#include "support/XSession.hpp"
#include "support/TestCity.hpp"

#include <gtest/gtest.h>

#include <thread>

namespace
{
using std::chrono::milliseconds;
using std::chrono::seconds;

constexpr int Starts = 30;

/// The game's window on `display`, looked for with a connection opened and
/// closed for each look, so that the game stays the server's only client in
/// between. The first look waits until the game has made its own connections:
/// ours must not be there to keep the server from resetting while it does.
/// 0 if no window showed within the deadline.
XWindowId waitForWindow(const std::string& display, ChildProcess& game)
{
    std::this_thread::sleep_for(milliseconds(500));
    XWindowId found = 0;
    EXPECT_TRUE(waitUntil("the game's window on " + display, seconds(20), [&] {
        XSession x(display);
        for (const XWindowId window : x.windowsTitled(WindowTitle))
        {
            if (x.info(window).viewable)
                found = window;
        }
        return found != 0 || !game.running();
    }, [&] { return std::string(game.running() ? "the game running" : "the game ended"); }));
    return found;
}
} // namespace

TEST(StartLoopTest, ThirtyStartsOnADisplayOfTheirOwnAllOpenTheWindowAndCloseWithStatusZero)
{
    const PrivateDisplay display;
    ASSERT_FALSE(display.name().empty()) << "Xvfb did not start";
    TempFolder output;
    for (int start = 1; start <= Starts; ++start)
    {
        SCOPED_TRACE("start " + std::to_string(start));
        ChildProcess game({"/usr/bin/env", "DISPLAY=" + display.name(), TAMROW_BINARY}, TAMROW_SOURCE_DIR,
                          output.path + "/stdout.txt", output.path + "/stderr.txt");
        const XWindowId window = waitForWindow(display.name(), game);
        ASSERT_NE(window, 0u) << "no window; stderr: " << fileContent(output.path + "/stderr.txt");
        {
            XSession x(display.name());
            ASSERT_TRUE(x.requestClose(window));
        }
        const std::optional<int> status = game.waitForExit(seconds(10));
        ASSERT_TRUE(status.has_value()) << "still running after the close request";
        EXPECT_EQ(describeStatus(*status), "exit status 0") << "stderr: " << fileContent(output.path + "/stderr.txt");
    }
}
