#include "city/City.hpp"

#include "city/Units.hpp"

namespace tamrow
{
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

City::City(b2World& physicsWorld, const std::optional<std::string>& imageFolder, b2World* parkingWorld)
    : world(&physicsWorld)
    , carPark(parkingWorld)
{
    // Even an empty sf::Texture asks for an OpenGL context, and so for a display:
    // a city without images makes none.
    if (imageFolder)
    {
        textures.assign(TextureSlotCount, sf::Texture());
        loadTextureBank(textures, *imageFolder);
        images = &textures;
    }
    build();
}

City::City(b2World& physicsWorld, const TextureBank& borrowed, b2World* parkingWorld)
    : images(borrowed.empty() ? nullptr : &borrowed)
    , world(&physicsWorld)
    , carPark(parkingWorld)
{
    build();
}

const sf::Texture& City::texture(TextureId id) const
{
    return (*images)[static_cast<std::size_t>(id)];
}

void City::dress(sf::Sprite& sprite, TextureId id) const
{
    if (images != nullptr)
        sprite.setTexture(texture(id), false);
}

void City::dress(Actor& actor, TextureId id) const
{
    actor.image = id;
    dress(actor.sprite, id);
}

void City::build()
{
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
    dress(added, image);
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

b2Body* City::moveToCarPark(b2Body* body)
{
    b2BodyDef def;
    def.type = body->GetType();
    def.position = body->GetPosition();
    def.angle = body->GetAngle();
    def.linearDamping = body->GetLinearDamping();
    def.angularDamping = body->GetAngularDamping();
    def.allowSleep = body->IsSleepingAllowed();
    def.awake = body->IsAwake();
    def.fixedRotation = body->IsFixedRotation();
    def.bullet = body->IsBullet();
    def.enabled = false;
    def.gravityScale = body->GetGravityScale();
    b2Body* twin = carPark->CreateBody(&def);
    for (const b2Fixture* fixture = body->GetFixtureList(); fixture != nullptr; fixture = fixture->GetNext())
    {
        b2FixtureDef copy;
        copy.shape = fixture->GetShape();
        copy.friction = fixture->GetFriction();
        copy.restitution = fixture->GetRestitution();
        copy.restitutionThreshold = fixture->GetRestitutionThreshold();
        copy.density = fixture->GetDensity();
        copy.isSensor = fixture->IsSensor();
        copy.filter = fixture->GetFilterData();
        twin->CreateFixture(&copy);
    }
    // Set after the fixtures: adding mass shifts the velocity by the angular
    // velocity times the centre's move. A body at rest is left asleep as it was.
    twin->SetLinearVelocity(body->GetLinearVelocity());
    twin->SetAngularVelocity(body->GetAngularVelocity());
    world->DestroyBody(body);
    return twin;
}
} // namespace tamrow
