#pragma once

#include <box2d/box2d.h>

/// Owner of the run's one physics world, seen from above: no gravity, so a body
/// moves only by the velocity last set on it and by collisions. Every body of
/// the city lives in `world` and is freed with it, after the city is gone.
struct PhysicsWorld
{
    PhysicsWorld();
    PhysicsWorld(const PhysicsWorld&) = delete;
    PhysicsWorld& operator=(const PhysicsWorld&) = delete;

    b2World world;
};
