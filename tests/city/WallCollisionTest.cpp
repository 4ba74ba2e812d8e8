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
/// How far a stopped box may stand off the face it rests on (m): Box2D gives every
/// polygon a 0.01 m skin and lets skins overlap by its 0.005 m slop, so two boxes at
/// rest stand about 0.015 m apart, half a screen pixel.
constexpr float RestGap = 2.0f * b2_polygonRadius;

/// How far the box ever gets past the face (m): Box2D lets it in by its slop at most.
constexpr float MostOverlap = b2_linearSlop + 0.001f;

struct Approach
{
    const char* side;
    std::size_t wall;  ///< index in props
    float startX;      ///< where the walker is spawned (m), 4 m from the face
    float startY;
    b2Vec2 push;       ///< velocity set every step (m/s)
    float stopAt;      ///< body centre when the box touches the inner face (m)
    float away;        ///< which way is back from the face into the streets: +1 or -1
    bool alongX;       ///< whether the wall stops x (left, right) or y (top, bottom)
};

// Inner faces at y = 21 (top), x = 21 (left), y = 95 (bottom), x = 260 (right);
// a person's box is 0.15 m wide and 0.3 m high either side of its centre.
const std::array<Approach, 4> Approaches = {{
    {"top", 0, 120.0f, 25.0f, {0.0f, -PushSpeed}, 21.0f + 0.3f, 1.0f, false},
    {"left", 1, 25.0f, 60.0f, {-PushSpeed, 0.0f}, 21.0f + 0.15f, 1.0f, true},
    {"bottom", 2, 120.0f, 91.0f, {0.0f, PushSpeed}, 95.0f - 0.3f, -1.0f, false},
    {"right", 3, 256.0f, 60.0f, {PushSpeed, 0.0f}, 260.0f - 0.15f, -1.0f, true},
}};

/// True when `body` has a touching contact with `other`.
bool touches(const b2Body& body, const b2Body* other)
{
    for (const b2ContactEdge* edge = body.GetContactList(); edge != nullptr; edge = edge->next)
        if (edge->other == other && edge->contact->IsTouching())
            return true;
    return false;
}

class WallTest : public CityTest, public ::testing::WithParamInterface<Approach>
{
protected:
    /// Spawns a civilian at (`x`, `y`) m and returns its body.
    b2Body& spawnWalker(float x, float y)
    {
        city.spawnActor(x * PixelsPerMeter, y * PixelsPerMeter, slot(TextureId::Civil),
                        Faction::Civil);
        return *city.actors.back().body;
    }

    /// Pushes `body` with `velocity` for `steps` steps, as held keys do, and returns
    /// how far past `face` along the push it ever got (m; negative while short of it).
    static float push(b2World& physics, b2Body& body, const b2Vec2& velocity, int steps,
                      float face, bool alongX)
    {
        const float sign = (alongX ? velocity.x : velocity.y) > 0.0f ? 1.0f : -1.0f;
        float deepest = -1e30f;
        for (int i = 0; i < steps; ++i)
        {
            body.SetLinearVelocity(velocity);
            stepWorld(physics, 1);
            const float centre = alongX ? body.GetPosition().x : body.GetPosition().y;
            deepest = std::fmax(deepest, sign * (centre - face));
        }
        return deepest;
    }
};
} // namespace

TEST_P(WallTest, WalkerIsStoppedTouchingTheInnerFace)
{
    const Approach& approach = GetParam();
    b2Body& walker = spawnWalker(approach.startX, approach.startY);
    const b2Body* wall = city.props[approach.wall].body;
    const b2Vec2 wallAt = wall->GetPosition();

    const float overshoot =
        push(world, walker, approach.push, PushSteps, approach.stopAt, approach.alongX);

    // Never through the wall, not even for a step.
    EXPECT_LE(overshoot, MostOverlap);

    const b2Vec2 at = walker.GetPosition();
    const float stopped = approach.alongX ? at.x : at.y;
    const float across = approach.alongX ? at.y : at.x;
    const float shortOfFace = approach.away * (stopped - approach.stopAt);
    EXPECT_GE(shortOfFace, -MostOverlap) << "centre at " << stopped;
    EXPECT_LE(shortOfFace, RestGap) << "centre at " << stopped << ": stopped before the wall";
    EXPECT_NEAR(across, approach.alongX ? approach.startY : approach.startX, 1e-4f)
        << "a straight push does not slide along the wall";
    EXPECT_NEAR(walker.GetAngle(), 0.0f, 0.01f) << "hardly turned (rad)";
    EXPECT_TRUE(touches(walker, wall)) << "resting on the " << approach.side << " wall";

    // The wall itself has not moved.
    EXPECT_EQ(wall->GetPosition(), wallAt);
    EXPECT_EQ(wall->GetLinearVelocity(), b2Vec2(0.0f, 0.0f));
}

