#include "city/City.hpp"

#include "city/Units.hpp"

#include <array>

namespace tamrow
{
namespace
{
/// One of the people every run begins with.
struct Founder
{
    float x;  ///< pixel x of the body origin
    float y;  ///< pixel y of the body origin
    TextureId image;
    Faction faction;
};

/// In creation order, which is their index in the actors: the player's
/// character first, inside the walls; a police officer above the top wall
/// and a hooligan beyond the left and bottom walls.
constexpr std::array<Founder, FounderCount> Founders = {{
    {1800.0f, 900.0f, TextureId::Character, Faction::Civil},
    {6000.0f, 0.0f, TextureId::Police, Faction::Police},
    {0.0f, 6000.0f, TextureId::Hooli, Faction::Hooli},
}};

/// One invisible boundary wall: centre in pixels, half-extents in metres.
struct Wall
{
    float x;
    float y;
    float halfWidth;
    float halfHeight;
};

/// Top, left, bottom, right. Their inner faces close the streets at
/// x = 21..260 m and y = 21..95 m (pixels 630..7800 and 630..2850).
constexpr std::array<Wall, WallCount> Walls = {{
    {3090.0f, 600.0f, 250.0f, 1.0f},
    {600.0f, 1200.0f, 1.0f, 250.0f},
    {3090.0f, 3150.0f, 250.0f, 10.0f},
    {8100.0f, 750.0f, 10.0f, 250.0f},
}};
} // namespace

void City::spawnFounders()
{
    for (const Founder& founder : Founders)
        spawnActor(founder.x, founder.y, founder.image, founder.faction);
}

void City::buildWalls()
{
    // Scale 0 and the blank slot: the walls are bodies only and show nothing.
    for (const Wall& wall : Walls)
        addProp(wall.x, wall.y, wall.halfWidth, wall.halfHeight, 0.0f, 0.0f,
                TextureId::BlankSlot);
}

void City::syncProps()
{
    for (; propsPlaced < props.size(); ++propsPlaced)
    {
        Prop& prop = props[propsPlaced];
        const b2Vec2 position = prop.body->GetPosition();
        prop.sprite.setPosition(position.x * PixelsPerMeter, position.y * PixelsPerMeter);
    }
}
} // namespace tamrow
