#pragma once

#include <chrono>
#include <string>

struct _XDisplay;

namespace tamrow
{
/// How long start-up keeps asking a display that refuses to connect. An X server
/// resets itself when its last client leaves (unless started with -noreset) and,
/// for the few milliseconds of the reset, refuses or drops new connections.
constexpr std::chrono::milliseconds DisplayPatience(2000);

/// A connection of our own to the X display named by $DISPLAY, held open for
/// this object's life.
///
/// SFML opens its own connection when the first window or texture needs one, and
/// aborts the process if that connection is refused. Holding this one from before
/// SFML connects until after it has let go keeps the server from ever seeing its
/// last client leave in between, so it never resets under the game. Create it
/// before anything that draws and destroy it after everything that did.
class DisplayConnection
{
public:
    /// Connects, trying again after pauses of 10 ms, doubling up to 250 ms, for up
    /// to `patience` while the display refuses. Without $DISPLAY (or with it
    /// empty) it tries once: waiting cannot bring a display name.
    explicit DisplayConnection(std::chrono::milliseconds patience = DisplayPatience);
    ~DisplayConnection();
    DisplayConnection(const DisplayConnection&) = delete;
    DisplayConnection& operator=(const DisplayConnection&) = delete;

    /// Whether the display accepted; if not, nothing here may open a window or load a texture.
    bool open() const { return display_ != nullptr; }
    /// The Xlib display, for requests of our own; null when not open.
    struct _XDisplay* handle() const { return display_; }

    /// The one line a program prints when the display cannot be reached, naming
    /// $DISPLAY as the player set it, e.g. "tamrow: cannot open the X display
    /// (DISPLAY=:3): is a desktop session running?" (no line break).
    static std::string refusal(const std::string& program);

private:
    struct _XDisplay* display_ = nullptr;
};
} // namespace tamrow
