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

City::City(b2World& physicsWorld, const std::optional<std::string>& imageFolder)
    : world(&physicsWorld)
{
    build(imageFolder);
}

const sf::Texture& City::texture(TextureId id) const
{
    return textures[static_cast<std::size_t>(id)];
}

void City::dress(sf::Sprite& sprite, TextureId id) const
{
    if (!textures.empty())
        sprite.setTexture(texture(id), false);
}

void City::build(const std::optional<std::string>& imageFolder)
{
    // Even an empty sf::Texture asks for an OpenGL context, and so for a display:
    // a city without images makes none.
    if (imageFolder)
    {
        textures.assign(TextureSlotCount, sf::Texture());
        loadTextureBank(textures, *imageFolder);
    }
    dress(map.sprite, TextureId::Map);
    map.sprite.setScale(MapScale, MapScale);
    spawnFounders();
    buildWalls();
}

void City::spawnActor(float x, float y, TextureId image, Faction faction)
{
    Actor actor;
    actor.faction = faction;
    actor.bodyDef.type = b2_dynamicBody;
    actor.bodyDef.position.Set(x / PixelsPerMeter, y / PixelsPerMeter);
    onStreet.push_back(static_cast<std::uint32_t>(actors.size()));
    actors.push_back(actor);

    Actor& added = actors.back();
    dress(added.sprite, image);
    added.sprite.setScale(ActorSpriteScale, ActorSpriteScale);
    added.body = makeBoxBody(*world, added.bodyDef, ActorHalfWidth, ActorHalfHeight,
                             ActorFriction, ActorDensity);
}

void City::addProp(float x, float y, float halfWidth, float halfHeight,
                   float scaleX, float scaleY, TextureId image)
{
    Prop prop;
    prop.bodyDef.type = b2_staticBody;
    prop.bodyDef.position.Set(x / PixelsPerMeter, y / PixelsPerMeter);
    props.push_back(prop);

    Prop& added = props.back();
    dress(added.sprite, image);
    added.sprite.setScale(scaleX / PixelsPerMeter, scaleY / PixelsPerMeter);
    added.body = makeBoxBody(*world, added.bodyDef, halfWidth, halfHeight, PropFriction, PropDensity);
}
