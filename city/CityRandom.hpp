#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace tamrow
{
/// The city's own random sequence: exactly the values glibc's rand() gives in a
/// process that never seeded it, so that every city starts the same run. glibc's
/// additive feedback generator (TYPE_3): 31 words seeded from UnseededSeed by
/// r[i] = 16807 * r[i-1] mod (2^31 - 1) for i = 1..30, r[31..33] = r[0..2], then
/// r[i] = r[i-31] + r[i-3] mod 2^32, the first DiscardedValues of these thrown
/// away, each output r[i] >> 1.
/// Each city owns one, so a fresh city is a fresh sequence whatever else draws.
class CityRandom
{
public:
    /// glibc's rand() before any srand() behaves as after srand(UnseededSeed).
    static constexpr std::uint32_t UnseededSeed = 1;

    CityRandom();

    /// The next value, in [0, 2^31 - 1], as the next rand() call would give it.
    std::int32_t next();

private:
    /// Words of feedback state (glibc's degree for TYPE_3) and the lag of the tap.
    static constexpr std::size_t Degree = 31;
    static constexpr std::size_t Separation = 3;
    /// Outputs drawn and dropped after seeding: ten per word of state.
    static constexpr int DiscardedValues = 310;

    std::array<std::uint32_t, Degree> words_{};  ///< the last Degree values of r
    /// Index in `words_` of r[i-31] for the next i. r[31..33] are r[0..2] again,
    /// already in the ring, so the first sum is r[34], Separation words on.
    std::size_t oldest_ = Separation;
};
} // namespace tamrow
