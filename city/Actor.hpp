#pragma once

#include "city/TextureBank.hpp"

#include <box2d/box2d.h>
#include <SFML/Graphics/Color.hpp>
#include <SFML/Graphics/Sprite.hpp>

#include <cstdint>
#include <vector>

namespace tamrow
{
/// The side a person fights on.
enum class Faction : std::int32_t
{
    Civil = 0,  ///< civilians; the player's character is one
    Hooli = 1,  ///< hooligans
    Police = 2  ///< police
};

/// What a person is doing.
enum class ActorState : std::int32_t
{
    Chasing = 3,  ///< `target` holds the index of the actor being pursued
    Idle = 4      ///< no target; the actor looks for one
};

/// A hit lands when the distance between two bodies is below this (m, strict).
constexpr double AttackRange = 3.0;
/// Start value of the nearest-target search (m); nothing this far or farther is chosen.
constexpr double SearchRadius = 100000.0;
/// Speed at which hunters run at their target (m/s).
constexpr float PursuitSpeed = 5.0f;
/// Colour of a dead person's sprite: dark red, mostly transparent.
const sf::Color DeathTint(100, 0, 0, 100);

/// True when a hunter of `hunter`'s side goes after people of `candidate`'s side.
/// Civilians hunt nobody, hooligans hunt civilians and police, police hunt hooligans.
bool isHostile(Faction hunter, Faction candidate);

/// One person of the city. A plain, copyable record: the sprite refers to a
/// texture of the city's catalogue and `body` to a body owned by the b2World,
/// so copying the record copies neither. Other people are referred to by index.
struct Actor
{
    std::int32_t health = 10;           ///< hit points; dead once below 1
    std::int32_t damage = 1;            ///< health one hit of this actor takes
    sf::Sprite sprite;                  ///< drawn with its top-left corner on the body origin
    /// The picture the sprite shows, kept in a city without images too, whose
    /// sprites show nothing: what a replay dresses them in to draw them.
    TextureId image = TextureId::BlankSlot;
    b2Body* body = nullptr;             ///< not owned; set once right after spawning
    std::uint32_t target = 0;           ///< index into the city's actors; valid while Chasing
    ActorState state = ActorState::Idle;
    bool dead = false;                  ///< set by the killing hit, never cleared
    bool corpseLaid = false;            ///< set once the corpse is laid and the body parked
    Faction faction = Faction::Civil;   ///< changed only by recruiting
    b2BodyDef bodyDef;                  ///< what `body` was made from; read only then

    /// Picks the nearest hostile actor among `candidates` (indices in increasing
    /// order; index 0 is never chosen) and starts chasing it; ties go to the
    /// lower index. Does nothing for the dead and for civilians. Chooses as a
    /// search of all `actors` would as long as everyone left out stands parked,
    /// beyond SearchRadius of this actor.
    void selectTarget(const std::vector<Actor>& actors, const std::vector<std::uint32_t>& candidates);

    /// One frame of the chase: sets the body's velocity toward the target at
    /// `speed` (m/s) and hits it once when it is closer than AttackRange.
    /// Drops a dead target, leaving the velocity as it was.
    void pursue(std::vector<Actor>& actors, float speed);

    /// Takes `hit` health from the target; at 0 or below marks it dead and tints it.
    void attack(std::vector<Actor>& actors, std::int32_t hit);
};
} // namespace tamrow
