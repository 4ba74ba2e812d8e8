#include "city/Actor.hpp"

#include <cmath>

namespace tamrow
{
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

/// False, with the state settled, when `hunter` takes no part in a search:
/// the dead and civilians are left as they are; alone, or without a body to
/// measure from, a hunter turns Idle.
bool readyToSearch(Actor& hunter, const std::vector<Actor>& actors)
{
    if (hunter.dead || hunter.faction == Faction::Civil)
        return false;
    if (actors.size() < 2 || hunter.body == nullptr)
    {
        hunter.state = ActorState::Idle;
        return false;
    }
    return true;
}

/// The nearest hostile among the candidates considered so far. Fed in increasing
/// index order, the strict comparison keeps the lower index on ties. The dead are
/// not skipped: once their corpse is laid their bodies are parked beyond SearchRadius.
struct NearestHostile
{
    NearestHostile(const Actor& searcher, const std::vector<Actor>& everyone)
        : hunter(searcher)
        , actors(everyone)
        , here(searcher.body->GetPosition())
    {
    }

    void consider(std::size_t i)
    {
        if (!isHostile(hunter.faction, actors[i].faction))
            return;
        const double distance = distanceBetween(here, actors[i].body->GetPosition());
        if (distance < bestDistance)
        {
            bestDistance = distance;
            best = i;
        }
    }

    const Actor& hunter;
    const std::vector<Actor>& actors;
    const b2Vec2 here;
    double bestDistance = SearchRadius;
    std::size_t best = 0;  ///< 0 is the player's character, never a candidate: none found
};

/// Chases `best`, or turns Idle when the search found nobody.
void settleOn(Actor& hunter, std::size_t best)
{
    if (best == 0)
    {
        hunter.state = ActorState::Idle;
        return;
    }
    hunter.target = static_cast<std::uint32_t>(best);
    hunter.state = ActorState::Chasing;
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

void Actor::selectTarget(const std::vector<Actor>& actors, const std::vector<std::uint32_t>& candidates)
{
    if (!readyToSearch(*this, actors))
        return;
    NearestHostile search(*this, actors);
    for (const std::uint32_t i : candidates)
    {
        if (i != 0)
            search.consider(i);
    }
    settleOn(*this, search.best);
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
} // namespace tamrow
