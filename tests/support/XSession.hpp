#pragma once

// A test's own connection to the X display the game runs on, to find windows,
// focus and close them as a window manager would, and move the pointer. Xlib
// stays inside XSession.cpp: its macros clash with SFML.

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

using XWindowId = unsigned long;
/// Focus on no window: the keyboard goes nowhere, as when another program takes it.
constexpr XWindowId NoWindow = 0;

struct XWindowInfo
{
    int x = 0, y = 0;  ///< top-left corner on the screen (px)
    int width = 0, height = 0;  ///< inside size (px)
    bool viewable = false;  ///< mapped, and all its ancestors too
};

class XSession
{
public:
    /// Opens the display named `displayName` (":5"), or by $DISPLAY if empty.
    explicit XSession(const std::string& displayName = std::string());
    ~XSession();
    XSession(const XSession&) = delete;
    XSession& operator=(const XSession&) = delete;

    bool connected() const { return display_ != nullptr; }
    /// Every window on the screen (at any depth) whose WM_NAME is exactly `title`.
    std::vector<XWindowId> windowsTitled(const std::string& title);
    /// All zero if `window` is gone.
    XWindowInfo info(XWindowId window);
    /// A window manager's close button: WM_PROTOCOLS carrying WM_DELETE_WINDOW.
    bool requestClose(XWindowId window);
    /// Moves the pointer to screen pixel (x, y) and waits until the server has.
    void warpPointer(int x, int y);
    /// Waits up to `limit` for `window` to be on the screen, then gives it the
    /// focus as a window manager would (there is none under Xvfb); NoWindow takes it from all.
    ::testing::AssertionResult focus(XWindowId window, std::chrono::milliseconds limit = std::chrono::seconds(5));

private:
    struct _XDisplay* display_ = nullptr;
};

/// Holds a key (as xdotool names it) down on the X server for its lifetime, for
/// the focused window; released even when the test fails half way, so a stuck key
/// never leaks into the tests that share the display.
class RealKeyDown
{
public:
    explicit RealKeyDown(std::string name);
    ~RealKeyDown();
    RealKeyDown(const RealKeyDown&) = delete;
    RealKeyDown& operator=(const RealKeyDown&) = delete;
    bool pressed() const { return pressed_; }

private:
    std::string name_;
    bool pressed_;
};
