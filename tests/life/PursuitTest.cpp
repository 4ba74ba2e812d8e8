// The chase and the hit: 5 m/s toward the target, a hit below 3 m, death at 0 health.
#include "Street.hpp"

#include <cmath>

namespace
{
using Pursuit = StreetTest;

TEST_F(Pursuit, RunsStraightAtTheTargetAtFiveMetresPerSecond)
{
    // A 3-4-5 triangle: the velocity is exactly (3, 4) m/s.
    const std::size_t hunter = place(Faction::Hooli, StageX, StageY);
    const std::size_t prey = place(Faction::Civil, StageX + 3.0f, StageY + 4.0f);
    chase(hunter, prey);
    actor(hunter).pursue(city.actors, PursuitSpeed);
    EXPECT_EQ(velocityOf(hunter).x, 3.0f);
    EXPECT_EQ(velocityOf(hunter).y, 4.0f);
    EXPECT_EQ(actor(hunter).state, ActorState::Chasing);  // 5 m: out of reach
    EXPECT_EQ(actor(prey).health, 10);

    // An uneven direction, to the bit.
    const std::size_t officer = place(Faction::Police, StageX + 0.3f, StageY + 20.7f);
    const std::size_t hooligan = place(Faction::Hooli, StageX + 17.1f, StageY + 11.9f);
    chase(officer, hooligan);
    actor(officer).pursue(city.actors, PursuitSpeed);
    expectSameVelocity(velocityOf(officer),
                       expectedChaseVelocity(positionOf(officer), positionOf(hooligan), PursuitSpeed));
    const b2Vec2 v = velocityOf(officer);
    EXPECT_NEAR(std::sqrt(v.x * v.x + v.y * v.y), 5.0f, 1e-5f);
    EXPECT_GT(v.x, 0.0f);
    EXPECT_LT(v.y, 0.0f);

    // A direction for which scaling in single precision would round otherwise.
    const std::size_t runner = place(Faction::Police, StageX, StageY);
    const std::size_t fleeing = place(Faction::Hooli, StageX + 0.1f, StageY - 138.0f * 0.1f);
    chase(runner, fleeing);
    actor(runner).pursue(city.actors, PursuitSpeed);
    expectSameVelocity(velocityOf(runner),
                       expectedChaseVelocity(positionOf(runner), positionOf(fleeing), PursuitSpeed));
}

TEST_F(Pursuit, ANewTargetIsFirstRunAtInTheNextFrame)
{
    const std::size_t hunter = place(Faction::Hooli, StageX, StageY);
    const std::size_t prey = place(Faction::Civil, StageX + 6.0f, StageY + 8.0f);
    city.update();
    EXPECT_EQ(actor(hunter).state, ActorState::Chasing);
    EXPECT_EQ(actor(hunter).target, prey);
    EXPECT_EQ(velocityOf(hunter).x, 0.0f);
    EXPECT_EQ(velocityOf(hunter).y, 0.0f);

    city.update();
    EXPECT_EQ(velocityOf(hunter).x, 3.0f);
    EXPECT_EQ(velocityOf(hunter).y, 4.0f);
}

TEST_F(Pursuit, ExactlyThreeMetresIsOutOfReach)
{
    const std::size_t hunter = place(Faction::Hooli, StageX, StageY);
    const std::size_t prey = place(Faction::Civil, StageX + 3.0f, StageY);
    chase(hunter, prey);
    actor(hunter).pursue(city.actors, PursuitSpeed);
    EXPECT_EQ(velocityOf(hunter).x, 5.0f);
    EXPECT_EQ(velocityOf(hunter).y, 0.0f);
    EXPECT_EQ(actor(hunter).state, ActorState::Chasing);
    EXPECT_EQ(actor(prey).health, 10);
}

TEST_F(Pursuit, JustInsideThreeMetresHitsInTheSameCallThatSetsTheVelocity)
{
    const std::size_t hunter = place(Faction::Hooli, StageX, StageY);
    const std::size_t prey = place(Faction::Police, StageX + 2.99f, StageY - 0.01f);
    chase(hunter, prey);
    actor(hunter).pursue(city.actors, PursuitSpeed);
    expectSameVelocity(velocityOf(hunter),
                       expectedChaseVelocity(positionOf(hunter), positionOf(prey), PursuitSpeed));
    EXPECT_EQ(actor(hunter).state, ActorState::Idle);
    EXPECT_EQ(actor(prey).health, 9);
    // A hit neither moves the target nor changes its mind.
    EXPECT_EQ(actor(prey).state, ActorState::Idle);
    EXPECT_EQ(velocityOf(prey).x, 0.0f);
    EXPECT_FALSE(actor(prey).dead);
}

TEST_F(Pursuit, OnTopOfTheTargetItHitsWithoutANewVelocity)
{
    const std::size_t hunter = place(Faction::Police, StageX, StageY);
    const std::size_t prey = place(Faction::Hooli, StageX, StageY);
    chase(hunter, prey);
    setVelocity(hunter, 0.75f, -1.25f);
    actor(hunter).pursue(city.actors, PursuitSpeed);
    EXPECT_EQ(velocityOf(hunter).x, 0.75f);
    EXPECT_EQ(velocityOf(hunter).y, -1.25f);
    EXPECT_EQ(actor(hunter).state, ActorState::Idle);
    EXPECT_EQ(actor(prey).health, 9);
}

TEST_F(Pursuit, TenHitsKillAndTintTheVictim)
{
    const std::size_t hunter = place(Faction::Hooli, StageX, StageY);
    const std::size_t prey = place(Faction::Civil, StageX + 1.0f, StageY);
    chase(hunter, prey);
    // No world step: both stand still and the hunter hits once per update.
    for (int hit = 1; hit <= 9; ++hit)
    {
        city.update();
        EXPECT_EQ(actor(prey).health, 10 - hit);
        EXPECT_FALSE(actor(prey).dead);
        EXPECT_EQ(actor(prey).sprite.getColor(), sf::Color::White);
    }
    city.update();
    EXPECT_EQ(actor(prey).health, 0);
    EXPECT_TRUE(actor(prey).dead);
    EXPECT_EQ(actor(prey).sprite.getColor(), sf::Color(100, 0, 0, 100));

    // The next frame drops the dead target and keeps the velocity of the last hit.
    city.update();
    EXPECT_EQ(actor(hunter).state, ActorState::Idle);
    EXPECT_EQ(velocityOf(hunter).x, 5.0f);
    EXPECT_EQ(velocityOf(hunter).y, 0.0f);
    EXPECT_EQ(actor(prey).health, 0);
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
    EXPECT_EQ(actor(prey).health, 0);
    EXPECT_TRUE(actor(prey).dead);

    actor(second).pursue(city.actors, PursuitSpeed);
    EXPECT_EQ(actor(second).state, ActorState::Idle);
    EXPECT_EQ(actor(prey).health, 0);
    EXPECT_EQ(velocityOf(second).x, 0.5f);
    EXPECT_EQ(velocityOf(second).y, 0.25f);
}

TEST_F(Pursuit, ATargetChosenInItsDeathFrameIsDroppedTheNextFrame)
{
    const std::size_t prey = place(Faction::Civil, StageX, StageY);
    const std::size_t killer = place(Faction::Hooli, StageX + 2.0f, StageY);
    const std::size_t latecomer = place(Faction::Hooli, StageX, StageY + 5.0f);
    actor(prey).health = 1;
    chase(killer, prey);
    setVelocity(latecomer, 0.5f, 0.25f);

    // Death frame: the body still lies where it fell, so both pick it.
    city.update();
    ASSERT_TRUE(actor(prey).dead);
    EXPECT_EQ(actor(killer).state, ActorState::Chasing);
    EXPECT_EQ(actor(killer).target, prey);
    EXPECT_EQ(actor(latecomer).state, ActorState::Chasing);
    EXPECT_EQ(actor(latecomer).target, prey);

    // Next frame both let go, velocities untouched, and find nobody else.
    city.update();
    EXPECT_EQ(actor(killer).state, ActorState::Idle);
    EXPECT_EQ(velocityOf(killer).x, -5.0f);
    EXPECT_EQ(velocityOf(killer).y, 0.0f);
    EXPECT_EQ(actor(latecomer).state, ActorState::Idle);
    EXPECT_EQ(velocityOf(latecomer).x, 0.5f);
    EXPECT_EQ(velocityOf(latecomer).y, 0.25f);
    EXPECT_EQ(actor(prey).health, 0);
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
    {
        EXPECT_FALSE(actor(winner).dead) << winner;
        EXPECT_EQ(actor(winner).health, 1) << winner;
    }
    for (std::size_t loser : {policeSecond, hooliSecond})
    {
        EXPECT_TRUE(actor(loser).dead) << loser;
        EXPECT_EQ(actor(loser).health, 0) << loser;
    }
}

TEST_F(Pursuit, ARecruitedHooliganKeepsChasingItsCivilianUntilOneHit)
{
    const std::size_t turncoat = place(Faction::Hooli, StageX, StageY);
    const std::size_t civilian = place(Faction::Civil, StageX + 8.0f, StageY + 6.0f);
    const std::size_t hooligan = place(Faction::Hooli, StageX, StageY - 12.0f);
    chase(turncoat, civilian);
    // What the E key does to it: a police officer from now on.
    actor(turncoat).faction = Faction::Police;
    actor(turncoat).sprite.setTexture(city.texture(TextureId::Police), false);

    city.update();
    EXPECT_EQ(actor(turncoat).state, ActorState::Chasing);
    EXPECT_EQ(actor(turncoat).target, civilian);
    EXPECT_EQ(velocityOf(turncoat).x, 4.0f);
    EXPECT_EQ(velocityOf(turncoat).y, 3.0f);

    // Within reach: one last hit on the civilian, then it turns on the hooligan.
    moveTo(turncoat, StageX + 6.0f, StageY + 6.0f);
    city.update();
    EXPECT_EQ(actor(civilian).health, 9);
    EXPECT_EQ(actor(turncoat).state, ActorState::Chasing);
    EXPECT_EQ(actor(turncoat).target, hooligan);

    city.update();
    EXPECT_EQ(actor(civilian).health, 9);
    expectSameVelocity(velocityOf(turncoat),
                       expectedChaseVelocity(positionOf(turncoat), positionOf(hooligan), PursuitSpeed));
}
} // namespace
