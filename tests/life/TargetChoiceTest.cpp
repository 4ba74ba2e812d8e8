// Who picks whom: the nearest hostile person, never the player's character,
// never by civilians or the dead.
#include "Street.hpp"

#include <vector>

namespace
{
using TargetChoice = StreetTest;

TEST_F(TargetChoice, HooliganPicksTheNearestCivilianOrPoliceOfficer)
{
    const std::size_t hooligan = place(Faction::Hooli, StageX, StageY);
    place(Faction::Civil, StageX + 9.0f, StageY);            // 9 m
    const std::size_t nearest = place(Faction::Police, StageX, StageY - 6.0f);  // 6 m
    place(Faction::Hooli, StageX + 1.0f, StageY);            // own side, 1 m: ignored
    place(Faction::Civil, StageX - 7.0f, StageY + 7.0f);     // 9.9 m

    actor(hooligan).selectTarget(city.actors);

    EXPECT_EQ(actor(hooligan).state, ActorState::Chasing);
    EXPECT_EQ(actor(hooligan).target, nearest);
}

TEST_F(TargetChoice, PoliceOfficerHuntsHooligansOnly)
{
    const std::size_t officer = place(Faction::Police, StageX, StageY);
    place(Faction::Civil, StageX + 1.0f, StageY);    // not hunted by police
    place(Faction::Police, StageX, StageY + 1.0f);   // own side
    const std::size_t hooligan = place(Faction::Hooli, StageX + 20.0f, StageY);

    actor(officer).selectTarget(city.actors);

    EXPECT_EQ(actor(officer).state, ActorState::Chasing);
    EXPECT_EQ(actor(officer).target, hooligan);
}

TEST_F(TargetChoice, EqualDistancesGoToTheLowerIndex)
{
    // A 3-4-5 triangle each way: both candidates are exactly 5 m away in single precision.
    const std::size_t hooligan = place(Faction::Hooli, StageX, StageY);
    const std::size_t civilian = place(Faction::Civil, StageX + 3.0f, StageY + 4.0f);
    place(Faction::Police, StageX - 3.0f, StageY - 4.0f);
    actor(hooligan).selectTarget(city.actors);
    EXPECT_EQ(actor(hooligan).target, civilian);

    // The same ring, the other side first in the list.
    const std::size_t second = place(Faction::Hooli, StageX + 40.0f, StageY);
    const std::size_t officer = place(Faction::Police, StageX + 40.0f, StageY + 5.0f);
    place(Faction::Civil, StageX + 35.0f, StageY);
    actor(second).selectTarget(city.actors);
    EXPECT_EQ(actor(second).target, officer);
}

TEST_F(TargetChoice, ThePlayersCharacterIsNeverChosen)
{
    // The character is Civil and standing 1 m away; a civilian 30 m away is chosen instead.
    const b2Vec2 player = positionOf(0);
    const std::size_t hooligan = place(Faction::Hooli, player.x + 1.0f, player.y);
    actor(hooligan).selectTarget(city.actors);
    EXPECT_EQ(actor(hooligan).state, ActorState::Idle);

    const std::size_t civilian = place(Faction::Civil, player.x + 31.0f, player.y);
    actor(hooligan).selectTarget(city.actors);
    EXPECT_EQ(actor(hooligan).state, ActorState::Chasing);
    EXPECT_EQ(actor(hooligan).target, civilian);

    // And through whole frames: the character is never hit, whoever stands on it.
    for (int i = 0; i < 30; ++i)
        frame();
    EXPECT_EQ(actor(0).health, 10);
    EXPECT_EQ(actor(0).state, ActorState::Idle);
}

TEST_F(TargetChoice, CiviliansNeverChooseAndAreNeverSetMoving)
{
    const std::size_t civilian = place(Faction::Civil, StageX, StageY);
    place(Faction::Hooli, StageX + 4.0f, StageY);
    place(Faction::Police, StageX - 4.0f, StageY);
    place(Faction::Civil, StageX, StageY + 1.0f);

    actor(civilian).selectTarget(city.actors);
    EXPECT_EQ(actor(civilian).state, ActorState::Idle);
    EXPECT_EQ(actor(civilian).target, 0u);

    // Through frames too, while a hooligan closes in on it and the officer chases the
    // hooligan: the civilian stays idle and its own mind never gives it a velocity.
    for (int i = 0; i < 5; ++i)
    {
        city.update();
        EXPECT_EQ(actor(civilian).state, ActorState::Idle);
        EXPECT_EQ(velocityOf(civilian).x, 0.0f);
        EXPECT_EQ(velocityOf(civilian).y, 0.0f);
    }
    EXPECT_EQ(actor(civilian + 1).state, ActorState::Chasing);
    EXPECT_EQ(actor(civilian + 1).target, civilian);
}

TEST_F(TargetChoice, TheDeadNeverChooseNorHit)
{
    const std::size_t hooligan = place(Faction::Hooli, StageX, StageY);
    const std::size_t civilian = place(Faction::Civil, StageX + 2.0f, StageY);
    actor(hooligan).dead = true;

    actor(hooligan).selectTarget(city.actors);
    EXPECT_EQ(actor(hooligan).state, ActorState::Idle);
    EXPECT_EQ(actor(hooligan).target, 0u);

    // Dead while chasing: no new velocity, no hit, state left as it was.
    chase(hooligan, civilian);
    actor(hooligan).pursue(city.actors, PursuitSpeed);
    actor(hooligan).selectTarget(city.actors);
    EXPECT_EQ(actor(hooligan).state, ActorState::Chasing);
    EXPECT_EQ(actor(civilian).health, 10);
    EXPECT_EQ(velocityOf(hooligan).x, 0.0f);
    EXPECT_EQ(velocityOf(hooligan).y, 0.0f);
}

TEST_F(TargetChoice, NoHostileLeftMeansIdleWithTheLastVelocityKept)
{
    // The only hooligan of the city is the parked founder, farther than any search reaches.
    const std::size_t officer = place(Faction::Police, StageX, StageY);
    // Others stand clear of the officer's drift.
    place(Faction::Civil, StageX, StageY + 5.0f);
    place(Faction::Police, StageX - 5.0f, StageY);
    chase(officer, 2);
    setVelocity(officer, 1.5f, -2.5f);

    actor(officer).selectTarget(city.actors);
    EXPECT_EQ(actor(officer).state, ActorState::Idle);
    EXPECT_EQ(velocityOf(officer).x, 1.5f);
    EXPECT_EQ(velocityOf(officer).y, -2.5f);

    // Nothing slows an idle body down: a second of frames later it still runs at that speed.
    for (int i = 0; i < 60; ++i)
        frame();
    EXPECT_EQ(actor(officer).state, ActorState::Idle);
    EXPECT_FLOAT_EQ(velocityOf(officer).x, 1.5f);
    EXPECT_FLOAT_EQ(velocityOf(officer).y, -2.5f);
    EXPECT_NEAR(positionOf(officer).x, StageX + 1.5f, 1e-3f);
}

TEST_F(TargetChoice, ALoneActorTurnsIdle)
{
    const std::size_t hooligan = place(Faction::Hooli, StageX, StageY);
    chase(hooligan, 0);
    std::vector<Actor> alone{actor(hooligan)};
    alone[0].selectTarget(alone);
    EXPECT_EQ(alone[0].state, ActorState::Idle);

    std::vector<Actor> nobody;
    Actor stray = actor(hooligan);
    stray.selectTarget(nobody);
    EXPECT_EQ(stray.state, ActorState::Idle);
}

TEST_F(TargetChoice, ThePlayersCharacterDoesNotActEvenWhenHostile)
{
    // Its mind is never run: even made a hooligan, it neither chooses nor runs.
    actor(0).faction = Faction::Hooli;
    place(Faction::Civil, positionOf(0).x + 2.0f, positionOf(0).y);
    frame();
    EXPECT_EQ(actor(0).state, ActorState::Idle);
    EXPECT_EQ(velocityOf(0).x, 0.0f);
    EXPECT_EQ(velocityOf(0).y, 0.0f);
}
} // namespace
