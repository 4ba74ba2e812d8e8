#pragma once

#include "city/City.hpp"

#include <array>
#include <cstddef>
#include <cstdint>
#include <ostream>
#include <vector>

namespace tamrow
{
/// The people alive on each side at one moment of the fight, and what the
/// fight had come to by then.
struct HistorySample
{
    std::int64_t step = 0;                 ///< world steps since the game's start
    std::array<std::int64_t, 3> alive{};   ///< by Faction value, as summarise counts them
    std::int64_t deaths = 0;               ///< corpses laid so far, every side
    std::int64_t waves = 0;                ///< waves come so far
};

/// The fight over the whole game, a sample a second in bounded memory: when
/// `capacity` samples are kept, every other one goes and the samples come
/// half as often, so an hour fits at a second apart and a day at 32 s apart.
class FightHistory
{
public:
    static constexpr std::size_t DefaultCapacity = 4096;
    static constexpr std::int64_t StepsPerSecond = 60;

    explicit FightHistory(std::size_t capacity = DefaultCapacity);

    /// Call after each world step of the game: samples `city` when a sample is due.
    void observe(const City& city);
    /// Forgets everything, as F5 starts a new game.
    void clear();

    const std::vector<HistorySample>& samples() const { return samples_; }
    /// World steps between two samples: StepsPerSecond, doubled at each halving.
    std::int64_t stepsApart() const { return stepsApart_; }
    std::int64_t steps() const { return steps_; }

    /// A header line, then one line per sample: seconds,civil,hooli,police,deaths,waves.
    void writeCsv(std::ostream& out) const;

private:
    std::size_t capacity_;
    std::vector<HistorySample> samples_;
    std::int64_t stepsApart_ = StepsPerSecond;
    std::int64_t steps_ = 0;
};
} // namespace tamrow
