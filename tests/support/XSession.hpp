#pragma once

// A test's own connection to the X display the game runs on, to find windows,
// focus and close them as a window manager would, and move the pointer. Xlib
// stays inside XSession.cpp: its macros clash with SFML.

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

struct _XDisplay;

namespace tamrow
{
using XWindowId = unsigned long;
/// No window of the game's: given the focus, it goes to a window of the test's
/// own, as when another program takes it (a window manager would not leave the
/// focus on no window at all).
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
    /// The Xlib display, for the game's own readers of it.
    struct _XDisplay* handle() const { return display_; }
    /// X's name of the first symbol of key code `code` in the layout in force,
    /// as xdotool takes it ("w", "minus", "F5"); empty for none.
    std::string keyNameOf(unsigned code);
    /// Every window on the screen (at any depth) whose WM_NAME is exactly `title`.
    std::vector<XWindowId> windowsTitled(const std::string& title);
    /// All zero if `window` is gone.
    XWindowInfo info(XWindowId window);
    /// A window manager's close button: WM_PROTOCOLS carrying WM_DELETE_WINDOW.
    bool requestClose(XWindowId window);

    /// The window that has the keyboard focus now (NoWindow if none).
    XWindowId focused();

    /// Whether a window manager runs: one has named its window on the root
    /// window's _NET_SUPPORTING_WM_CHECK, as window managers do once they manage.
    bool windowManagerRunning();

    /// Moves the mouse pointer to screen pixel (x, y), one motion event for the
    /// window there, and waits until the server has done it.
    void warpPointer(int x, int y);
    /// Waits up to `limit` for `window` to be on the screen, then gives it the
    /// keyboard focus as a window manager would. NoWindow gives it to a small
    /// window of this session's own in the screen's bottom-right corner, shown
    /// the first time, away from the game's windows.
    ::testing::AssertionResult focus(XWindowId window,
                                     std::chrono::milliseconds limit = std::chrono::seconds(5));

private:
    /// The window standing for another program; made and shown at the first call.
    XWindowId otherProgram();

    struct _XDisplay* display_ = nullptr;
    XWindowId otherProgram_ = NoWindow;
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
} // namespace tamrow
