#pragma once

// The real program as a test starts it, and its window found on the screen.

#include "support/ChildProcess.hpp"
#include "support/XSession.hpp"

#include <chrono>
#include <string>
#include <vector>

/// The title the game's window has, as a player reads it.
extern const std::string GameWindowTitle;

/// The windows titled as the game's that were not there before it started.
std::vector<XWindowId> newGameWindows(XSession& x, const std::vector<XWindowId>& before);

/// Waits up to `timeout` for a new game window to be on the screen, while
/// `game` runs; the new game windows there are then.
std::vector<XWindowId> waitForGameWindow(XSession& x, const std::vector<XWindowId>& before, ChildProcess& game,
                                         std::chrono::milliseconds timeout);

/// The whole content of a (small) file; empty if there is none.
std::string fileContent(const std::string& path);
