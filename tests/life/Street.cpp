#include "Street.hpp"

#include "life/Simulation.hpp"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <cstdlib>
#include <cstring>

namespace
{
/// The outside founders, and where they are parked: far from the streets, from each
/// other and from the parked dead, so they never pick anyone.
constexpr std::size_t OutsideFounders[] = {1, 2};
const b2Vec2 OutOfTheWay[] = {b2Vec2(99999.0f, -99999.0f), b2Vec2(-99999.0f, 99999.0f)};

TextureId imageOf(Faction side)
{
    return side == Faction::Hooli ? TextureId::Hooli : side == Faction::Police ? TextureId::Police : TextureId::Civil;
}
} // namespace

StreetTest::StreetTest()
    : city(town.city)
{
    resetRandom();
    for (std::size_t k = 0; k < std::size(OutsideFounders); ++k)
    {
        city.actors[OutsideFounders[k]].body->SetTransform(OutOfTheWay[k], 0.0f);
        city.actors[OutsideFounders[k]].body->SetEnabled(false);
    }
    city.population = QuietPopulation;
}

std::size_t StreetTest::place(Faction side, float x, float y)
{
    city.spawnActor(x * PixelsPerMeter, y * PixelsPerMeter, imageOf(side), side);
    const std::size_t index = city.actors.size() - 1;
    moveTo(index, x, y);  // pixels / 30 is not always exactly the metres meant
    return index;
}

void StreetTest::clearStage()
{
    for (std::size_t i = 3; i < city.actors.size(); ++i)
        town.world.DestroyBody(city.actors[i].body);
    city.actors.erase(city.actors.begin() + 3, city.actors.end());
    city.onStreet.erase(std::remove_if(city.onStreet.begin(), city.onStreet.end(),
                                       [](std::uint32_t i) { return i >= 3; }),
                        city.onStreet.end());
}

void StreetTest::chase(std::size_t hunter, std::size_t prey)
{
    actor(hunter).target = static_cast<std::uint32_t>(prey);
    actor(hunter).state = ActorState::Chasing;
}

void StreetTest::moveTo(std::size_t who, float x, float y) { actor(who).body->SetTransform(b2Vec2(x, y), 0.0f); }

void StreetTest::setVelocity(std::size_t who, float vx, float vy)
{
    actor(who).body->SetLinearVelocity(b2Vec2(vx, vy));
}

b2Vec2 StreetTest::positionOf(std::size_t who) const { return city.actors[who].body->GetPosition(); }

b2Vec2 StreetTest::velocityOf(std::size_t who) const { return city.actors[who].body->GetLinearVelocity(); }

Actor& StreetTest::actor(std::size_t who) { return city.actors[who]; }

void StreetTest::frame() { advanceCity(town.world, city); }

b2Vec2 expectedChaseVelocity(const b2Vec2& from, const b2Vec2& to, float speed)
{
    const float dx = to.x - from.x;
    const float dy = to.y - from.y;
    const float distance = std::sqrt(dx * dx + dy * dy);
    const double scale = static_cast<double>(speed);
    return b2Vec2(static_cast<float>(scale * dx / distance), static_cast<float>(scale * dy / distance));
}

namespace
{
std::uint32_t bitsOf(float value)
{
    std::uint32_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}
} // namespace

void expectSameVelocity(const b2Vec2& actual, const b2Vec2& expected)
{
    EXPECT_EQ(bitsOf(actual.x), bitsOf(expected.x)) << actual.x << " vs " << expected.x;
    EXPECT_EQ(bitsOf(actual.y), bitsOf(expected.y)) << actual.y << " vs " << expected.y;
}

FreshCityTest::FreshCityTest()
    : city(town.city) { resetRandom(); }

std::vector<b2Vec2> drawNewcomerPlaces(std::size_t count)
{
    std::vector<b2Vec2> places;
    for (std::size_t i = 0; i < count; ++i)
    {
        const int column = std::rand() % 150;
        const int row = std::rand() % 70;
        places.emplace_back(static_cast<float>(column + 30), static_cast<float>(row + 20));
    }
    return places;
}

void recruitBothWays(City& city, std::int64_t frame)
{
    if (frame % 300 != 0)
        return;
    const bool toPolice = frame % 600 == 0;
    const Faction from = toPolice ? Faction::Hooli : Faction::Police;
    const Faction to = toPolice ? Faction::Police : Faction::Hooli;
    const TextureId image = toPolice ? TextureId::Police : TextureId::Hooli;
    bool turn = false;
    for (std::size_t i = 1; i < city.actors.size(); ++i)
    {
        Actor& actor = city.actors[i];
        if (actor.dead || actor.faction != from)
            continue;
        if (turn)
        {
            actor.faction = to;
            actor.sprite.setTexture(city.texture(image), false);
        }
        turn = !turn;
    }
}
