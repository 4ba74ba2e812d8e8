#pragma once

// The fingerprint of a fresh city's first 50 s of play, frame by frame: any run with
// no key held, headless or in the window, must reproduce it bit for bit.

#include "life/StateHash.hpp"

#include <cstddef>
#include <cstdint>

/// Frames recorded: 50 s at 60 frames a second, past the last death of a fresh run.
constexpr std::int64_t TraceFrames = 3000;
/// The game's state hash of every one of those frames, folded in order.
constexpr std::uint64_t GoldenTraceHash = 0x7d5f96a054803f59ull;
/// The first death of every run: the wave's first civilian, caught by a hooligan.
constexpr std::int64_t GoldenFirstDeathFrame = 96;
/// Corpses in the street after TraceFrames frames.
constexpr std::size_t GoldenDeaths = 23;

/// The state hash of a run, frame after frame, and its first death.
class CityTrace
{
public:
    /// Folds in the city after frame `frame` and notes the first death.
    void record(const City& city, std::int64_t frame)
    {
        hash_.record(city);
        for (std::size_t i = 0; i < city.actors.size() && firstDeathFrame_ == 0; ++i)
        {
            if (city.actors[i].dead)
                firstDeathFrame_ = frame;
        }
    }

    std::uint64_t hash() const { return hash_.value(); }
    /// 0 while nobody has died.
    std::int64_t firstDeathFrame() const { return firstDeathFrame_; }

private:
    StateHash hash_;
    std::int64_t firstDeathFrame_ = 0;
};
