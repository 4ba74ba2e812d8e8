#pragma once

// The fingerprint of a fresh city's first 50 s of play, frame by frame: any run with
// no key held, headless or in the window, must reproduce it bit for bit.

#include "city/City.hpp"

#include <cstddef>
#include <cstdint>
#include <cstring>

/// Frames recorded: 50 s at 60 frames a second, past the last death of a fresh run.
constexpr std::int64_t TraceFrames = 3000;
/// FNV-1a (64-bit) of every actor's position bits, health and state, every frame.
constexpr std::uint64_t GoldenTraceHash = 0x7d5f96a054803f59ull;
/// The first death of every run: the wave's first civilian, caught by a hooligan.
constexpr std::int64_t GoldenFirstDeathFrame = 96;
constexpr std::size_t GoldenFirstVictim = 5;
/// Corpses in the street after TraceFrames frames.
constexpr std::size_t GoldenDeaths = 23;

/// Folds a city's state, frame after frame, into one 64-bit number.
class CityTrace
{
public:
    /// Hashes every actor's position bits, health and state, and notes the first death.
    void record(const City& city, std::int64_t frame)
    {
        for (std::size_t i = 0; i < city.actors.size(); ++i)
        {
            const Actor& actor = city.actors[i];
            const b2Vec2 position = actor.body->GetPosition();
            mix(&position.x, sizeof position.x);
            mix(&position.y, sizeof position.y);
            mix(&actor.health, sizeof actor.health);
            mix(&actor.state, sizeof actor.state);
            if (actor.dead && firstDeathFrame_ == 0)
            {
                firstDeathFrame_ = frame;
                firstVictim_ = i;
            }
        }
    }

    std::uint64_t hash() const { return hash_; }
    /// 0 while nobody has died.
    std::int64_t firstDeathFrame() const { return firstDeathFrame_; }
    std::size_t firstVictim() const { return firstVictim_; }

private:
    static constexpr std::uint64_t FnvOffsetBasis = 14695981039346656037ull;
    static constexpr std::uint64_t FnvPrime = 1099511628211ull;

    void mix(const void* data, std::size_t size)
    {
        unsigned char bytes[sizeof(std::uint64_t)];
        std::memcpy(bytes, data, size);
        for (std::size_t k = 0; k < size; ++k)
        {
            hash_ ^= bytes[k];
            hash_ *= FnvPrime;
        }
    }

    std::uint64_t hash_ = FnvOffsetBasis;
    std::int64_t firstDeathFrame_ = 0;
    std::size_t firstVictim_ = 0;
};
