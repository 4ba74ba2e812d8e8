#include "play/PhysicsWorld.hpp"

namespace tamrow
{
PhysicsWorld::PhysicsWorld()
    : world(b2Vec2(0.0f, 0.0f))
    , carPark(b2Vec2(0.0f, 0.0f))
{
    world.SetAutoClearForces(false);
}
} // namespace tamrow
