#include "CityChecks.hpp"

#include "life/Simulation.hpp"

#include <algorithm>
#include <iterator>

BoxExtent worldExtent(const b2Body& body)
{
    const b2Fixture* fixture = body.GetFixtureList();
    const auto& box = static_cast<const b2PolygonShape&>(*fixture->GetShape());
    BoxExtent extent{1e30f, 1e30f, -1e30f, -1e30f};
    for (int i = 0; i < box.m_count; ++i)
    {
        const b2Vec2 corner = body.GetWorldPoint(box.m_vertices[i]);
        extent.left = std::min(extent.left, corner.x);
        extent.top = std::min(extent.top, corner.y);
        extent.right = std::max(extent.right, corner.x);
        extent.bottom = std::max(extent.bottom, corner.y);
    }
    return extent;
}

void expectSingleBox(const b2Body& body, float halfWidth, float halfHeight)
{
    const b2Fixture* fixture = body.GetFixtureList();
    ASSERT_NE(fixture, nullptr);
    EXPECT_EQ(fixture->GetNext(), nullptr) << "more than one fixture";
    ASSERT_EQ(fixture->GetType(), b2Shape::e_polygon);
    const auto& box = static_cast<const b2PolygonShape&>(*fixture->GetShape());
    ASSERT_EQ(box.m_count, 4);
    // Each corner of the box, in any order, exactly once.
    const b2Vec2 corners[] = {{-halfWidth, -halfHeight}, {halfWidth, -halfHeight},
                              {halfWidth, halfHeight}, {-halfWidth, halfHeight}};
    for (const b2Vec2& corner : corners)
    {
        const auto matches = std::count_if(
            std::begin(box.m_vertices), std::begin(box.m_vertices) + box.m_count,
            [&](const b2Vec2& v) { return v.x == corner.x && v.y == corner.y; });
        EXPECT_EQ(matches, 1) << "corner (" << corner.x << ", " << corner.y << ")";
    }
}

void expectSolidFixture(const b2Body& body, float friction, float density)
{
    const b2Fixture* fixture = body.GetFixtureList();
    ASSERT_NE(fixture, nullptr);
    EXPECT_FLOAT_EQ(fixture->GetFriction(), friction);
    EXPECT_FLOAT_EQ(fixture->GetDensity(), density);
    EXPECT_FALSE(fixture->IsSensor());
    EXPECT_EQ(fixture->GetFilterData().maskBits, 0xFFFF);
}

void expectFreshBody(b2Body& body, b2BodyType type, float x, float y)
{
    EXPECT_EQ(body.GetType(), type);
    EXPECT_EQ(body.GetPosition().x, x);
    EXPECT_EQ(body.GetPosition().y, y);
    EXPECT_EQ(body.GetAngle(), 0.0f);
    EXPECT_EQ(body.GetLinearVelocity(), b2Vec2(0.0f, 0.0f));
    EXPECT_EQ(body.GetLinearDamping(), 0.0f);
    EXPECT_TRUE(body.IsEnabled());
    EXPECT_FALSE(body.IsFixedRotation());
}

void expectShowsWhole(const sf::Sprite& sprite, const sf::Texture& texture)
{
    EXPECT_EQ(sprite.getTexture(), &texture);
    const sf::Vector2u size = texture.getSize();
    EXPECT_EQ(sprite.getTextureRect(),
              sf::IntRect(0, 0, static_cast<int>(size.x), static_cast<int>(size.y)));
}

void stepWorld(b2World& world, int steps)
{
    for (int i = 0; i < steps; ++i)
        world.Step(TimeStep, VelocityIterations, PositionIterations);
}

std::string repositoryImage(const char* file)
{
    return std::string(TAMROW_SOURCE_DIR) + "/resources/image/" + file;
}

void PrintTo(const b2Vec2& v, std::ostream* out)
{
    *out << "(" << v.x << ", " << v.y << ") m";
}
