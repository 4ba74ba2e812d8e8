#include "life/StateHash.hpp"

void StateHash::record(const City& city)
{
    for (const Actor& actor : city.actors)
    {
        const b2Vec2 position = actor.body->GetPosition();
        mix(&position.x, sizeof position.x);
        mix(&position.y, sizeof position.y);
        mix(&actor.health, sizeof actor.health);
        mix(&actor.state, sizeof actor.state);
    }
}

void StateHash::mix(const void* data, std::size_t size)
{
    const auto* bytes = static_cast<const unsigned char*>(data);
    for (std::size_t k = 0; k < size; ++k)
    {
        hash_ ^= bytes[k];
        hash_ *= FnvPrime;
    }
}