TEST_P(WallTest, StoppedWalkerStaysInside)
{
    // Keep pushing long after reaching the wall: no creeping through.
    const Approach& approach = GetParam();
    b2Body& walker = spawnWalker(approach.startX, approach.startY);
    const float overshoot =
        push(world, walker, approach.push, PushSteps * 3, approach.stopAt, approach.alongX);
    EXPECT_LE(overshoot, MostOverlap);

    const b2Vec2 at = walker.GetPosition();
    EXPECT_GT(at.x, 21.0f);
    EXPECT_LT(at.x, 260.0f);
    EXPECT_GT(at.y, 21.0f);
    EXPECT_LT(at.y, 95.0f);
}

INSTANTIATE_TEST_SUITE_P(EachWall, WallTest, ::testing::ValuesIn(Approaches),
                         [](const ::testing::TestParamInfo<Approach>& wall) {
                             return std::string(wall.param.side);
                         });

TEST_F(CityTest, StaticPropStopsAWalkerAndIsNotMoved)
{
    // A 2 m square crate centred at (100, 50) m; a walker comes from 5 m to its left.
    city.addProp(3000.0f, 1500.0f, 1.0f, 1.0f, 0.2f, 0.2f, slot(TextureId::Fence));
    const b2Body& crate = *city.props.back().body;
    city.spawnActor(95.0f * PixelsPerMeter, 50.0f * PixelsPerMeter, slot(TextureId::Hooli),
                    Faction::Hooli);
    b2Body& walker = *city.actors.back().body;

    for (int i = 0; i < PushSteps; ++i)
    {
        walker.SetLinearVelocity(b2Vec2(PushSpeed, 0.0f));
        stepWorld(world, 1);
    }

    EXPECT_EQ(crate.GetPosition(), b2Vec2(100.0f, 50.0f));
    EXPECT_EQ(crate.GetAngle(), 0.0f);
    EXPECT_EQ(crate.GetLinearVelocity(), b2Vec2(0.0f, 0.0f));
    const float shortOfFace = 99.0f - 0.15f - walker.GetPosition().x;
    EXPECT_GE(shortOfFace, -MostOverlap);
    EXPECT_LE(shortOfFace, RestGap);
    EXPECT_TRUE(touches(walker, &crate));

    // Its sprite follows its unmoved body.
    city.syncProps();
    EXPECT_EQ(city.props.back().sprite.getPosition(), sf::Vector2f(3000.0f, 1500.0f));
}

TEST_F(CityTest, PeopleRunningIntoEachOtherMoveButWallsDoNot)
{
    // A crowd driven into the top-left corner: the people are pushed about by each
    // other, yet the walls stay exactly where they were built.
    std::array<b2Vec2, 4> wallsAt{};
    for (std::size_t w = 0; w < wallsAt.size(); ++w)
        wallsAt[w] = city.props[w].body->GetPosition();

    for (int n = 0; n < 20; ++n)
        city.spawnActor((24.0f + static_cast<float>(n % 5)) * PixelsPerMeter,
                        (24.0f + static_cast<float>(n / 5)) * PixelsPerMeter,
                        slot(TextureId::Hooli), Faction::Hooli);
    for (int i = 0; i < PushSteps; ++i)
    {
        for (std::size_t a = 3; a < city.actors.size(); ++a)
            city.actors[a].body->SetLinearVelocity(b2Vec2(-PushSpeed, -PushSpeed));
        stepWorld(world, 1);
    }

    for (std::size_t w = 0; w < wallsAt.size(); ++w)
        EXPECT_EQ(city.props[w].body->GetPosition(), wallsAt[w]) << "wall " << w;
    for (std::size_t a = 3; a < city.actors.size(); ++a)
    {
        const BoxExtent box = worldExtent(*city.actors[a].body);
        EXPECT_GT(box.left, 21.0f - MostOverlap) << "actor " << a;
        EXPECT_GT(box.top, 21.0f - MostOverlap) << "actor " << a;
    }
}
