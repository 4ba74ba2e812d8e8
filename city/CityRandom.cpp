#include "city/CityRandom.hpp"

namespace tamrow
{
namespace
{
/// The seeding recurrence's multiplier and modulus: the Park-Miller "minimal standard".
constexpr std::int64_t SeedMultiplier = 16807;
constexpr std::int64_t SeedModulus = 2147483647;
} // namespace

CityRandom::CityRandom()
{
    std::int64_t word = UnseededSeed;
    words_[0] = static_cast<std::uint32_t>(word);
    for (std::size_t i = 1; i < Degree; ++i)
    {
        // Both factors are below 2^31: the product fits in 64 bits.
        word = SeedMultiplier * word % SeedModulus;
        words_[i] = static_cast<std::uint32_t>(word);
    }
    for (int i = 0; i < DiscardedValues; ++i)
        next();
}

std::int32_t CityRandom::next()
{
    // r[i-3] sits Separation places before the oldest word, round the ring.
    const std::uint32_t recent = words_[(oldest_ + Degree - Separation) % Degree];
    const std::uint32_t value = words_[oldest_] + recent;  // mod 2^32, as unsigned arithmetic wraps
    words_[oldest_] = value;
    oldest_ = (oldest_ + 1) % Degree;
    return static_cast<std::int32_t>(value >> 1);
}
} // namespace tamrow
