// A freshly built city: its catalogue, the map, the three founders and the four walls.

#include "CityChecks.hpp"

#include "city/Units.hpp"

#include <array>

namespace
{
struct FounderCase
{
    std::size_t index;
    TextureId image;
    Faction faction;
    float x;  ///< body origin (m)
    float y;
};

// The player's character inside the walls, a police officer above the top
// wall and a hooligan beyond the left and bottom walls.
constexpr std::array<FounderCase, 3> Founders = {{
    {0, TextureId::Character, Faction::Civil, 60.0f, 30.0f},
    {1, TextureId::Police, Faction::Police, 200.0f, 0.0f},
    {2, TextureId::Hooli, Faction::Hooli, 0.0f, 200.0f},
}};

struct WallCase
{
    std::size_t index;
    const char* side;
    float pixelX;  ///< centre as handed to addProp (px)
    float pixelY;
    float halfWidth;  ///< (m)
    float halfHeight;
    BoxExtent extent;  ///< where the wall reaches (m)
};

constexpr std::array<WallCase, 4> Walls = {{
    {0, "top", 3090.0f, 600.0f, 250.0f, 1.0f, {-147.0f, 19.0f, 353.0f, 21.0f}},
    {1, "left", 600.0f, 1200.0f, 1.0f, 250.0f, {19.0f, -210.0f, 21.0f, 290.0f}},
    {2, "bottom", 3090.0f, 3150.0f, 250.0f, 10.0f, {-147.0f, 95.0f, 353.0f, 115.0f}},
    {3, "right", 8100.0f, 750.0f, 10.0f, 250.0f, {260.0f, -225.0f, 280.0f, 275.0f}},
}};

/// Two boxes overlap (touching faces do not count).
bool overlaps(const BoxExtent& a, const BoxExtent& b)
{
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}
} // namespace

TEST_F(CityTest, HoldsThreeActorsFourPropsAndEighteenSlots)
{
    EXPECT_EQ(city.actors.size(), 3u);
    EXPECT_EQ(city.props.size(), 4u);
    EXPECT_EQ(city.textures.size(), 18u);
    EXPECT_EQ(city.population, 0) << "the founders are not counted";
    EXPECT_EQ(city.world, &world);
    // Seven bodies, one per record; the map has none.
    EXPECT_EQ(world.GetBodyCount(), 7);
    EXPECT_EQ(world.GetGravity().x, 0.0f);
    EXPECT_EQ(world.GetGravity().y, 0.0f);
}

TEST_F(CityTest, BlankSlotHasNoImage)
{
    const sf::Texture& blank = slot(TextureId::BlankSlot);
    EXPECT_EQ(blank.getSize(), sf::Vector2u(0, 0));
    EXPECT_EQ(blank.getNativeHandle(), 0u) << "nothing was ever loaded into it";
    EXPECT_EQ(&blank, &city.textures[17]);
}

TEST_F(CityTest, MapShowsWholeMapImageAtOriginScaledThreeAndAHalf)
{
    expectShowsWhole(city.map.sprite, city.textures[10]);
    EXPECT_EQ(city.map.sprite.getPosition(), sf::Vector2f(0.0f, 0.0f));
    EXPECT_EQ(city.map.sprite.getScale(), sf::Vector2f(3.5f, 3.5f));
    EXPECT_EQ(city.map.sprite.getOrigin(), sf::Vector2f(0.0f, 0.0f));
    EXPECT_EQ(city.map.sprite.getRotation(), 0.0f);
    EXPECT_EQ(city.map.body, nullptr);
    EXPECT_EQ(city.map.bodyDef.type, b2_staticBody);

    // One image pixel covers 3.5 world pixels, from the world's top-left corner.
    const sf::Vector2u size = city.textures[10].getSize();
    const sf::FloatRect bounds = city.map.sprite.getGlobalBounds();
    EXPECT_EQ(bounds.left, 0.0f);
    EXPECT_EQ(bounds.top, 0.0f);
    EXPECT_FLOAT_EQ(bounds.width, static_cast<float>(size.x) * 3.5f);
    EXPECT_FLOAT_EQ(bounds.height, static_cast<float>(size.y) * 3.5f);
}

TEST_F(CityTest, PropSyncLeavesTheMapWhereItIs)
{
    city.syncProps();
    city.syncProps();
    EXPECT_EQ(city.map.sprite.getPosition(), sf::Vector2f(0.0f, 0.0f));
    EXPECT_EQ(city.map.sprite.getScale(), sf::Vector2f(3.5f, 3.5f));
}

TEST_F(CityTest, FoundersInOrderWithTheirImagesSidesAndPlaces)
{
    for (const FounderCase& expected : Founders)
    {
        SCOPED_TRACE("founder " + std::to_string(expected.index));
        const Actor& actor = city.actors[expected.index];
        expectShowsWhole(actor.sprite, city.textures[static_cast<std::size_t>(expected.image)]);
        EXPECT_EQ(actor.faction, expected.faction);
        EXPECT_EQ(actor.state, ActorState::Idle);
        EXPECT_EQ(actor.health, 10);
        EXPECT_EQ(actor.damage, 1);
        EXPECT_EQ(actor.target, 0u);
        EXPECT_FALSE(actor.dead);
        EXPECT_FALSE(actor.corpseLaid);

        ASSERT_NE(actor.body, nullptr);
        expectFreshBody(*actor.body, b2_dynamicBody, expected.x, expected.y);
        expectSingleBox(*actor.body, 0.15f, 0.3f);
        expectSolidFixture(*actor.body, 2.0f, 2.0f);
        // 0.3 m x 0.6 m at 2 kg/m^2.
        EXPECT_FLOAT_EQ(actor.body->GetMass(), 0.36f);
        EXPECT_EQ(actor.bodyDef.type, b2_dynamicBody);
        EXPECT_EQ(actor.bodyDef.position.x, expected.x);
        EXPECT_EQ(actor.bodyDef.position.y, expected.y);

        // Not placed yet: the first city update moves the sprite to its body.
        EXPECT_EQ(actor.sprite.getPosition(), sf::Vector2f(0.0f, 0.0f));
        EXPECT_EQ(actor.sprite.getScale(), sf::Vector2f(0.35f, 0.35f));
        EXPECT_EQ(actor.sprite.getOrigin(), sf::Vector2f(0.0f, 0.0f));
        EXPECT_EQ(actor.sprite.getColor(), sf::Color::White);
    }
}

