#pragma once

#include "city/Actor.hpp"
#include "city/CityRandom.hpp"
#include "city/Prop.hpp"
#include "city/TextureBank.hpp"

#include <box2d/box2d.h>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tamrow
{
/// A wave of newcomers is brought in while `population` is below this.
constexpr std::int32_t PopulationLimit = 12;
/// People per wave.
constexpr std::int32_t WaveSize = 4;
/// Newcomers stand on whole metres: x from WaveLeft to WaveLeft + WaveColumns - 1,
/// y from WaveTop to WaveTop + WaveRows - 1 (m). All but the first row are on the
/// streets; the first, y = WaveTop, lies within the top wall's box (19 to 21 m).
constexpr std::int32_t WaveColumns = 150;
constexpr std::int32_t WaveRows = 70;
constexpr float WaveLeft = 30.0f;
constexpr float WaveTop = 20.0f;
/// Every city begins with this many people, the player's character first (see Founders.cpp).
constexpr std::size_t FounderCount = 3;
/// The invisible boundary walls, the first props of every city.
constexpr std::size_t WallCount = 4;
/// Where a dead person's body is put out of play (m); farther than
/// SearchRadius from anywhere in the city, so nobody ever picks it.
const b2Vec2 ParkPosition(99999.0f, 99999.0f);
/// Half-extent of a corpse's square static body (m).
constexpr float CorpseHalfSize = 0.05f;
/// Scale factor of a corpse sprite before the division by PixelsPerMeter.
constexpr float CorpseScale = 0.2f;
/// Scale of every person's sprite.
constexpr float ActorSpriteScale = 0.35f;
/// Scale of the map picture: one image pixel covers 3.5 world pixels.
constexpr float MapScale = 3.5f;
/// Half-extents of a person's box (m): 0.3 m by 0.6 m.
constexpr float ActorHalfWidth = 0.15f;
constexpr float ActorHalfHeight = 0.3f;

/// The level: every person, every static thing, the map and the texture
/// catalogue, with non-owning pointers to the physics world their bodies live in
/// and, if given, the car park where the bodies of the parked dead are kept.
/// Built whole by the constructor; never copied or moved, because sprites point
/// into `textures` and bodies are tied to `world`. Its members are defined
/// here in city/: building, spawning and the car park in City.cpp, the founders,
/// walls and prop sync in Founders.cpp, the frame's turn in CityUpdate.cpp.
struct City
{
    /// Loads the images of `imageFolder` (ending with a slash) and lays out the
    /// map, the three founders and the four walls in `physicsWorld`, which must
    /// outlive the city and must not be stepping. Without a folder the city loads
    /// no image and makes no texture at all, so that it needs no display: it plays
    /// exactly the same game, but every sprite shows nothing.
    /// `parkingWorld`, if given, is a world that is never stepped and outlives the
    /// city: each dead body, once parked, moves there (see `carPark`).
    explicit City(b2World& physicsWorld, const std::optional<std::string>& imageFolder = std::string(ImageFolder),
                  b2World* parkingWorld = nullptr);
    /// The same city dressed in `borrowed`, another city's whole catalogue
    /// (or none, from a city without images), which must outlive it: nothing
    /// is loaded or copied, and nothing touches OpenGL, so it may be built and
    /// played on any thread.
    City(b2World& physicsWorld, const TextureBank& borrowed, b2World* parkingWorld);
    City(const City&) = delete;
    City& operator=(const City&) = delete;

    /// The wave counter (see PopulationLimit): +WaveSize per wave, -1 per corpse,
    /// a founder's too. Not the number alive, which counts the founders as well.
    std::int32_t population = 0;
    CityRandom randomSequence;    ///< where waves arrive; starts afresh with every city
    std::vector<Actor> actors;    ///< creation order; index 0 is the player's character
    std::vector<Prop> props;      ///< the four walls, then corpses as they are laid
    TextureBank textures;         ///< TextureSlotCount slots, never resized; none without images or with borrowed ones
    const TextureBank* images = nullptr;  ///< what sprites are dressed in: `textures`, borrowed ones, or none
    Prop map;                     ///< only its sprite is used; no body
    b2World* world;               ///< not owned
    /// Not owned; null to keep the parked dead in `world`. A parked body is
    /// disabled and touches nothing, yet every step of `world` walks its whole
    /// body list several times. In the car park an exact twin (same place,
    /// angle, velocities, flags and fixture) stands instead: the body reads the
    /// same, and taking a disabled body out of `world`'s list leaves the order
    /// of the others, so their islands, contacts and every step, as they were.
    b2World* carPark = nullptr;

    /// Indices of the actors still on the street, in increasing order: the living,
    /// and the dead until their sprite has followed their body to ParkPosition.
    /// Everyone else stands parked, out of sight and beyond SearchRadius of
    /// anyone in the city, so the update, the target search and the drawing pass
    /// them by: a frame costs the same however many lie dead.
    std::vector<std::uint32_t> onStreet;
    /// Props whose sprite already stands on their body. Props are static and
    /// never moved, so syncProps places each prop once, in its first frame.
    std::size_t propsPlaced = 0;

    /// Calls `visit(i)` with the index of every living person on the street but
    /// the player's character, in increasing order: who the marks, the map and
    /// the pointer show.
    template <typename Visit>
    void forEachOtherLiving(Visit&& visit) const
    {
        for (const std::uint32_t i : onStreet)
            if (i != 0 && !actors[i].dead)
                visit(i);
    }

    /// The catalogue texture of `id`. Only for a city with images, its own or borrowed.
    const sf::Texture& texture(TextureId id) const;

    /// Gives `sprite` the image of `id` without resetting its texture rectangle
    /// (a sprite that had none then shows the whole image). Does nothing in a
    /// city without images, whose sprites show nothing.
    void dress(sf::Sprite& sprite, TextureId id) const;
    /// Dresses `actor`'s sprite so, and keeps `id` as its image even without images.
    void dress(Actor& actor, TextureId id) const;

    /// Appends a person with a dynamic body whose origin is at pixel (`x`, `y`).
    /// Leaves `population` alone. Must not be called while the world steps.
    void spawnActor(float x, float y, TextureId image, Faction faction);

    /// Appends a static box centred at pixel (`x`, `y`) with half-extents in
    /// metres (not divided); its sprite is scaled by `scaleX` / PixelsPerMeter and
    /// `scaleY` / PixelsPerMeter.
    /// Must not be called while the world steps.
    void addProp(float x, float y, float halfWidth, float halfHeight,
                 float scaleX, float scaleY, TextureId image);

    /// The city's turn in a frame, right after the world step: waves, behaviour,
    /// sprites to bodies, corpses for the newly dead.
    void update();

    /// Puts every prop's sprite on its body's origin (pixels). Props are static:
    /// a prop once placed stays placed, so only props added since the last call
    /// are visited.
    void syncProps();

private:
    /// Dresses the map and lays out the founders and the walls.
    void build();
    void spawnFounders();
    void buildWalls();
    void spawnWave();
    void runBehaviour();
    void layCorpses();
    /// Replaces the parked, disabled `body` of `world` by its twin in `carPark`
    /// and returns the twin.
    b2Body* moveToCarPark(b2Body* body);
};
} // namespace tamrow
