#include "app/Game.hpp"
#include "app/PhysicsWorld.hpp"
#include "city/City.hpp"

#include <cstdio>
#include <cstdlib>
#include <string>

// Last: Xlib's macros (None, Bool, Status) would clash with SFML's headers.
#include <X11/Xlib.h>

namespace
{
/// Whether the X display named by $DISPLAY accepts a connection. Without one,
/// SFML prints its own message at the first texture and aborts.
bool displayOpens()
{
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr)
        return false;
    XCloseDisplay(display);
    return true;
}

/// $DISPLAY as a player would read it in the message.
std::string displaySetting()
{
    const char* value = std::getenv("DISPLAY");
    if (value == nullptr)
        return "DISPLAY is not set";
    return std::string("DISPLAY=") + value;
}
} // namespace

int main()
{
    // Before anything is built: one clear line instead of SFML's abort.
    if (!displayOpens())
    {
        std::fprintf(stderr, "tamrow: cannot open the X display (%s): is a desktop session running?\n",
                     displaySetting().c_str());
        return 1;
    }

    // Built in this order and torn down in reverse: the world outlives every body.
    PhysicsWorld physics;
    City city(physics.world);
    Game game(city, physics);
    while (game.window.isOpen())
    {
        game.handleInput();
        game.runFrame();
    }
    return 0;
}
