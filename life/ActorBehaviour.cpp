#include "city/Actor.hpp"

#include <cmath>

namespace
{
/// Distance between two points (m). The squares and their sum are single
/// precision and so is the root: the game's outcome depends on these exact bits.
float distanceBetween(const b2Vec2& from, const b2Vec2& to)
{
    const float dx = to.x - from.x;
    const float dy = to.y - from.y;
    return std::sqrt(dx * dx + dy * dy);
}
} // namespace

bool isHostile(Faction hunter, Faction candidate)
{
    switch (hunter)
    {
    case Faction::Hooli:
        return candidate == Faction::Civil || candidate == Faction::Police;
    case Faction::Police:
        return candidate == Faction::Hooli;
    case Faction::Civil:
        break;
    }
    return false;
}

void Actor::selectTarget(const std::vector<Actor>& actors)
{
    if (dead || faction == Faction::Civil)
        return;
    if (actors.size() < 2 || body == nullptr)
    {
        state = ActorState::Idle;
        return;
    }

    const b2Vec2 here = body->GetPosition();
    double bestDistance = SearchRadius;
    std::size_t best = 0;  // 0 is the player's character, never a candidate: "none yet"
    // The dead are not skipped: their bodies are parked farther than SearchRadius.
    for (std::size_t i = 1; i < actors.size(); ++i)
    {
        if (!isHostile(faction, actors[i].faction))
            continue;
        const double distance = distanceBetween(here, actors[i].body->GetPosition());
        if (distance < bestDistance)  // strict: ties keep the lower index
        {
            bestDistance = distance;
            best = i;
        }
    }

    if (best == 0)
    {
        state = ActorState::Idle;
        return;
    }
    target = static_cast<std::uint32_t>(best);
    state = ActorState::Chasing;
}

void Actor::pursue(std::vector<Actor>& actors, float speed)
{
    if (state != ActorState::Chasing || dead)
        return;
    const Actor& prey = actors[target];
    if (prey.dead || body == nullptr)
    {
        state = ActorState::Idle;
        return;
    }

    const b2Vec2 here = body->GetPosition();
    const b2Vec2 there = prey.body->GetPosition();
    const float distance = distanceBetween(here, there);
    if (distance != 0.0f)
    {
        // Direction in single precision, scaling in double, stored as single.
        const double dx = there.x - here.x;
        const double dy = there.y - here.y;
        body->SetLinearVelocity(b2Vec2(static_cast<float>(speed * dx / distance),
                                       static_cast<float>(speed * dy / distance)));
    }
    if (distance < AttackRange)
    {
        state = ActorState::Idle;
        attack(actors, damage);
    }
}

void Actor::attack(std::vector<Actor>& actors, std::int32_t hit)
{
    Actor& prey = actors[target];
    prey.health -= hit;
    if (prey.health < 1)
    {
        prey.dead = true;
        prey.sprite.setColor(DeathTint);
    }
}
