#pragma once

#include "support/ChildProcess.hpp"
#include "support/TestCity.hpp"
#include "support/XSession.hpp"

#include <chrono>
#include <string>
#include <vector>

/// The real game started from the repository root through env(1) with
/// `environment` (as "-u DISPLAY"), its output and its settings folder
/// (XDG_CONFIG_HOME, unless `environment` names another) in a temporary folder,
/// so that no test reads or writes the settings of the machine's user.
struct RealProgram
{
    explicit RealProgram(std::vector<std::string> environment = {});

    std::string out() const { return output.path + "/stdout.txt"; }
    std::string err() const { return output.path + "/stderr.txt"; }

    /// Waits for the game's one window to be on the screen; 0 if none came in `limit`.
    XWindowId window(XSession& x, std::chrono::milliseconds limit);

    /// Asks the window to close and expects a clean, silent exit within `limit`.
    void expectCleanClose(XSession& x, XWindowId window, std::chrono::milliseconds limit);

    TempFolder output;
    ChildProcess process;
};
