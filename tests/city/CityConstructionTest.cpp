// A freshly built city: its catalogue, the map, the three founders and the four walls.

#include "CityChecks.hpp"

#include "city/Units.hpp"

#include <array>

namespace
{
struct FounderCase
{
    TextureId image;
    Faction faction;
    float x;  ///< body origin (m)
    float y;
};

// The character inside the walls, police above the top wall, a hooligan beyond
// the left and bottom walls.
constexpr std::array<FounderCase, 3> Founders = {{
    {TextureId::Character, Faction::Civil, 60.0f, 30.0f},
    {TextureId::Police, Faction::Police, 200.0f, 0.0f},
    {TextureId::Hooli, Faction::Hooli, 0.0f, 200.0f},
}};

struct WallCase
{
    const char* side;
    float pixelX;  ///< centre as handed to addProp (px)
    float pixelY;
    float halfWidth;  ///< (m)
    float halfHeight;
    BoxExtent extent;  ///< (m)
};

// Inner faces: x from 21 to 260 m, y from 21 to 95 m.
constexpr std::array<WallCase, 4> Walls = {{
    {"top", 3090.0f, 600.0f, 250.0f, 1.0f, {-147.0f, 19.0f, 353.0f, 21.0f}},
    {"left", 600.0f, 1200.0f, 1.0f, 250.0f, {19.0f, -210.0f, 21.0f, 290.0f}},
    {"bottom", 3090.0f, 3150.0f, 250.0f, 10.0f, {-147.0f, 95.0f, 353.0f, 115.0f}},
    {"right", 8100.0f, 750.0f, 10.0f, 250.0f, {260.0f, -225.0f, 280.0f, 275.0f}},
}};

/// Two boxes overlap (touching faces do not count).
bool overlaps(const BoxExtent& a, const BoxExtent& b)
{
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}
} // namespace

TEST_F(CityTest, HoldsThreeActorsFourPropsEighteenSlotsAndTheMap)
{
    EXPECT_EQ(city.actors.size(), 3u);
    EXPECT_EQ(city.props.size(), 4u);
    EXPECT_EQ(city.textures.size(), 18u);
    EXPECT_EQ(city.population, 0) << "the founders are not counted";
    EXPECT_EQ(world.GetBodyCount(), 7) << "one body per record; the map has none";
    EXPECT_EQ(slot(TextureId::BlankSlot).getNativeHandle(), 0u) << "slot 17 is never loaded";

    expectShowsWhole(city.map.sprite, city.textures[10]);
    EXPECT_EQ(city.map.sprite.getPosition(), sf::Vector2f(0.0f, 0.0f));
    EXPECT_EQ(city.map.sprite.getScale(), sf::Vector2f(3.5f, 3.5f));
    // Syncing the props leaves the map alone.
    city.syncProps();
    EXPECT_EQ(city.map.sprite.getPosition(), sf::Vector2f(0.0f, 0.0f));
}

TEST_F(CityTest, FoundersInOrderWithTheirImagesSidesAndPlaces)
{
    for (std::size_t i = 0; i < Founders.size(); ++i)
    {
        SCOPED_TRACE("founder " + std::to_string(i));
        const FounderCase& expected = Founders[i];
        const Actor& actor = city.actors[i];
        expectShowsWhole(actor.sprite, city.textures[static_cast<std::size_t>(expected.image)]);
        EXPECT_EQ(actor.faction, expected.faction);
        EXPECT_EQ(actor.state, ActorState::Idle);
        EXPECT_EQ(actor.health, 10);
        EXPECT_FALSE(actor.dead);

        ASSERT_NE(actor.body, nullptr);
        expectFreshBody(*actor.body, b2_dynamicBody, expected.x, expected.y);
        expectSingleBox(*actor.body, 0.15f, 0.3f);
        expectSolidFixture(*actor.body, 2.0f, 2.0f);
        EXPECT_EQ(actor.sprite.getScale(), sf::Vector2f(0.35f, 0.35f));
        EXPECT_EQ(actor.sprite.getPosition(), sf::Vector2f(0.0f, 0.0f)) << "placed by the first update";
    }
}

TEST_F(CityTest, WallsInOrderTopLeftBottomRight)
{
    for (std::size_t i = 0; i < Walls.size(); ++i)
    {
        const WallCase& expected = Walls[i];
        SCOPED_TRACE(std::string(expected.side) + " wall");
        const Prop& wall = city.props[i];
        ASSERT_NE(wall.body, nullptr);
        expectFreshBody(*wall.body, b2_staticBody, expected.pixelX / PixelsPerMeter,
                        expected.pixelY / PixelsPerMeter);
        expectSingleBox(*wall.body, expected.halfWidth, expected.halfHeight);
        expectSolidFixture(*wall.body, 0.2f, 1.0f);

        const BoxExtent extent = worldExtent(*wall.body);
        EXPECT_FLOAT_EQ(extent.left, expected.extent.left);
        EXPECT_FLOAT_EQ(extent.top, expected.extent.top);
        EXPECT_FLOAT_EQ(extent.right, expected.extent.right);
        EXPECT_FLOAT_EQ(extent.bottom, expected.extent.bottom);

        // Invisible: scale 0 and the blank slot.
        EXPECT_EQ(wall.sprite.getTexture(), &city.textures[17]);
        EXPECT_EQ(wall.sprite.getScale(), sf::Vector2f(0.0f, 0.0f));
    }
}

TEST_F(CityTest, OnlyThePlayerStartsInsideTheWallsAndNobodyInOne)
{
    const BoxExtent player = worldExtent(*city.actors[0].body);
    EXPECT_GT(player.left, 21.0f);
    EXPECT_LT(player.right, 260.0f);
    EXPECT_GT(player.top, 21.0f);
    EXPECT_LT(player.bottom, 95.0f);
    EXPECT_LT(worldExtent(*city.actors[1].body).bottom, 19.0f) << "above the top wall";
    EXPECT_LT(worldExtent(*city.actors[2].body).right, 19.0f) << "left of the left wall";

    for (std::size_t a = 0; a < city.actors.size(); ++a)
        for (std::size_t w = 0; w < city.props.size(); ++w)
            EXPECT_FALSE(overlaps(worldExtent(*city.actors[a].body), worldExtent(*city.props[w].body)))
                << "actor " << a << " in wall " << w;
}

TEST_F(CityTest, FirstPropSyncPutsWallSpritesAtTheirPixelCentres)
{
    EXPECT_EQ(city.props[0].sprite.getPosition(), sf::Vector2f(0.0f, 0.0f)) << "not synchronised yet";
    city.syncProps();
    for (std::size_t i = 0; i < Walls.size(); ++i)
        EXPECT_EQ(city.props[i].sprite.getPosition(), sf::Vector2f(Walls[i].pixelX, Walls[i].pixelY))
            << Walls[i].side;
}
