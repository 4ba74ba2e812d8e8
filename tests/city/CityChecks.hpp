#pragma once

#include "city/City.hpp"
#include "support/TestCity.hpp"

#include <box2d/box2d.h>
#include <SFML/Graphics/Sprite.hpp>
#include <SFML/Graphics/Texture.hpp>
#include <gtest/gtest.h>

#include <cstddef>
#include <ostream>
#include <string>

/// A city built from the repository's images, with its world, fresh for every test.
class CityTest : public ::testing::Test
{
protected:
    TestCity test;
    City& city = test.city;
    b2World& world = test.world;

    /// The catalogue texture of slot `id`.
    const sf::Texture& slot(TextureId id) const { return city.texture(id); }
};

/// Where a body's box reaches in the world (m), read from its polygon's corners.
struct BoxExtent
{
    float left;
    float top;
    float right;
    float bottom;
};

/// The world-space extent of the one box fixture of `body`.
BoxExtent worldExtent(const b2Body& body);

/// `body` has exactly one fixture, an unrotated box of these half-extents (m) on its origin.
void expectSingleBox(const b2Body& body, float halfWidth, float halfHeight);

/// The one fixture of `body` has this friction and density, is solid and collides with everything.
void expectSolidFixture(const b2Body& body, float friction, float density);

/// `body` is as a definition of nothing but type and position makes it: at `x`, `y` (m),
/// angle 0, at rest, undamped, enabled.
void expectFreshBody(b2Body& body, b2BodyType type, float x, float y);

/// `sprite` shows the whole of `texture`.
void expectShowsWhole(const sf::Sprite& sprite, const sf::Texture& texture);

/// Steps `world` `steps` times the way a frame does.
void stepWorld(b2World& world, int steps);

/// Path of an image file of the repository, whatever the working directory is.
std::string repositoryImage(const char* file);

/// Lets failed comparisons of positions print metres instead of bytes.
void PrintTo(const b2Vec2& v, std::ostream* out);
