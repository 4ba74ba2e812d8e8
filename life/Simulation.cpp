#include "life/Simulation.hpp"

namespace tamrow
{
void advanceCity(b2World& world, City& city, const std::function<void()>& stepped)
{
    world.Step(TimeStep, VelocityIterations, PositionIterations);
    if (stepped)
        stepped();
    city.update();
    city.syncProps();
}

CitySummary summarise(const City& city)
{
    CitySummary summary;
    summary.waves = static_cast<std::int64_t>((city.actors.size() - FounderCount) / WaveSize);
    for (const Actor& actor : city.actors)
    {
        const auto side = static_cast<std::size_t>(actor.faction);
        if (!actor.dead)
            ++summary.alive[side];
        if (actor.corpseLaid)
            ++summary.deaths[side];
    }
    summary.corpses = static_cast<std::int64_t>(city.props.size() - WallCount);
    summary.population = city.population;
    summary.actors = city.actors.size();
    return summary;
}

void runHeadless(b2World& world, City& city, std::int64_t frames,
                 const std::function<void(std::int64_t)>& afterFrame)
{
    for (std::int64_t frame = 1; frame <= frames; ++frame)
    {
        advanceCity(world, city);
        if (afterFrame)
            afterFrame(frame);
    }
}
} // namespace tamrow
