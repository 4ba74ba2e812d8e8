// Deaths: one corpse per dead person where it fell, its body parked out of play,
// the counter lowered once.
#include "Street.hpp"

#include <array>
#include <cmath>

namespace
{
/// Where a parked body stands (m); far beyond any search.
constexpr float Parked = 99999.0f;

/// A person about to die, and the one about to kill them.
struct Doomed
{
    std::size_t victim;
    std::size_t hunter;
};

class Corpses : public StreetTest
{
protected:
    /// A person of `side` at (x, y) m on its last point of health, and a hunter of the
    /// side that hunts it, `gap` m to its right and already chasing it: the next
    /// update kills.
    Doomed doom(Faction side, float x, float y, float gap = 2.0f)
    {
        const std::size_t victim = place(side, x, y);
        const Faction hunterSide = side == Faction::Hooli ? Faction::Police : Faction::Hooli;
        const std::size_t hunter = place(hunterSide, x + gap, y);
        actor(victim).health = 1;
        chase(hunter, victim);
        return {victim, hunter};
    }

    void expectParked(std::size_t who)
    {
        const b2Body* body = actor(who).body;
        EXPECT_TRUE(actor(who).corpseLaid) << who;
        EXPECT_EQ(body->GetPosition().x, Parked) << who;
        EXPECT_EQ(body->GetPosition().y, Parked) << who;
        EXPECT_EQ(body->GetAngle(), 0.0f) << who;
        EXPECT_FALSE(body->IsEnabled()) << who;
    }
};

TEST_F(Corpses, ACorpseLiesWhereTheBodyWasAfterTheFramesStep)
{
    city.population = PopulationLimit;
    const Doomed doomed = doom(Faction::Civil, StageX, StageY);
    // Walking right at 1.5 m/s and turned, so both the step and the parking show.
    setVelocity(doomed.victim, 1.5f, 0.0f);
    actor(doomed.victim).body->SetTransform(positionOf(doomed.victim), 0.7f);

    frame();

    ASSERT_TRUE(actor(doomed.victim).dead);
    ASSERT_EQ(city.props.size(), 5u);
    const Prop& corpse = city.props[4];
    const b2Vec2 fell = corpse.body->GetPosition();
    // One step of 1/60 s at 1.5 m/s: 2.5 cm to the right of where it stood.
    EXPECT_NE(fell.x, StageX);
    EXPECT_NEAR(fell.x, StageX + 0.025f, 1e-4f);
    EXPECT_NEAR(fell.y, StageY, 1e-4f);
    // In its death frame the tinted sprite still stands where it fell, over the corpse.
    const sf::Vector2f sprite = actor(doomed.victim).sprite.getPosition();
    EXPECT_FLOAT_EQ(sprite.x, corpse.sprite.getPosition().x);
    EXPECT_FLOAT_EQ(sprite.y, corpse.sprite.getPosition().y);
    EXPECT_FLOAT_EQ(corpse.sprite.getPosition().x, fell.x * PixelsPerMeter);
    EXPECT_FLOAT_EQ(corpse.sprite.getPosition().y, fell.y * PixelsPerMeter);

    // A static 0.1 m square, its image scaled by 0.2 / 30.
    EXPECT_EQ(corpse.body->GetType(), b2_staticBody);
    const b2Fixture* fixture = corpse.body->GetFixtureList();
    ASSERT_NE(fixture, nullptr);
    EXPECT_EQ(fixture->GetNext(), nullptr);
    ASSERT_EQ(fixture->GetType(), b2Shape::e_polygon);
    const auto* box = static_cast<const b2PolygonShape*>(fixture->GetShape());
    ASSERT_EQ(box->m_count, 4);
    for (int v = 0; v < box->m_count; ++v)
    {
        EXPECT_FLOAT_EQ(std::abs(box->m_vertices[v].x), 0.05f) << v;
        EXPECT_FLOAT_EQ(std::abs(box->m_vertices[v].y), 0.05f) << v;
    }
    EXPECT_FLOAT_EQ(corpse.sprite.getScale().x, 0.2f / 30.0f);
    EXPECT_FLOAT_EQ(corpse.sprite.getScale().y, 0.2f / 30.0f);
    EXPECT_EQ(corpse.sprite.getTexture(), &city.texture(TextureId::DeadCivil));

    expectParked(doomed.victim);
    EXPECT_EQ(city.population, PopulationLimit - 1);

    // Laid once: the next frames neither add a corpse nor lower the counter again
    // (the first of them brings a wave: 11 + 4).
    frame();
    frame();
    EXPECT_EQ(city.props.size(), 5u);
    EXPECT_EQ(city.population, PopulationLimit - 1 + 4);
    expectParked(doomed.victim);
    EXPECT_EQ(actor(doomed.victim).sprite.getPosition(),
              sf::Vector2f(Parked * PixelsPerMeter, Parked * PixelsPerMeter));
}

TEST_F(Corpses, EachSideLeavesItsOwnCorpseImage)
{
    const std::array<Faction, 3> sides = {Faction::Police, Faction::Hooli, Faction::Civil};
    const std::array<TextureId, 3> images = {TextureId::DeadPolice, TextureId::DeadHooli,
                                             TextureId::DeadCivil};
    std::array<Doomed, 3> doomed{};
    for (std::size_t k = 0; k < sides.size(); ++k)
        doomed[k] = doom(sides[k], StageX + 30.0f * static_cast<float>(k), StageY);

    frame();

    ASSERT_EQ(city.props.size(), 7u);
    EXPECT_EQ(city.population, QuietPopulation - 3);
    for (std::size_t k = 0; k < sides.size(); ++k)
    {
        // Laid in the order of the dead in the list.
        const Prop& corpse = city.props[4 + k];
        EXPECT_EQ(corpse.sprite.getTexture(), &city.texture(images[k])) << k;
        EXPECT_NEAR(corpse.body->GetPosition().x, StageX + 30.0f * static_cast<float>(k), 1e-4f);
        expectParked(doomed[k].victim);
        EXPECT_FALSE(actor(doomed[k].hunter).dead);
    }
}

TEST_F(Corpses, TwoDeathsInOneUpdateTakeTwoOffTheCounter)
{
    city.population = 13;
    const Doomed first = doom(Faction::Civil, StageX, StageY, 1.0f);
    const Doomed second = doom(Faction::Police, StageX + 30.0f, StageY, 1.0f);
    const std::size_t before = city.actors.size();

    frame();
    EXPECT_EQ(city.props.size(), 6u);
    EXPECT_EQ(city.population, 11);
    expectParked(first.victim);
    expectParked(second.victim);

    // 11 is below 12: the very next update brings a wave.
    frame();
    EXPECT_EQ(city.actors.size(), before + 4);
    EXPECT_EQ(city.population, 15);

    // Both bodies share the parking spot and never push each other: they take no part.
    for (int i = 0; i < 120; ++i)
        frame();
    expectParked(first.victim);
    expectParked(second.victim);
}

TEST_F(Corpses, ACorpseIsASolidObstacle)
{
    const Doomed doomed = doom(Faction::Hooli, StageX, StageY);
    frame();
    ASSERT_EQ(city.props.size(), 5u);
    const b2Vec2 fell = city.props[4].body->GetPosition();
    // The officer who struck stands aside; police leave civilians alone.
    moveTo(doomed.hunter, StageX, StageY + 20.0f);
    setVelocity(doomed.hunter, 0.0f, 0.0f);

    const std::size_t runner = place(Faction::Civil, fell.x - 2.0f, fell.y);
    setVelocity(runner, 5.0f, 0.0f);
    for (int i = 0; i < 60; ++i)
        frame();

    // Stopped with its 0.3 m box against the 0.1 m corpse, not through it.
    EXPECT_LT(positionOf(runner).x, fell.x - 0.15f);
    EXPECT_GT(positionOf(runner).x, fell.x - 0.5f);
    EXPECT_EQ(city.props[4].body->GetPosition().x, fell.x);
}
} // namespace
