#include "life/StateHash.hpp"

namespace tamrow
{
namespace
{
constexpr std::uint64_t FnvPrime = 1099511628211ull;
} // namespace

std::uint64_t fnv1a(std::uint64_t sum, const void* data, std::size_t size)
{
    const auto* bytes = static_cast<const unsigned char*>(data);
    for (std::size_t k = 0; k < size; ++k)
    {
        sum ^= bytes[k];
        sum *= FnvPrime;
    }
    return sum;
}

void StateHash::record(const City& city)
{
    for (const Actor& actor : city.actors)
    {
        const b2Vec2 position = actor.body->GetPosition();
        hash_ = fnv1a(hash_, &position.x, sizeof position.x);
        hash_ = fnv1a(hash_, &position.y, sizeof position.y);
        hash_ = fnv1a(hash_, &actor.health, sizeof actor.health);
        hash_ = fnv1a(hash_, &actor.state, sizeof actor.state);
    }
}
} // namespace tamrow
