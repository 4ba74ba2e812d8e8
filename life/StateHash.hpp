#pragma once

#include "city/City.hpp"

#include <cstddef>
#include <cstdint>

/// A fingerprint of how a city plays: FNV-1a (64-bit) over the bits of every
/// actor's body position, its health and its state, folded in frame after frame.
/// Two runs that record the same frames and end on the same value played the same.
class StateHash
{
public:
    /// Folds in the city as it stands now.
    void record(const City& city);

    std::uint64_t value() const { return hash_; }

private:
    static constexpr std::uint64_t FnvOffsetBasis = 14695981039346656037ull;
    static constexpr std::uint64_t FnvPrime = 1099511628211ull;

    /// Folds in the `size` bytes at `data`, as they lie in memory.
    void mix(const void* data, std::size_t size);

    std::uint64_t hash_ = FnvOffsetBasis;
};
