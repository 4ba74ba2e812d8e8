// People on a street of a real city: who picks whom (the nearest hostile, ties to
// the lower index), the chase (5 m/s at the target, a hit below 3 m), and the
// dead, tinted, with corpses where they fell.
#include "life/Simulation.hpp"
#include "support/TestCity.hpp"

#include "city/Units.hpp"

#include <gtest/gtest.h>

#include <cstring>
#include <tuple>
#include <vector>

namespace tamrow
{
namespace
{
/// Open ground well inside the walls, 50 m from the character at (60, 30) m.
constexpr float StageX = 100.0f, StageY = 60.0f;

/// A real city with the two outside founders parked out of reach (alive), so each
/// test places exactly the people it needs, from index 3.
class StreetTest : public ::testing::Test
{
protected:
    StreetTest()
    {
        // Beyond SearchRadius of every place in the city, and of each other.
        city.actors[1].body->SetTransform(b2Vec2(99999.0f, -99999.0f), 0.0f);
        city.actors[2].body->SetTransform(b2Vec2(-99999.0f, 99999.0f), 0.0f);
        city.population = 100;  // far above the limit: no wave, not even after a few deaths
    }

    /// Spawns a person of `side` at exactly (x, y) m from the stage; returns its index.
    std::size_t place(Faction side, float x, float y)
    {
        city.spawnActor(0.0f, 0.0f, TextureId::Civil, side);
        city.actors.back().body->SetTransform(b2Vec2(StageX + x, StageY + y), 0.0f);
        return city.actors.size() - 1;
    }

    /// Takes everyone placed off the street again, bodies and all.
    void clearStage()
    {
        for (std::size_t i = FounderCount; i < city.actors.size(); ++i)
            city.actors[i].body->GetWorld()->DestroyBody(city.actors[i].body);
        city.actors.resize(FounderCount);
        city.onStreet.resize(FounderCount);
    }

    /// Makes `hunter` chase `prey`, as a target choice would have.
    void chase(std::size_t hunter, std::size_t prey)
    {
        actor(hunter).target = static_cast<std::uint32_t>(prey);
        actor(hunter).state = ActorState::Chasing;
    }

    Actor& actor(std::size_t who) { return city.actors[who]; }
    b2Vec2 velocityOf(std::size_t who) const { return city.actors[who].body->GetLinearVelocity(); }

