#include "app/DisplayConnection.hpp"
#include "app/Game.hpp"
#include "app/PhysicsWorld.hpp"
#include "city/City.hpp"

#include <cstdio>

int main()
{
    // Before anything is built, and held until everything is gone: a display that
    // cannot be reached gets one clear line instead of SFML's abort, and the X
    // server never resets between our connection and SFML's.
    const DisplayConnection display;
    if (!display.open())
    {
        std::fprintf(stderr, "%s\n", DisplayConnection::refusal("tamrow").c_str());
        return 1;
    }

    // Built in this order and torn down in reverse: the world outlives every body.
    PhysicsWorld physics;
    City city(physics.world, &physics.carPark);
    Game game(city, physics);
    while (game.window.isOpen())
        game.runFrame();
    return 0;
}