TEST_F(CityTest, WallsInOrderTopLeftBottomRight)
{
    for (const WallCase& expected : Walls)
    {
        SCOPED_TRACE(std::string(expected.side) + " wall");
        const Prop& wall = city.props[expected.index];
        ASSERT_NE(wall.body, nullptr);
        expectFreshBody(*wall.body, b2_staticBody, expected.pixelX / PixelsPerMeter,
                        expected.pixelY / PixelsPerMeter);
        expectSingleBox(*wall.body, expected.halfWidth, expected.halfHeight);
        expectSolidFixture(*wall.body, 0.2f, 1.0f);
        EXPECT_EQ(wall.body->GetMass(), 0.0f);
        EXPECT_EQ(wall.bodyDef.type, b2_staticBody);

        const BoxExtent extent = worldExtent(*wall.body);
        EXPECT_FLOAT_EQ(extent.left, expected.extent.left);
        EXPECT_FLOAT_EQ(extent.top, expected.extent.top);
        EXPECT_FLOAT_EQ(extent.right, expected.extent.right);
        EXPECT_FLOAT_EQ(extent.bottom, expected.extent.bottom);

        // Invisible: scale 0 and the blank slot, drawn but showing nothing.
        EXPECT_EQ(wall.sprite.getTexture(), &city.textures[17]);
        EXPECT_EQ(wall.sprite.getScale(), sf::Vector2f(0.0f, 0.0f));
        EXPECT_EQ(wall.sprite.getGlobalBounds().width, 0.0f);
        EXPECT_EQ(wall.sprite.getGlobalBounds().height, 0.0f);
        EXPECT_EQ(wall.sprite.getPosition(), sf::Vector2f(0.0f, 0.0f)) << "not synchronised yet";
    }
}

TEST_F(CityTest, WallsCloseTheStreetsWithOnlyThePlayerInside)
{
    // Inner faces: x from 21 to 260 m, y from 21 to 95 m.
    EXPECT_EQ(worldExtent(*city.props[0].body).bottom, 21.0f);
    EXPECT_EQ(worldExtent(*city.props[1].body).right, 21.0f);
    EXPECT_EQ(worldExtent(*city.props[2].body).top, 95.0f);
    EXPECT_EQ(worldExtent(*city.props[3].body).left, 260.0f);

    const BoxExtent player = worldExtent(*city.actors[0].body);
    EXPECT_GT(player.left, 21.0f);
    EXPECT_LT(player.right, 260.0f);
    EXPECT_GT(player.top, 21.0f);
    EXPECT_LT(player.bottom, 95.0f);

    const BoxExtent police = worldExtent(*city.actors[1].body);
    EXPECT_LT(police.bottom, 19.0f) << "above the top wall";
    const BoxExtent hooligan = worldExtent(*city.actors[2].body);
    EXPECT_LT(hooligan.right, 19.0f) << "left of the left wall";
    EXPECT_GT(hooligan.top, 115.0f) << "below the bottom wall";

    // Nobody starts stuck in a wall.
    for (std::size_t a = 0; a < city.actors.size(); ++a)
        for (std::size_t w = 0; w < city.props.size(); ++w)
            EXPECT_FALSE(overlaps(worldExtent(*city.actors[a].body), worldExtent(*city.props[w].body)))
                << "actor " << a << " in wall " << w;
}

TEST_F(CityTest, FirstPropSyncPutsWallSpritesAtTheirPixelCentres)
{
    city.syncProps();
    for (const WallCase& expected : Walls)
    {
        SCOPED_TRACE(std::string(expected.side) + " wall");
        const sf::Sprite& sprite = city.props[expected.index].sprite;
        EXPECT_EQ(sprite.getPosition(), sf::Vector2f(expected.pixelX, expected.pixelY));
        // Only the position is written: still invisible and unturned.
        EXPECT_EQ(sprite.getScale(), sf::Vector2f(0.0f, 0.0f));
        EXPECT_EQ(sprite.getRotation(), 0.0f);
        EXPECT_EQ(sprite.getTexture(), &city.textures[17]);
    }

    // The walls are static, so every later sync writes the same places.
    stepWorld(world, 30);
    city.syncProps();
    for (const WallCase& expected : Walls)
        EXPECT_EQ(city.props[expected.index].sprite.getPosition(),
                  sf::Vector2f(expected.pixelX, expected.pixelY));
}

TEST_F(CityTest, FoundersStayPutInAnEmptyStep)
{
    // No gravity and no velocity: a step moves nobody.
    stepWorld(world, 60);
    for (const FounderCase& expected : Founders)
    {
        const b2Vec2 position = city.actors[expected.index].body->GetPosition();
        EXPECT_EQ(position.x, expected.x) << "founder " << expected.index;
        EXPECT_EQ(position.y, expected.y) << "founder " << expected.index;
    }
    EXPECT_EQ(city.actors.size(), 3u) << "stepping the world alone brings no wave";
}
