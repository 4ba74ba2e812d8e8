#include "life/FightHistory.hpp"

#include "life/Simulation.hpp"

#include <algorithm>
#include <numeric>

namespace tamrow
{
FightHistory::FightHistory(std::size_t capacity)
    : capacity_(std::max<std::size_t>(capacity, 2))
{
    samples_.reserve(capacity_);
}

void FightHistory::observe(const City& city)
{
    if (++steps_ % stepsApart_ != 0)
        return;
    const CitySummary summary = summarise(city);
    HistorySample sample;
    sample.step = steps_;
    sample.alive = summary.alive;
    sample.deaths = std::accumulate(summary.deaths.begin(), summary.deaths.end(), std::int64_t{0});
    sample.waves = summary.waves;
    samples_.push_back(sample);
    if (samples_.size() < capacity_)
        return;
    // Full: keep the samples on the doubled spacing, which later ones follow.
    stepsApart_ *= 2;
    const auto off = std::remove_if(samples_.begin(), samples_.end(),
                                    [this](const HistorySample& kept) { return kept.step % stepsApart_ != 0; });
    samples_.erase(off, samples_.end());
}

void FightHistory::clear()
{
    samples_.clear();
    stepsApart_ = StepsPerSecond;
    steps_ = 0;
}

void FightHistory::writeCsv(std::ostream& out) const
{
    out << "seconds,civil,hooli,police,deaths,waves\n";
    for (const HistorySample& sample : samples_)
        out << sample.step / StepsPerSecond << ',' << sample.alive[0] << ',' << sample.alive[1] << ','
            << sample.alive[2] << ',' << sample.deaths << ',' << sample.waves << '\n';
}
} // namespace tamrow
