#pragma once

#include "support/ChildProcess.hpp"
#include "support/TestCity.hpp"
#include "support/XSession.hpp"

#include <chrono>
#include <string>
#include <vector>

namespace tamrow
{
/// The real game started from the repository root through env(1) with OpenAL
/// Soft's silent device and `environment` (as "-u DISPLAY"), its output and its settings folder
/// (XDG_CONFIG_HOME, unless `environment` names another) in a temporary folder,
/// so that no test reads or writes the settings of the machine's user; `arguments` on its command line.
struct RealProgram
{
    explicit RealProgram(std::vector<std::string> environment = {}, std::vector<std::string> arguments = {});

    std::string out() const { return output.path + "/stdout.txt"; }
    std::string err() const { return output.path + "/stderr.txt"; }

    /// Waits for the game's one window to be on the screen; 0 if none came in `limit`.
    XWindowId window(XSession& x, std::chrono::milliseconds limit);

    /// Asks the window to close and expects a clean, silent exit within `limit`.
    void expectCleanClose(XSession& x, XWindowId window, std::chrono::milliseconds limit);

    TempFolder output;
    ChildProcess process;
};

/// An X server of a test's own, on the first free display number, for as long as
/// this lives: what runs there meets no other test's windows.
struct PrivateDisplay
{
    PrivateDisplay()
    {
        // Xvfb writes its display number once it accepts connections.
        std::string number;
        EXPECT_TRUE(waitUntil("Xvfb to write its display number", std::chrono::seconds(10), [&] {
            number = fileContent(folder.path + "/display.txt");
            return !server.running() || (!number.empty() && number.back() == '\n');
        }, [&] { return "its log: " + fileContent(folder.path + "/xvfb.txt"); }));
        if (!number.empty() && number.back() == '\n')
            name = ":" + number.substr(0, number.size() - 1);
    }

    TempFolder folder;
    ChildProcess server{{"/usr/bin/Xvfb", "-displayfd", "1", "-screen", "0", "1920x1080x24", "-nolisten", "tcp"},
                        "/", folder.path + "/display.txt", folder.path + "/xvfb.txt"};
    std::string name;  ///< ":N"; empty if it did not come up
};

/// The real game alone on a display of its own, recording to `recording`.
struct RecordingAlone
{
    /// Whether the display came up and the game's window is on it (`window`), within 30 s.
    ::testing::AssertionResult started();

    PrivateDisplay display;
    XSession x{display.name};
    const TempFolder folder;
    const std::string recording = folder.path + "/game.tamrow";
    RealProgram game{{"DISPLAY=" + display.name}, {"--record", recording}};
    XWindowId window = 0;
};
} // namespace tamrow