    TestCity town{true};
    City& city = town.city;
};

using Pursuit = StreetTest;

TEST_F(Pursuit, OneCallRunsAtTheTargetAndHitsBelowThreeMetres)
{
    // Where the prey stands from the hunter (m); 1 the hunter dead, 2 the prey, 0 nobody;
    // the hunter's velocity bit for bit, its state, the prey's health.
    // Direction in single precision, scaling in double: scaled in float, y would end in ...935.
    const struct {
        const char* what; b2Vec2 preyAt; int dead; b2Vec2 velocity; ActorState state; std::int32_t preyHealth;
    } chases[] = {
        {"3-4-5 triangle", {3, 4}, 0, {3, 4}, ActorState::Chasing, 10},
        {"scaling in float would round otherwise", {0.1f, -13.8f}, 0, {0.0362303853f, -4.99986887f},
         ActorState::Chasing, 10},
        {"exactly 3 m is out of reach", {3, 0}, 0, {5, 0}, ActorState::Chasing, 10},
        {"2.99 m hits in the same call", {-2.99f, 0}, 0, {-5, 0}, ActorState::Idle, 9},
        {"on top: a hit, no new velocity", {0, 0}, 0, {0.75f, -1.25f}, ActorState::Idle, 9},
        {"the dead neither run nor hit", {2, 0}, 1, {0.75f, -1.25f}, ActorState::Chasing, 10},
        {"a dead target is let go, no velocity set", {2, 0}, 2, {0.75f, -1.25f}, ActorState::Idle, 10},
    };
    for (const auto& c : chases)
    {
        SCOPED_TRACE(c.what);
        const std::size_t hunter = place(Faction::Hooli, 0, 0);
        const std::size_t prey = place(Faction::Police, c.preyAt.x, c.preyAt.y);
        chase(hunter, prey);
        actor(hunter).dead = c.dead == 1;
        actor(prey).dead = c.dead == 2;
        actor(hunter).body->SetLinearVelocity(b2Vec2(0.75f, -1.25f));

        actor(hunter).pursue(city.actors, PursuitSpeed);
        const b2Vec2 v = velocityOf(hunter);
        EXPECT_EQ(std::memcmp(&v, &c.velocity, sizeof v), 0) << v.x << ", " << v.y;  // -0 is not +0
        EXPECT_EQ(actor(hunter).state, c.state);
        EXPECT_EQ(actor(prey).health, c.preyHealth);
        EXPECT_EQ(actor(prey).state, ActorState::Idle) << "a hit does not change the target's mind";
        clearStage();
    }
}

using TargetChoice = StreetTest;

TEST_F(TargetChoice, NearestHostileWithTiesToTheLowerIndex)
{
    // Who chooses, dead or not, the others placed after it (side, x, y from it), and
    // the index among them of the one picked, or -1 for none.
    const struct {
        const char* what; Faction chooser; bool dead; std::vector<std::tuple<Faction, float, float>> others; int picked;
    } picks[] = {
        {"hooligan: nearest civilian or officer, own side ignored", Faction::Hooli, false,
         {{Faction::Civil, 9, 0}, {Faction::Police, 0, -6}, {Faction::Hooli, 1, 0}, {Faction::Civil, -7, 7}}, 1},
        {"officer: hooligans only", Faction::Police, false,
         {{Faction::Civil, 1, 0}, {Faction::Police, 0, 1}, {Faction::Hooli, 20, 0}}, 2},
        {"tie, civilian first", Faction::Hooli, false, {{Faction::Civil, 3, 4}, {Faction::Police, -3, -4}}, 0},
        {"tie, officer first", Faction::Hooli, false, {{Faction::Police, 0, 5}, {Faction::Civil, -5, 0}}, 0},
        {"civilians never choose", Faction::Civil, false, {{Faction::Hooli, 4, 0}, {Faction::Police, -4, 0}}, -1},
        {"the dead never choose", Faction::Hooli, true, {{Faction::Civil, 2, 0}}, -1},
        {"no hostile: Idle", Faction::Police, false, {{Faction::Civil, 0, 5}, {Faction::Police, -5, 0}}, -1},
    };
    for (const auto& pick : picks)
    {
        SCOPED_TRACE(pick.what);
        const std::size_t chooser = place(pick.chooser, 0, 0);
        for (const auto& [side, x, y] : pick.others)
            place(side, x, y);
        actor(chooser).dead = pick.dead;
        chase(chooser, 2);  // an old target: a search that finds nobody lets it go
        actor(chooser).body->SetLinearVelocity(b2Vec2(1.5f, -2.5f));

        actor(chooser).selectTarget(city.actors, city.onStreet);
        const bool chosen = pick.picked >= 0;
        const bool searches = !pick.dead && pick.chooser != Faction::Civil;
        EXPECT_EQ(actor(chooser).state, chosen || !searches ? ActorState::Chasing : ActorState::Idle);
        EXPECT_EQ(actor(chooser).target, chosen ? chooser + 1 + static_cast<std::size_t>(pick.picked) : 2u);
        EXPECT_EQ(velocityOf(chooser), b2Vec2(1.5f, -2.5f)) << "a choice sets no velocity";
        clearStage();
    }
}

using Corpses = StreetTest;

TEST_F(Corpses, EachDeadLiesWhereItFellTintedAndIsParkedOnce)
{
    const Faction sides[] = {Faction::Police, Faction::Hooli, Faction::Civil};
    std::vector<std::size_t> victims;
    for (std::size_t k = 0; k < 3; ++k)
    {
        const float x = 30.0f * static_cast<float>(k);
        victims.push_back(place(sides[k], x, 0));
        actor(victims.back()).health = 1;
        // Walking right at 1.5 m/s and turned, so both the step and the parking show.
        b2Body& body = *actor(victims.back()).body;
        body.SetLinearVelocity(b2Vec2(1.5f, 0.0f));
        body.SetTransform(body.GetPosition(), 0.7f);
        chase(place(sides[k] == Faction::Hooli ? Faction::Police : Faction::Hooli, x + 2.0f, 0), victims.back());
    }
    city.population = 14;

    advanceCity(town.world, city);
    ASSERT_EQ(city.props.size(), WallCount + 3);
    EXPECT_EQ(city.population, 11);
    for (std::size_t k = 0; k < 3; ++k)
    {
        SCOPED_TRACE(k);
        // Laid in the order of the dead, 2.5 cm right of where they stood: one step at 1.5 m/s.
        const Prop& corpse = city.props[WallCount + k];
        const b2Vec2 fell = corpse.body->GetPosition();
        EXPECT_NEAR(fell.x, StageX + 30.0f * static_cast<float>(k) + 0.025f, 1e-4f);
        EXPECT_NEAR(fell.y, StageY, 1e-4f);
        EXPECT_EQ(corpse.sprite.getPosition(), sf::Vector2f(fell.x * PixelsPerMeter, fell.y * PixelsPerMeter));
        EXPECT_EQ(actor(victims[k]).sprite.getColor(), DeathTint);
        // Parked out of play, turned straight, still moving as it fell, as the game parks
        // them (the long run checks every frame that each death stays parked, counted once).
        const b2Body& body = *actor(victims[k]).body;
        EXPECT_EQ(body.GetPosition(), ParkPosition);
        EXPECT_EQ(body.GetAngle(), 0.0f);
        EXPECT_EQ(body.GetLinearVelocity(), b2Vec2(1.5f, 0.0f));
        EXPECT_FALSE(body.IsEnabled());
    }
}
} // namespace
} // namespace tamrow
