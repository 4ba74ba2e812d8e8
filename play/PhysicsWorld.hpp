#pragma once

#include <box2d/box2d.h>

namespace tamrow
{
/// Owner of the run's physics, seen from above: no gravity, so a body moves
/// only by the velocity last set on it and by collisions. Every body of the
/// city lives in `world` or `carPark` and is freed with it, after the city is gone.
/// The one way a world is built: by the game, the tests, the benchmark and the headless run.
struct PhysicsWorld
{
    /// Both worlds without gravity; `world` keeps no forces between steps.
    PhysicsWorld();
    PhysicsWorld(const PhysicsWorld&) = delete;
    PhysicsWorld& operator=(const PhysicsWorld&) = delete;

    /// Stepped once a frame. The game never applies a force, so there are none
    /// to clear after a step: the walk over every body that clearing takes is spared.
    b2World world;
    /// Never stepped: where the bodies of the parked dead are kept (City::carPark),
    /// out of every step's walk over `world`'s bodies.
    b2World carPark;
};
} // namespace tamrow
