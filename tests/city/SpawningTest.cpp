// spawnActor and addProp: the records and bodies they make, and what appending does
// to the records already there.

#include "CityChecks.hpp"

#include "city/Units.hpp"

#include <vector>

namespace
{
/// What an earlier record looked like before a run of appends.
struct Snapshot
{
    const sf::Texture* texture;
    const b2Body* body;
    b2Vec2 position;
    std::uint32_t target;
};

Snapshot snapshot(const Actor& actor)
{
    return {actor.sprite.getTexture(), actor.body, actor.body->GetPosition(), actor.target};
}

/// The slot the `n`th appended actor is given, cycling through every image slot.
std::size_t imageOf(std::size_t n)
{
    return n % ImageFileCount;
}
} // namespace

TEST_F(CityTest, SpawnedActorStartsIdleAtFullHealth)
{
    const std::size_t before = city.actors.size();
    // Pixel positions off the whole metre: the body stands at exactly x / 30, y / 30.
    city.spawnActor(1234.5f, 678.25f, slot(TextureId::Vigil), Faction::Police);

    ASSERT_EQ(city.actors.size(), before + 1);
    EXPECT_EQ(city.population, 0) << "the caller counts people, not spawnActor";
    const Actor& actor = city.actors.back();
    EXPECT_EQ(actor.health, 10);
    EXPECT_EQ(actor.damage, 1);
    EXPECT_EQ(actor.target, 0u);
    EXPECT_EQ(actor.state, ActorState::Idle);
    EXPECT_FALSE(actor.dead);
    EXPECT_FALSE(actor.corpseLaid);
    EXPECT_EQ(actor.faction, Faction::Police);

    const float x = 1234.5f / 30.0f;
    const float y = 678.25f / 30.0f;
    EXPECT_EQ(actor.bodyDef.type, b2_dynamicBody);
    EXPECT_EQ(actor.bodyDef.position.x, x);
    EXPECT_EQ(actor.bodyDef.position.y, y);
    ASSERT_NE(actor.body, nullptr);
    expectFreshBody(*actor.body, b2_dynamicBody, x, y);
    expectSingleBox(*actor.body, 0.15f, 0.3f);
    expectSolidFixture(*actor.body, 2.0f, 2.0f);
    EXPECT_FLOAT_EQ(actor.body->GetMass(), 0.36f);
    EXPECT_EQ(world.GetBodyCount(), 8);

    expectShowsWhole(actor.sprite, slot(TextureId::Vigil));
    EXPECT_EQ(actor.sprite.getScale(), sf::Vector2f(0.35f, 0.35f));
    EXPECT_EQ(actor.sprite.getPosition(), sf::Vector2f(0.0f, 0.0f)) << "placed by the next update";
}

TEST_F(CityTest, SpawnedActorsKeepTheirSideAndImage)
{
    city.spawnActor(900.0f, 900.0f, slot(TextureId::Civil), Faction::Civil);
    city.spawnActor(930.0f, 900.0f, slot(TextureId::Hooli), Faction::Hooli);
    city.spawnActor(960.0f, 900.0f, slot(TextureId::Police), Faction::Police);

    ASSERT_EQ(city.actors.size(), 6u);
    EXPECT_EQ(city.actors[3].faction, Faction::Civil);
    EXPECT_EQ(city.actors[4].faction, Faction::Hooli);
    EXPECT_EQ(city.actors[5].faction, Faction::Police);
    expectShowsWhole(city.actors[3].sprite, slot(TextureId::Civil));
    expectShowsWhole(city.actors[4].sprite, slot(TextureId::Hooli));
    expectShowsWhole(city.actors[5].sprite, slot(TextureId::Police));
    // Each its own body, one metre apart.
    EXPECT_NE(city.actors[3].body, city.actors[4].body);
    EXPECT_EQ(city.actors[4].body->GetPosition().x, 31.0f);
    EXPECT_EQ(city.actors[5].body->GetPosition().x, 32.0f);
}

