// The real program started thirty times in a row on a display of its own, as a
// player starts and quits it: every start opens the window and every close
// request ends it with status 0.
//
// The display is a private Xvfb with no other client, so each start is the
// server's only client and each exit leaves it with none: the server resets
// then, as X servers do when their last client leaves, and refuses connections
// for the moment of the reset. A program whose display check lets go before
// SFML connects, or that gives up at the first refusal, fails here.

#include "support/RealProgram.hpp"
#include "support/TestCity.hpp"

#include <gtest/gtest.h>

#include <cctype>
#include <sys/wait.h>
#include <thread>

namespace
{
using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;
using std::chrono::seconds;

constexpr int Starts = 30;

/// A private X server for one test, on the first free display number.
class PrivateDisplay
{
public:
    PrivateDisplay()
        : server_({"/usr/bin/Xvfb", "-displayfd", "1", "-screen", "0", "1920x1080x24", "-nolisten", "tcp"},
                  "/", folder_.path + "/display.txt", folder_.path + "/xvfb.txt")
    {
        // Xvfb writes its display number once it accepts connections.
        const Clock::time_point deadline = Clock::now() + seconds(10);
        while (Clock::now() < deadline && server_.running())
        {
            const std::string number = fileContent(folder_.path + "/display.txt");
            if (!number.empty() && number.back() == '\n')
            {
                name_ = ":" + number.substr(0, number.size() - 1);
                return;
            }
            std::this_thread::sleep_for(milliseconds(10));
        }
    }

    const std::string& name() const { return name_; }  ///< empty if the server did not come up

private:
    TempFolder folder_;
    ChildProcess server_;
    std::string name_;
};

/// The game's window on `display`, looked for with a connection opened and
/// closed for each look, so that the game stays the server's only client in
/// between. The first look waits until the game has made its own connections:
/// ours must not be there to keep the server from resetting while it does.
/// 0 if no window showed within the deadline.
XWindowId waitForWindow(const std::string& display, ChildProcess& game)
{
    const Clock::time_point deadline = Clock::now() + seconds(20);
    std::this_thread::sleep_for(milliseconds(500));
    while (Clock::now() < deadline && game.running())
    {
        XSession x(display);
        for (const XWindowId window : x.windowsTitled(GameWindowTitle))
        {
            if (x.info(window).viewable)
                return window;
        }
        std::this_thread::sleep_for(milliseconds(50));
    }
    return 0;
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
        ASSERT_TRUE(WIFEXITED(*status)) << "ended by signal " << WTERMSIG(*status) << "; stderr: "
                                        << fileContent(output.path + "/stderr.txt");
        EXPECT_EQ(WEXITSTATUS(*status), 0);
    }
}
