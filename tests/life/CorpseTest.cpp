// Deaths: one corpse per dead person where it fell, its body parked out of play,
// the counter lowered once.
#include "Street.hpp"

#include <array>
#include <cmath>

namespace
{
class Corpses : public StreetTest
{
protected:
    /// A person of `side` at (x, y) m on its last point of health, with a hunter
    /// 2 m to its right already chasing it: the next update kills.
    std::size_t doom(Faction side, float x, float y)
    {
        const std::size_t victim = place(side, x, y);
        const std::size_t hunter = place(side == Faction::Hooli ? Faction::Police : Faction::Hooli, x + 2.0f, y);
        actor(victim).health = 1;
        chase(hunter, victim);
        return victim;
    }

    void expectParked(std::size_t who)
    {
        const b2Body* body = actor(who).body;
        EXPECT_TRUE(actor(who).corpseLaid) << who;
        EXPECT_EQ(body->GetPosition(), b2Vec2(99999.0f, 99999.0f)) << who;
        EXPECT_FALSE(body->IsEnabled()) << who;
    }
};

TEST_F(Corpses, ACorpseLiesWhereTheBodyWasAfterTheFramesStep)
{
    city.population = PopulationLimit;
    const std::size_t victim = doom(Faction::Civil, StageX, StageY);
    // Walking right at 1.5 m/s and turned, so both the step and the parking show.
    setVelocity(victim, 1.5f, 0.0f);
    actor(victim).body->SetTransform(positionOf(victim), 0.7f);

    frame();

    ASSERT_TRUE(actor(victim).dead);
    ASSERT_EQ(city.props.size(), 5u);
    const Prop& corpse = city.props[4];
    const b2Vec2 fell = corpse.body->GetPosition();
    // One step of 1/60 s at 1.5 m/s: 2.5 cm to the right of where it stood.
    EXPECT_NEAR(fell.x, StageX + 0.025f, 1e-4f);
    EXPECT_NEAR(fell.y, StageY, 1e-4f);
    EXPECT_FLOAT_EQ(corpse.sprite.getPosition().x, fell.x * PixelsPerMeter);
    EXPECT_FLOAT_EQ(corpse.sprite.getPosition().y, fell.y * PixelsPerMeter);
    EXPECT_EQ(corpse.sprite.getTexture(), &city.texture(TextureId::DeadCivil));

    // A static 0.1 m square, its image scaled by 0.2 / 30.
    EXPECT_EQ(corpse.body->GetType(), b2_staticBody);
    const auto* box = static_cast<const b2PolygonShape*>(corpse.body->GetFixtureList()->GetShape());
    ASSERT_EQ(box->m_count, 4);
    for (int v = 0; v < box->m_count; ++v)
        EXPECT_EQ(b2Vec2(std::abs(box->m_vertices[v].x), std::abs(box->m_vertices[v].y)), b2Vec2(0.05f, 0.05f));
    EXPECT_FLOAT_EQ(corpse.sprite.getScale().x, 0.2f / 30.0f);

    expectParked(victim);
    EXPECT_EQ(actor(victim).body->GetAngle(), 0.0f);
    EXPECT_EQ(city.population, PopulationLimit - 1);

    // Laid once: the next frames neither add a corpse nor lower the counter again
    // (the first of them brings a wave: 11 + 4).
    frame();
    frame();
    EXPECT_EQ(city.props.size(), 5u);
    EXPECT_EQ(city.population, PopulationLimit - 1 + 4);
    expectParked(victim);
}

TEST_F(Corpses, DeathsInOneUpdateLeaveACorpseEachWithTheirSidesImage)
{
    const std::array<Faction, 3> sides = {Faction::Police, Faction::Hooli, Faction::Civil};
    const std::array<TextureId, 3> images = {TextureId::DeadPolice, TextureId::DeadHooli, TextureId::DeadCivil};
    city.population = 14;
    std::array<std::size_t, 3> victims{};
    for (std::size_t k = 0; k < sides.size(); ++k)
        victims[k] = doom(sides[k], StageX + 30.0f * static_cast<float>(k), StageY);

    frame();
    ASSERT_EQ(city.props.size(), 7u);
    EXPECT_EQ(city.population, 11);
    for (std::size_t k = 0; k < sides.size(); ++k)
    {
        // Laid in the order of the dead in the list.
        const Prop& corpse = city.props[4 + k];
        EXPECT_EQ(corpse.sprite.getTexture(), &city.texture(images[k])) << k;
        EXPECT_NEAR(corpse.body->GetPosition().x, StageX + 30.0f * static_cast<float>(k), 1e-4f) << k;
    }

    // 11 is below 12: the very next update brings a wave. The parked bodies share
    // one spot and never push each other: they take no part.
    frame();
    EXPECT_EQ(city.population, 15);
    for (int i = 0; i < 120; ++i)
        frame();
    for (const std::size_t victim : victims)
        expectParked(victim);
}
} // namespace
