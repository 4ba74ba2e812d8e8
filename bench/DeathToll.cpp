#include "bench/DeathToll.hpp"

namespace tamrow
{
namespace
{
/// The founding police officer strikes the blows; the founders are spared.
constexpr std::size_t Executioner = 1;
} // namespace

std::size_t layDeaths(City& city, std::size_t deaths)
{
    std::size_t updates = 0;
    std::size_t struck = 0;
    std::size_t nextVictim = FounderCount;
    while (true)
    {
        city.update();
        city.syncProps();
        ++updates;
        if (struck >= deaths)
            return updates;
        for (; nextVictim < city.actors.size() && struck < deaths; ++nextVictim, ++struck)
        {
            Actor& executioner = city.actors[Executioner];
            executioner.target = static_cast<std::uint32_t>(nextVictim);
            executioner.attack(city.actors, city.actors[nextVictim].health);
        }
    }
}
} // namespace tamrow
