#include "app/Game.hpp"
#include "app/PhysicsWorld.hpp"
#include "city/City.hpp"

int main()
{
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