TEST_F(CityTest, AddedPropIsAStaticBoxWithUndividedHalfExtents)
{
    const std::size_t before = city.props.size();
    city.addProp(3000.0f, 1500.0f, 2.5f, 0.75f, 0.2f, 0.2f, slot(TextureId::DeadHooli));

    ASSERT_EQ(city.props.size(), before + 1);
    EXPECT_EQ(city.population, 0);
    const Prop& prop = city.props.back();
    EXPECT_EQ(prop.bodyDef.type, b2_staticBody);
    EXPECT_EQ(prop.bodyDef.position.x, 100.0f);
    EXPECT_EQ(prop.bodyDef.position.y, 50.0f);
    ASSERT_NE(prop.body, nullptr);
    expectFreshBody(*prop.body, b2_staticBody, 100.0f, 50.0f);
    expectSingleBox(*prop.body, 2.5f, 0.75f);
    expectSolidFixture(*prop.body, 0.2f, 1.0f);
    EXPECT_EQ(prop.body->GetMass(), 0.0f);

    const BoxExtent extent = worldExtent(*prop.body);
    EXPECT_FLOAT_EQ(extent.left, 97.5f);
    EXPECT_FLOAT_EQ(extent.right, 102.5f);
    EXPECT_FLOAT_EQ(extent.top, 49.25f);
    EXPECT_FLOAT_EQ(extent.bottom, 50.75f);

    // The scale factors are divided by 30: a corpse image drawn at 1/150 of its size.
    expectShowsWhole(prop.sprite, slot(TextureId::DeadHooli));
    EXPECT_FLOAT_EQ(prop.sprite.getScale().x, 0.2f / 30.0f);
    EXPECT_FLOAT_EQ(prop.sprite.getScale().y, 0.2f / 30.0f);
    const sf::Vector2u size = slot(TextureId::DeadHooli).getSize();
    EXPECT_FLOAT_EQ(prop.sprite.getGlobalBounds().width, static_cast<float>(size.x) / 150.0f);
    EXPECT_FLOAT_EQ(prop.sprite.getGlobalBounds().height, static_cast<float>(size.y) / 150.0f);
}

TEST_F(CityTest, AddedPropSpriteWaitsForThePropSync)
{
    city.addProp(4500.5f, 2100.0f, 0.05f, 0.05f, 0.2f, 0.2f, slot(TextureId::DeadCivil));
    const Prop& prop = city.props.back();
    EXPECT_EQ(prop.sprite.getPosition(), sf::Vector2f(0.0f, 0.0f));

    city.syncProps();
    const b2Vec2 body = prop.body->GetPosition();
    EXPECT_EQ(prop.sprite.getPosition(),
              sf::Vector2f(body.x * PixelsPerMeter, body.y * PixelsPerMeter));
    EXPECT_FLOAT_EQ(prop.sprite.getPosition().x, 4500.5f);
    EXPECT_FLOAT_EQ(prop.sprite.getPosition().y, 2100.0f);
}

TEST_F(CityTest, PropWithZeroScaleIsInvisible)
{
    city.addProp(1500.0f, 1500.0f, 1.0f, 1.0f, 0.0f, 0.0f, slot(TextureId::Tree));
    const Prop& prop = city.props.back();
    EXPECT_EQ(prop.sprite.getScale(), sf::Vector2f(0.0f, 0.0f));
    EXPECT_EQ(prop.sprite.getGlobalBounds().width, 0.0f);
    EXPECT_EQ(prop.sprite.getGlobalBounds().height, 0.0f);
    // Invisible, but solid all the same.
    expectSingleBox(*prop.body, 1.0f, 1.0f);
}

