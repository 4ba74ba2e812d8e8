// Who picks whom (the nearest hostile, never the character, never by civilians or the
// dead), and the chase: 5 m/s toward the target, a hit below 3 m, death at 0 health.
#include "Street.hpp"

#include <optional>
#include <vector>

namespace
{
using Pursuit = StreetTest;

struct Chase
{
    const char* what;
    b2Vec2 hunterAt;  ///< from the stage (m)
    b2Vec2 preyAt;
    bool hunterDead;
    std::optional<b2Vec2> velocity;  ///< exactly this; else as expectedChaseVelocity computes it
    ActorState state;
    std::int32_t preyHealth;
};

TEST_F(Pursuit, OneCallRunsAtTheTargetAndHitsBelowThreeMetres)
{
    const Chase chases[] = {
        {"3-4-5 triangle", {0, 0}, {3, 4}, false, b2Vec2(3, 4), ActorState::Chasing, 10},
        {"uneven direction", {0.3f, 20.7f}, {17.1f, 11.9f}, false, std::nullopt, ActorState::Chasing, 10},
        {"scaling in float would round otherwise", {0, 0}, {0.1f, -138.0f * 0.1f}, false, std::nullopt,
         ActorState::Chasing, 10},
        {"exactly 3 m is out of reach", {0, 0}, {3, 0}, false, b2Vec2(5, 0), ActorState::Chasing, 10},
        {"2.99 m hits in the same call", {0, 0}, {2.99f, -0.01f}, false, std::nullopt, ActorState::Idle, 9},
        {"on top: a hit, no new velocity", {0, 0}, {0, 0}, false, b2Vec2(0.75f, -1.25f), ActorState::Idle, 9},
        {"the dead neither run nor hit", {0, 0}, {2, 0}, true, b2Vec2(0.75f, -1.25f), ActorState::Chasing, 10},
    };
    for (const Chase& c : chases)
    {
        SCOPED_TRACE(c.what);
        const std::size_t hunter = place(Faction::Hooli, StageX + c.hunterAt.x, StageY + c.hunterAt.y);
        const std::size_t prey = place(Faction::Police, StageX + c.preyAt.x, StageY + c.preyAt.y);
        chase(hunter, prey);
        actor(hunter).dead = c.hunterDead;
        setVelocity(hunter, 0.75f, -1.25f);

        actor(hunter).pursue(city.actors, PursuitSpeed);
        expectSameVelocity(velocityOf(hunter),
                           c.velocity.value_or(expectedChaseVelocity(positionOf(hunter), positionOf(prey),
                                                                     PursuitSpeed)));
        EXPECT_EQ(actor(hunter).state, c.state);
        EXPECT_EQ(actor(prey).health, c.preyHealth);
        EXPECT_EQ(actor(prey).state, ActorState::Idle) << "a hit does not change the target's mind";
        clearStage();
    }
}

TEST_F(Pursuit, TenHitsKillAndTintTheVictim)
{
    const std::size_t hunter = place(Faction::Hooli, StageX, StageY);
    const std::size_t prey = place(Faction::Civil, StageX + 1.0f, StageY);
    chase(hunter, prey);
    // No world step: both stand still and the hunter hits once per update.
    for (int hit = 1; hit <= 9; ++hit)
        city.update();
    EXPECT_EQ(actor(prey).health, 1);
    EXPECT_FALSE(actor(prey).dead);
    EXPECT_EQ(actor(prey).sprite.getColor(), sf::Color::White);
    city.update();
    EXPECT_EQ(actor(prey).health, 0);
    EXPECT_TRUE(actor(prey).dead);
    EXPECT_EQ(actor(prey).sprite.getColor(), sf::Color(100, 0, 0, 100));
}

TEST_F(Pursuit, ASecondPursuerInTheKillingFrameTurnsIdleWithoutHitting)
{
    const std::size_t prey = place(Faction::Police, StageX, StageY);
    const std::size_t first = place(Faction::Hooli, StageX + 1.0f, StageY);
    const std::size_t second = place(Faction::Hooli, StageX - 1.0f, StageY);
    actor(prey).health = 1;
    chase(first, prey);
    chase(second, prey);
    setVelocity(second, 0.5f, 0.25f);

    actor(first).pursue(city.actors, PursuitSpeed);
    actor(second).pursue(city.actors, PursuitSpeed);
    EXPECT_TRUE(actor(prey).dead);
    EXPECT_EQ(actor(prey).health, 0);
    EXPECT_EQ(actor(second).state, ActorState::Idle);
    EXPECT_EQ(velocityOf(second), b2Vec2(0.5f, 0.25f));
}

TEST_F(Pursuit, ATargetChosenInItsDeathFrameIsDroppedTheNextFrame)
{
    const std::size_t prey = place(Faction::Civil, StageX, StageY);
    const std::size_t killer = place(Faction::Hooli, StageX + 2.0f, StageY);
    const std::size_t latecomer = place(Faction::Hooli, StageX, StageY + 5.0f);
    actor(prey).health = 1;
    chase(killer, prey);
    setVelocity(latecomer, 0.5f, 0.25f);

    // Death frame: the body still lies where it fell, so the latecomer picks it.
    city.update();
    ASSERT_TRUE(actor(prey).dead);
    EXPECT_EQ(actor(latecomer).state, ActorState::Chasing);
    EXPECT_EQ(actor(latecomer).target, prey);

    // Next frame both let go, velocities untouched, and find nobody else.
    city.update();
    EXPECT_EQ(actor(killer).state, ActorState::Idle);
    EXPECT_EQ(velocityOf(killer), b2Vec2(-5.0f, 0.0f));
    EXPECT_EQ(actor(latecomer).state, ActorState::Idle);
    EXPECT_EQ(velocityOf(latecomer), b2Vec2(0.5f, 0.25f));
}

TEST_F(Pursuit, AMutualLastBlowGoesToTheLowerIndex)
{
    // Two pairs 50 m apart, each on its last point of health and chasing the other.
    const std::size_t hooliFirst = place(Faction::Hooli, StageX, StageY);
    const std::size_t policeSecond = place(Faction::Police, StageX + 2.0f, StageY);
    const std::size_t policeFirst = place(Faction::Police, StageX + 50.0f, StageY);
    const std::size_t hooliSecond = place(Faction::Hooli, StageX + 52.0f, StageY);
    for (auto [a, b] : {std::pair{hooliFirst, policeSecond}, std::pair{policeFirst, hooliSecond}})
    {
        actor(a).health = 1;
        actor(b).health = 1;
        chase(a, b);
        chase(b, a);
    }

    city.update();
    for (std::size_t winner : {hooliFirst, policeFirst})
        EXPECT_EQ(actor(winner).health, 1) << winner;
    for (std::size_t loser : {policeSecond, hooliSecond})
        EXPECT_TRUE(actor(loser).dead) << loser;
}

using TargetChoice = StreetTest;

struct Person
{
    Faction side;
    float dx;  ///< from the chooser (m)
    float dy;
};

struct Pick
{
    const char* what;
    Faction chooser;
    bool dead;
    bool wasChasing;  ///< chasing the parked founding hooligan before the choice
    std::vector<Person> others;  ///< placed in this order after the chooser
    int picked;  ///< index into `others`, or -1 for none
    ActorState state;
};

TEST_F(TargetChoice, NearestHostileWithTiesToTheLowerIndexAndTheVelocityKept)
{
    const Pick picks[] = {
        {"hooligan: nearest civilian or officer, own side ignored", Faction::Hooli, false, false,
         {{Faction::Civil, 9, 0}, {Faction::Police, 0, -6}, {Faction::Hooli, 1, 0}, {Faction::Civil, -7, 7}},
         1, ActorState::Chasing},
        {"officer: hooligans only", Faction::Police, false, false,
         {{Faction::Civil, 1, 0}, {Faction::Police, 0, 1}, {Faction::Hooli, 20, 0}}, 2, ActorState::Chasing},
        {"tie, civilian first", Faction::Hooli, false, false,
         {{Faction::Civil, 3, 4}, {Faction::Police, -3, -4}}, 0, ActorState::Chasing},
        {"tie, officer first", Faction::Hooli, false, false,
         {{Faction::Police, 0, 5}, {Faction::Civil, -5, 0}}, 0, ActorState::Chasing},
        {"civilians never choose", Faction::Civil, false, false,
         {{Faction::Hooli, 4, 0}, {Faction::Police, -4, 0}}, -1, ActorState::Idle},
        {"the dead never choose", Faction::Hooli, true, false, {{Faction::Civil, 2, 0}}, -1, ActorState::Idle},
        {"no hostile left: Idle", Faction::Police, false, true,
         {{Faction::Civil, 0, 5}, {Faction::Police, -5, 0}}, -1, ActorState::Idle},
    };
    for (const Pick& pick : picks)
    {
        SCOPED_TRACE(pick.what);
        const std::size_t chooser = place(pick.chooser, StageX, StageY);
        for (const Person& other : pick.others)
            place(other.side, StageX + other.dx, StageY + other.dy);
        actor(chooser).dead = pick.dead;
        if (pick.wasChasing)
            chase(chooser, 2);
        setVelocity(chooser, 1.5f, -2.5f);

        actor(chooser).selectTarget(city.actors);
        EXPECT_EQ(actor(chooser).state, pick.state);
        const std::size_t expected = pick.picked < 0 ? (pick.wasChasing ? 2u : 0u)
                                                     : chooser + 1 + static_cast<std::size_t>(pick.picked);
        EXPECT_EQ(actor(chooser).target, expected);
        EXPECT_EQ(velocityOf(chooser), b2Vec2(1.5f, -2.5f)) << "a choice sets no velocity";
        clearStage();
    }
}

TEST_F(TargetChoice, ThePlayersCharacterIsNeverChosenNorActs)
{
    // The character is Civil and stands 1 m away; a civilian 30 m away is chosen instead.
    const b2Vec2 player = positionOf(0);
    const std::size_t hooligan = place(Faction::Hooli, player.x + 1.0f, player.y);
    actor(hooligan).selectTarget(city.actors);
    EXPECT_EQ(actor(hooligan).state, ActorState::Idle);
    const std::size_t civilian = place(Faction::Civil, player.x + 31.0f, player.y);
    actor(hooligan).selectTarget(city.actors);
    EXPECT_EQ(actor(hooligan).target, civilian);

    // Its own mind is never run: even made a hooligan it neither chooses nor runs.
    actor(0).faction = Faction::Hooli;
    frame();
    EXPECT_EQ(actor(0).state, ActorState::Idle);
    EXPECT_EQ(velocityOf(0), b2Vec2(0.0f, 0.0f));
}
TEST_F(TargetChoice, AHunterWithoutABodyTurnsIdleInsteadOfMeasuringFromNowhere)
{
    place(Faction::Civil, StageX, StageY);
    Actor stray;
    stray.faction = Faction::Hooli;
    stray.state = ActorState::Chasing;
    stray.selectTarget(city.actors);
    EXPECT_EQ(stray.state, ActorState::Idle);
    stray.state = ActorState::Chasing;
    stray.selectTarget(city.actors, city.onStreet);
    EXPECT_EQ(stray.state, ActorState::Idle);
}

TEST_F(TargetChoice, ABareCityUpdatesWithoutAnyone)
{
    // The game always has its character; a city emptied by hand must not read past the end.
    city.actors.clear();
    city.onStreet.clear();
    city.update();
    EXPECT_TRUE(city.actors.empty());
    EXPECT_EQ(city.population, QuietPopulation);
}
} // namespace
