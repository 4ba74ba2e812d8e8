#include "city/City.hpp"

#include "city/Units.hpp"

namespace
{
/// Friction and density of a person's box: people grip and are heavier than props.
constexpr float ActorFriction = 2.0f;
constexpr float ActorDensity = 2.0f;
/// Friction and density of a wall or corpse box.
constexpr float PropFriction = 0.2f;
constexpr float PropDensity = 1.0f;

/// Creates `def`'s body in `world` with one box fixture about its origin.
b2Body* makeBoxBody(b2World& world, const b2BodyDef& def, float halfWidth, float halfHeight,
                    float friction, float density)
{
    b2Body* body = world.CreateBody(&def);
    b2PolygonShape box;
    box.SetAsBox(halfWidth, halfHeight);
    b2FixtureDef fixture;
    fixture.shape = &box;
    fixture.friction = friction;
    fixture.restitution = 0.0f;
    fixture.density = density;
    body->CreateFixture(&fixture);
    return body;
}
} // namespace

City::City(b2World& physicsWorld)
    : world(&physicsWorld)
{
    build();
}

const sf::Texture& City::texture(TextureId id) const
{
    return textures[static_cast<std::size_t>(id)];
}

void City::build()
{
    loadTextures();
    map.sprite.setTexture(texture(TextureId::Map), false);
    map.sprite.setScale(MapScale, MapScale);
    spawnFounders();
    buildWalls();
}

void City::loadTextures()
{
    loadTextureBank(textures, ImageFolder);
}

void City::spawnActor(float x, float y, const sf::Texture& image, Faction faction)
{
    Actor actor;
    actor.faction = faction;
    actor.bodyDef.type = b2_dynamicBody;
    actor.bodyDef.position.Set(x / PixelsPerMeter, y / PixelsPerMeter);
    onStreet.push_back(static_cast<std::uint32_t>(actors.size()));
    actors.push_back(actor);

    Actor& added = actors.back();
    added.sprite.setTexture(image, false);
    added.sprite.setScale(ActorSpriteScale, ActorSpriteScale);
    added.body = makeBoxBody(*world, added.bodyDef, ActorHalfWidth, ActorHalfHeight,
                             ActorFriction, ActorDensity);
}

void City::addProp(float x, float y, float halfWidth, float halfHeight,
                   float scaleX, float scaleY, const sf::Texture& image)
{
    Prop prop;
    prop.bodyDef.type = b2_staticBody;
    prop.bodyDef.position.Set(x / PixelsPerMeter, y / PixelsPerMeter);
    props.push_back(prop);

    Prop& added = props.back();
    added.sprite.setTexture(image, false);
    added.sprite.setScale(scaleX / PixelsPerMeter, scaleY / PixelsPerMeter);
    added.body = makeBoxBody(*world, added.bodyDef, halfWidth, halfHeight, PropFriction, PropDensity);
}