TEST_F(CityTest, ThousandAppendsMoveRecordsButNotWhatTheyReferTo)
{
    // Founders chasing one another, so the indices have something to keep.
    city.actors[1].target = 2;
    city.actors[1].state = ActorState::Chasing;
    city.actors[2].target = 1;
    city.actors[2].state = ActorState::Chasing;

    std::vector<Snapshot> founders;
    for (const Actor& actor : city.actors)
        founders.push_back(snapshot(actor));
    const Actor* firstStorage = city.actors.data();
    const sf::Texture* catalogue = city.textures.data();

    std::vector<Snapshot> newcomers;
    for (std::size_t n = 0; n < 1000; ++n)
    {
        const float column = static_cast<float>(n % 100);
        const float row = static_cast<float>(n / 100);
        city.spawnActor((30.0f + column) * 30.0f, (25.0f + row) * 30.0f,
                        city.textures[imageOf(n)], Faction::Hooli);
        newcomers.push_back(snapshot(city.actors.back()));
    }

    ASSERT_EQ(city.actors.size(), 1003u);
    EXPECT_NE(city.actors.data(), firstStorage) << "the appends should have moved the records";
    EXPECT_EQ(city.textures.data(), catalogue) << "the catalogue is never resized";
    EXPECT_EQ(city.textures.size(), 18u);
    EXPECT_EQ(world.GetBodyCount(), 1007);
    EXPECT_EQ(city.population, 0);

    for (std::size_t i = 0; i < founders.size(); ++i)
    {
        const Actor& actor = city.actors[i];
        EXPECT_EQ(actor.sprite.getTexture(), founders[i].texture) << "founder " << i;
        EXPECT_EQ(actor.body, founders[i].body) << "founder " << i;
        EXPECT_EQ(actor.body->GetPosition(), founders[i].position) << "founder " << i;
        EXPECT_EQ(actor.target, founders[i].target) << "founder " << i;
    }
    EXPECT_EQ(city.actors[0].sprite.getTexture(), &slot(TextureId::Character));
    EXPECT_EQ(city.actors[1].sprite.getTexture(), &slot(TextureId::Police));
    EXPECT_EQ(city.actors[2].sprite.getTexture(), &slot(TextureId::Hooli));

    for (std::size_t n = 0; n < newcomers.size(); ++n)
    {
        const Actor& actor = city.actors[3 + n];
        ASSERT_EQ(actor.sprite.getTexture(), &city.textures[imageOf(n)]) << "newcomer " << n;
        ASSERT_EQ(actor.sprite.getTexture(), newcomers[n].texture) << "newcomer " << n;
        ASSERT_EQ(actor.body, newcomers[n].body) << "newcomer " << n;
        ASSERT_EQ(actor.body->GetPosition(), newcomers[n].position) << "newcomer " << n;
        ASSERT_EQ(actor.sprite.getScale(), sf::Vector2f(0.35f, 0.35f)) << "newcomer " << n;
    }
    EXPECT_EQ(city.actors[1002].body->GetPosition(), b2Vec2(129.0f, 34.0f));
}

TEST_F(CityTest, ManyPropsKeepTheirBodiesAndImages)
{
    const b2Body* const topWall = city.props[0].body;
    const Prop* firstStorage = city.props.data();
    for (std::size_t n = 0; n < 500; ++n)
        city.addProp(static_cast<float>(900 + 3 * n), 1800.0f, 0.05f, 0.05f, 0.2f, 0.2f,
                     city.textures[imageOf(n)]);

    ASSERT_EQ(city.props.size(), 504u);
    EXPECT_NE(city.props.data(), firstStorage);
    EXPECT_EQ(city.props[0].body, topWall);
    for (std::size_t w = 0; w < 4; ++w)
        EXPECT_EQ(city.props[w].sprite.getTexture(), &slot(TextureId::BlankSlot)) << "wall " << w;

    city.syncProps();
    for (std::size_t n = 0; n < 500; ++n)
    {
        const Prop& prop = city.props[4 + n];
        ASSERT_EQ(prop.sprite.getTexture(), &city.textures[imageOf(n)]) << "prop " << n;
        ASSERT_FLOAT_EQ(prop.sprite.getPosition().x, static_cast<float>(900 + 3 * n)) << "prop " << n;
        ASSERT_FLOAT_EQ(prop.sprite.getPosition().y, 1800.0f) << "prop " << n;
    }
    EXPECT_EQ(city.props[0].sprite.getPosition(), sf::Vector2f(3090.0f, 600.0f));
}
