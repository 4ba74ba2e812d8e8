#include "life/CityChanges.hpp"

namespace tamrow
{
void CityChanges::look(const City& city)
{
    changed_.clear();
    firstArrival_ = seen_.size();
    for (std::size_t i = firstArrival_; i < city.actors.size(); ++i)
        seen_.push_back({city.actors[i].health, city.actors[i].dead});
    // Hits and deaths happen only on the street; the parked dead never change.
    for (const std::uint32_t i : city.onStreet)
    {
        const Actor& actor = city.actors[i];
        Seen& before = seen_[i];
        const PersonChange change{i, before.health - actor.health, actor.dead && !before.dead};
        if (change.hits > 0 || change.fell)
            changed_.push_back(change);
        before = {actor.health, actor.dead};
    }
}
} // namespace tamrow
