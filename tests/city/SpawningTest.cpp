// spawnActor and addProp: the records and bodies they make, and what appending does
// to the records already there.

#include "CityChecks.hpp"

#include "city/Units.hpp"

#include <iterator>
#include <vector>

namespace
{
/// What an earlier record looked like before a run of appends.
struct Snapshot
{
    const sf::Texture* texture;
    const b2Body* body;
    b2Vec2 position;
};

Snapshot snapshot(const Actor& actor)
{
    return {actor.sprite.getTexture(), actor.body, actor.body->GetPosition()};
}

/// The slot the `n`th appended record is given, cycling through every image slot.
std::size_t imageOf(std::size_t n)
{
    return n % ImageFileCount;
}
} // namespace

TEST_F(CityTest, SpawnedActorsStartIdleAtFullHealthWithTheirSideAndImage)
{
    struct Case
    {
        TextureId image;
        Faction faction;
    };
    const Case cases[] = {{TextureId::Vigil, Faction::Police}, {TextureId::Civil, Faction::Civil},
                          {TextureId::Hooli, Faction::Hooli}};
    for (std::size_t k = 0; k < std::size(cases); ++k)
    {
        SCOPED_TRACE("spawn " + std::to_string(k));
        // Pixel positions off the whole metre: the body stands at exactly x / 30, y / 30.
        const float px = 1234.5f + 30.0f * static_cast<float>(k);
        city.spawnActor(px, 678.25f, cases[k].image, cases[k].faction);
        ASSERT_EQ(city.actors.size(), 4 + k);
        const Actor& actor = city.actors.back();
        EXPECT_EQ(actor.faction, cases[k].faction);
        EXPECT_EQ(actor.health, 10);
        EXPECT_EQ(actor.state, ActorState::Idle);
        EXPECT_FALSE(actor.dead);
        expectFreshBody(*actor.body, b2_dynamicBody, px / 30.0f, 678.25f / 30.0f);
        expectSingleBox(*actor.body, 0.15f, 0.3f);
        expectSolidFixture(*actor.body, 2.0f, 2.0f);
        expectShowsWhole(actor.sprite, slot(cases[k].image));
        EXPECT_EQ(actor.sprite.getScale(), sf::Vector2f(0.35f, 0.35f));
    }
    EXPECT_EQ(city.population, 0) << "the caller counts people, not spawnActor";
    EXPECT_EQ(world.GetBodyCount(), 10);
}

TEST_F(CityTest, AddedPropIsAStaticBoxWithUndividedHalfExtentsPlacedByTheSync)
{
    city.addProp(3000.0f, 1500.0f, 2.5f, 0.75f, 0.2f, 0.2f, TextureId::DeadHooli);
    ASSERT_EQ(city.props.size(), 5u);
    const Prop& prop = city.props.back();
    expectFreshBody(*prop.body, b2_staticBody, 100.0f, 50.0f);
    expectSingleBox(*prop.body, 2.5f, 0.75f);
    expectSolidFixture(*prop.body, 0.2f, 1.0f);

    // The scale factors are divided by 30: a corpse image drawn at 1/150 of its size.
    expectShowsWhole(prop.sprite, slot(TextureId::DeadHooli));
    EXPECT_FLOAT_EQ(prop.sprite.getScale().x, 0.2f / 30.0f);
    EXPECT_FLOAT_EQ(prop.sprite.getScale().y, 0.2f / 30.0f);

    EXPECT_EQ(prop.sprite.getPosition(), sf::Vector2f(0.0f, 0.0f));
    city.syncProps();
    EXPECT_FLOAT_EQ(prop.sprite.getPosition().x, 3000.0f);
    EXPECT_FLOAT_EQ(prop.sprite.getPosition().y, 1500.0f);
}

TEST_F(CityTest, ThousandAppendsMoveRecordsButNotWhatTheyReferTo)
{
    std::vector<Snapshot> before;
    for (const Actor& actor : city.actors)
        before.push_back(snapshot(actor));
    const Actor* firstStorage = city.actors.data();
    const sf::Texture* catalogue = city.textures.data();

    for (std::size_t n = 0; n < 1000; ++n)
    {
        const float column = static_cast<float>(n % 100);
        const float row = static_cast<float>(n / 100);
        city.spawnActor((30.0f + column) * 30.0f, (25.0f + row) * 30.0f,
                        static_cast<TextureId>(imageOf(n)), Faction::Hooli);
        before.push_back(snapshot(city.actors.back()));
    }

    ASSERT_EQ(city.actors.size(), 1003u);
    EXPECT_NE(city.actors.data(), firstStorage) << "the appends should have moved the records";
    EXPECT_EQ(city.textures.data(), catalogue) << "the catalogue is never resized";
    EXPECT_EQ(city.actors[0].sprite.getTexture(), &slot(TextureId::Character));
    for (std::size_t i = 0; i < before.size(); ++i)
    {
        const Actor& actor = city.actors[i];
        ASSERT_EQ(actor.sprite.getTexture(), before[i].texture) << "actor " << i;
        ASSERT_EQ(actor.body, before[i].body) << "actor " << i;
        ASSERT_EQ(actor.body->GetPosition(), before[i].position) << "actor " << i;
    }
    EXPECT_EQ(city.actors[1002].sprite.getTexture(), &city.textures[imageOf(999)]);
}

TEST_F(CityTest, ManyPropsKeepTheirBodiesAndImages)
{
    const b2Body* const topWall = city.props[0].body;
    const Prop* firstStorage = city.props.data();
    for (std::size_t n = 0; n < 500; ++n)
        city.addProp(static_cast<float>(900 + 3 * n), 1800.0f, 0.05f, 0.05f, 0.2f, 0.2f,
                     static_cast<TextureId>(imageOf(n)));

    ASSERT_EQ(city.props.size(), 504u);
    EXPECT_NE(city.props.data(), firstStorage);
    EXPECT_EQ(city.props[0].body, topWall);
    EXPECT_EQ(city.props[0].sprite.getTexture(), &slot(TextureId::BlankSlot));

    city.syncProps();
    for (std::size_t n = 0; n < 500; ++n)
    {
        const Prop& prop = city.props[4 + n];
        ASSERT_EQ(prop.sprite.getTexture(), &city.textures[imageOf(n)]) << "prop " << n;
        ASSERT_FLOAT_EQ(prop.sprite.getPosition().x, static_cast<float>(900 + 3 * n)) << "prop " << n;
    }
}
