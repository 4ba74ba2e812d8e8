#pragma once

// The fingerprint of a fresh city's first 50 s of play: the game's state hash of
// every frame, folded in order. Any run with no key held, headless or in the
// window, must reproduce it bit for bit.

#include "life/StateHash.hpp"

#include <cstdint>

/// Frames recorded: 50 s at 60 frames a second, past the last death of a fresh run.
constexpr std::int64_t TraceFrames = 3000;
constexpr std::uint64_t GoldenTraceHash = 0x7d5f96a054803f59ull;
