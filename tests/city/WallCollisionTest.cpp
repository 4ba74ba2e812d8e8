// The boundary walls and props are solid and immovable: people walking into them stop
// at their faces, and nothing a person does moves them.

#include "CityChecks.hpp"

#include "city/Units.hpp"

#include <array>
#include <cmath>

namespace
{
/// Walking speed pushed at a wall every step (m/s).
constexpr float PushSpeed = 10.0f;
/// Three seconds of pushing at 60 steps a second.
constexpr int PushSteps = 180;
/// How far a stopped box may stand off the face it rests on (m): Box2D's 0.01 m
/// polygon skin less its 0.005 m slop leaves two resting boxes ~0.015 m apart.
constexpr float RestGap = 2.0f * b2_polygonRadius;
/// How far a box ever gets past the face (m): the slop at most.
constexpr float MostOverlap = b2_linearSlop + 0.001f;

struct Approach
{
    const char* side;
    std::size_t wall;  ///< index in props
    float startX;      ///< where the walker is spawned (m), 4 m from the face
    float startY;
    b2Vec2 push;       ///< velocity set every step (m/s)
    float stopAt;      ///< body centre when the box touches the inner face (m)
    bool alongX;       ///< whether the wall stops x (left, right) or y (top, bottom)
};

// A person's box is 0.15 m wide and 0.3 m high either side of its centre.
const std::array<Approach, 4> Approaches = {{
    {"top", 0, 120.0f, 25.0f, {0.0f, -PushSpeed}, 21.0f + 0.3f, false},
    {"left", 1, 25.0f, 60.0f, {-PushSpeed, 0.0f}, 21.0f + 0.15f, true},
    {"bottom", 2, 120.0f, 91.0f, {0.0f, PushSpeed}, 95.0f - 0.3f, false},
    {"right", 3, 256.0f, 60.0f, {PushSpeed, 0.0f}, 260.0f - 0.15f, true},
}};

bool touches(const b2Body& body, const b2Body* other)
{
    for (const b2ContactEdge* edge = body.GetContactList(); edge != nullptr; edge = edge->next)
        if (edge->other == other && edge->contact->IsTouching())
            return true;
    return false;
}

/// Pushes `body` with `velocity` for `steps` steps, as held keys do, and returns how
/// far past `face` along the push its centre ever got (m; negative while short of it).
float push(b2World& world, b2Body& body, const b2Vec2& velocity, int steps, float face, bool alongX)
{
    const float sign = (alongX ? velocity.x : velocity.y) > 0.0f ? 1.0f : -1.0f;
    float deepest = -1e30f;
    for (int i = 0; i < steps; ++i)
    {
        body.SetLinearVelocity(velocity);
        stepWorld(world, 1);
        deepest = std::fmax(deepest, sign * ((alongX ? body.GetPosition().x : body.GetPosition().y) - face));
    }
    return deepest;
}
} // namespace

TEST_F(CityTest, WalkersAreStoppedTouchingEachWallsInnerFace)
{
    for (const Approach& approach : Approaches)
    {
        SCOPED_TRACE(std::string(approach.side) + " wall");
        city.spawnActor(approach.startX * PixelsPerMeter, approach.startY * PixelsPerMeter,
                        TextureId::Civil, Faction::Civil);
        b2Body& walker = *city.actors.back().body;
        const b2Body* wall = city.props[approach.wall].body;
        const b2Vec2 wallAt = wall->GetPosition();

        // Kept pushing long after reaching the wall: never through it, not even for a step.
        EXPECT_LE(push(world, walker, approach.push, PushSteps * 3, approach.stopAt, approach.alongX),
                  MostOverlap);
        const b2Vec2 at = walker.GetPosition();
        const float shortOfFace = approach.stopAt - (approach.alongX ? at.x : at.y);
        const float away = (approach.alongX ? approach.push.x : approach.push.y) > 0.0f ? 1.0f : -1.0f;
        EXPECT_GE(away * shortOfFace, -MostOverlap);
        EXPECT_LE(away * shortOfFace, RestGap) << "stopped before the wall";
        EXPECT_NEAR(approach.alongX ? at.y : at.x, approach.alongX ? approach.startY : approach.startX, 1e-4f)
            << "a straight push does not slide along the wall";
        EXPECT_TRUE(touches(walker, wall));
        EXPECT_EQ(wall->GetPosition(), wallAt);
        // Out of the way of the next walker.
        walker.SetEnabled(false);
    }
}

TEST_F(CityTest, StaticPropStopsAWalkerAndIsNotMoved)
{
    // A 2 m square crate centred at (100, 50) m; a walker comes from 5 m to its left.
    city.addProp(3000.0f, 1500.0f, 1.0f, 1.0f, 0.2f, 0.2f, TextureId::Fence);
    const b2Body& crate = *city.props.back().body;
    city.spawnActor(95.0f * PixelsPerMeter, 50.0f * PixelsPerMeter, TextureId::Hooli, Faction::Hooli);
    b2Body& walker = *city.actors.back().body;

    push(world, walker, b2Vec2(PushSpeed, 0.0f), PushSteps, 99.0f - 0.15f, true);

    EXPECT_EQ(crate.GetPosition(), b2Vec2(100.0f, 50.0f));
    EXPECT_EQ(crate.GetAngle(), 0.0f);
    const float shortOfFace = 99.0f - 0.15f - walker.GetPosition().x;
    EXPECT_GE(shortOfFace, -MostOverlap);
    EXPECT_LE(shortOfFace, RestGap);
    EXPECT_TRUE(touches(walker, &crate));
}
