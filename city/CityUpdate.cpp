#include "city/City.hpp"

#include "city/Units.hpp"

#include <algorithm>
#include <array>

namespace tamrow
{
namespace
{
/// One newcomer of a wave, in spawning order.
struct Newcomer
{
    TextureId image;
    Faction faction;
};

/// Two hooligans, a civilian and a police officer (in the wave police's vest).
constexpr std::array<Newcomer, WaveSize> Wave = {{
    {TextureId::Hooli, Faction::Hooli},
    {TextureId::Hooli, Faction::Hooli},
    {TextureId::Civil, Faction::Civil},
    {TextureId::Vigil, Faction::Police},
}};

/// The corpse image for a person of `faction`.
TextureId corpseImage(Faction faction)
{
    switch (faction)
    {
    case Faction::Hooli:
        return TextureId::DeadHooli;
    case Faction::Police:
        return TextureId::DeadPolice;
    case Faction::Civil:
        break;
    }
    return TextureId::DeadCivil;
}

void placeSpriteOnBody(Actor& actor)
{
    const b2Vec2 position = actor.body->GetPosition();
    actor.sprite.setPosition(position.x * PixelsPerMeter, position.y * PixelsPerMeter);
}
} // namespace

void City::update()
{
    if (population < PopulationLimit)
        spawnWave();
    runBehaviour();
    // A city always has its player's character; a bare one (as tests build) has
    // no sprite to place rather than a read past the end.
    if (!actors.empty())
        placeSpriteOnBody(actors[0]);
    layCorpses();
}

void City::spawnWave()
{
    for (const Newcomer& newcomer : Wave)
    {
        // The x draw comes first: the order of the draws fixes every run's places.
        const std::int32_t column = randomSequence.next() % WaveColumns;
        const std::int32_t row = randomSequence.next() % WaveRows;
        const float x = (static_cast<float>(column) + WaveLeft) * PixelsPerMeter;
        const float y = (static_cast<float>(row) + WaveTop) * PixelsPerMeter;
        spawnActor(x, y, newcomer.image, newcomer.faction);
    }
    population += WaveSize;
}

void City::runBehaviour()
{
    // Index 0 is the player's character: only the keys move it. The parked dead
    // left out here would do nothing: they neither hunt nor move.
    for (const std::uint32_t i : onStreet)
    {
        if (i == 0)
            continue;
        Actor& actor = actors[i];
        actor.pursue(actors, PursuitSpeed);
        if (actor.state == ActorState::Idle)
            actor.selectTarget(actors, onStreet);
        placeSpriteOnBody(actor);
    }
    // Corpses laid in an earlier frame have just had their sprites moved after
    // their parked bodies: nothing about them changes again, so they leave the
    // street. One laid this frame stays a frame longer, for that last move.
    onStreet.erase(std::remove_if(onStreet.begin(), onStreet.end(),
                                  [this](std::uint32_t i) { return actors[i].corpseLaid; }),
                   onStreet.end());
}

void City::layCorpses()
{
    // Everyone who can die this frame is on the street, in index order.
    for (const std::uint32_t i : onStreet)
    {
        Actor& actor = actors[i];
        if (!actor.dead || actor.corpseLaid)
            continue;
        const b2Vec2 fell = actor.body->GetPosition();
        // addProp appends to props, never to actors, so `actor` stays valid.
        addProp(fell.x * PixelsPerMeter, fell.y * PixelsPerMeter, CorpseHalfSize, CorpseHalfSize,
                CorpseScale, CorpseScale, corpseImage(actor.faction));
        actor.corpseLaid = true;
        actor.body->SetTransform(ParkPosition, 0.0f);
        actor.body->SetEnabled(false);
        if (carPark != nullptr)
            actor.body = moveToCarPark(actor.body);
        --population;
    }
}
} // namespace tamrow
