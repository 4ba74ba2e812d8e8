#pragma once

#include "city/City.hpp"

#include <cstddef>
#include <cstdint>

namespace tamrow
{
/// FNV-1a (64-bit): the value before any byte, and `sum` carried on over the
/// `size` bytes at `data`, as they lie in memory. The state hash, the replay
/// file's checksum and the benchmark's picture fingerprint all fold bytes with it.
constexpr std::uint64_t FnvOffsetBasis = 14695981039346656037ull;
std::uint64_t fnv1a(std::uint64_t sum, const void* data, std::size_t size);

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
    std::uint64_t hash_ = FnvOffsetBasis;
};
} // namespace tamrow
