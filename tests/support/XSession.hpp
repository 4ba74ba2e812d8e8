#pragma once

// A test's own connection to the X display the game runs on: finding windows,
// asking them to close as a window manager would, and moving the pointer.
// Xlib stays inside XSession.cpp: its macros (None, Bool, Status) clash with SFML.

#include <chrono>
#include <string>
#include <vector>

using XWindowId = unsigned long;

struct XWindowInfo
{
    int x = 0;            ///< position of the top-left corner on the screen (px)
    int y = 0;
    int width = 0;        ///< inside size (px)
    int height = 0;
    bool viewable = false;  ///< mapped, and all its ancestors too
};

class XSession
{
public:
    /// Opens the display named by $DISPLAY, or the one named `displayName` (":5").
    XSession();
    explicit XSession(const std::string& displayName);
    ~XSession();
    XSession(const XSession&) = delete;
    XSession& operator=(const XSession&) = delete;

    bool connected() const { return display_ != nullptr; }

    /// Every window on the screen (at any depth) whose WM_NAME is exactly `title`.
    std::vector<XWindowId> windowsTitled(const std::string& title);

    /// Size, place and map state of `window`; all zero if it is gone.
    XWindowInfo info(XWindowId window);

    /// The window that has the keyboard focus.
    XWindowId focusedWindow();

    /// Sends `window` the close request a window manager sends when its close
    /// button is clicked: a WM_PROTOCOLS client message carrying WM_DELETE_WINDOW.
    bool requestClose(XWindowId window);

    /// Moves the mouse pointer to screen pixel (x, y) and waits until the
    /// server has done it (and so has sent the motion event to the window there).
    void warpPointer(int x, int y);

    /// Waits until the server has handled everything this connection sent.
    void sync();

    /// Waits up to `timeout` for `window` to be on the screen, then gives it the
    /// keyboard focus as a window manager would (there is none under Xvfb).
    /// True once the server says `window` has the focus.
    bool focus(XWindowId window, std::chrono::milliseconds timeout = std::chrono::seconds(5));

    /// Opens a plain, mapped top-level window of this connection's own, titled
    /// `title`, at screen pixel (x, y) with the given inside size (px).
    XWindowId openWindow(const std::string& title, int x, int y, int width, int height);
    void closeWindow(XWindowId window);

private:
    struct _XDisplay* display_ = nullptr;
};

/// Another program's window, as far as the game can tell: opened on creation,
/// gone on destruction, even when the test fails half way.
class PlainWindow
{
public:
    PlainWindow(XSession& x, const std::string& title, int left, int top, int width, int height);
    ~PlainWindow();
    PlainWindow(const PlainWindow&) = delete;
    PlainWindow& operator=(const PlainWindow&) = delete;

    XWindowId id() const { return id_; }

private:
    XSession& x_;
    XWindowId id_;
};

/// Holds a key down on the X server for its lifetime (`name` as xdotool names
/// keys): pressed on creation, released on destruction even when the test fails
/// half way, so a stuck key never leaks into the tests that share the display.
/// The key goes to whichever window has the focus, as a real key would.
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
