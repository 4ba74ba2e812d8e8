// Newcomers: a wave of four whenever the counter is below 12, at places drawn from rand().
#include "Street.hpp"

#include <array>
#include <cstdlib>
#include <vector>

namespace
{
struct Newcomer
{
    Faction side;
    TextureId image;
};
/// Each wave, in spawning order.
constexpr std::array<Newcomer, 4> WaveMakeUp = {{
    {Faction::Hooli, TextureId::Hooli},
    {Faction::Hooli, TextureId::Hooli},
    {Faction::Civil, TextureId::Civil},
    {Faction::Police, TextureId::Vigil},
}};

constexpr std::size_t Founders = 3;

using NewcomerWaves = FreshCityTest;

/// Checks the four actors from `first` on against the wave make-up and `places`.
void expectWave(const City& city, std::size_t first, const std::vector<b2Vec2>& places)
{
    for (std::size_t k = 0; k < WaveMakeUp.size(); ++k)
    {
        const Actor& newcomer = city.actors[first + k];
        SCOPED_TRACE(testing::Message() << "newcomer " << first + k);
        EXPECT_EQ(newcomer.faction, WaveMakeUp[k].side);
        EXPECT_EQ(newcomer.sprite.getTexture(), &city.texture(WaveMakeUp[k].image));
        // No world step in between: the bodies stand exactly where they were spawned.
        EXPECT_EQ(newcomer.body->GetPosition(), places[first - Founders + k]);
    }
}

TEST_F(NewcomerWaves, TheFirstThreeUpdatesBringAWaveEach)
{
    const std::vector<b2Vec2> places = drawNewcomerPlaces(12);
    resetRandom();
    for (std::int32_t wave = 1; wave <= 3; ++wave)
    {
        city.update();
        EXPECT_EQ(city.population, 4 * wave);
        ASSERT_EQ(city.actors.size(), Founders + 4u * static_cast<std::size_t>(wave));
        expectWave(city, city.actors.size() - 4, places);
    }
    // Full at 12: no fourth wave.
    city.update();
    EXPECT_EQ(city.actors.size(), 15u);
}

TEST_F(NewcomerWaves, TheFirstWaveOfEveryRunStandsOnTheSamePlaces)
{
    // Pinned: a change in the order or number of rand() calls moves these.
    const std::array<b2Vec2, 4> firstWave = {{{163, 66}, {57, 25}, {173, 65}, {166, 22}}};
    city.update();
    for (std::size_t k = 0; k < firstWave.size(); ++k)
        EXPECT_EQ(city.actors[Founders + k].body->GetPosition(), firstWave[k]) << "newcomer " << k;
}

TEST_F(NewcomerWaves, AWaveComesExactlyWhenTheCounterIsBelowTwelve)
{
    const std::vector<b2Vec2> places = drawNewcomerPlaces(4);
    const int ninthDraw = std::rand();
    resetRandom();
    const int firstDraw = std::rand();
    resetRandom();

    city.population = 12;
    city.update();
    EXPECT_EQ(city.actors.size(), Founders);
    EXPECT_EQ(std::rand(), firstDraw) << "not a single draw in an update without a wave";
    resetRandom();

    city.population = 11;
    city.update();
    ASSERT_EQ(city.actors.size(), Founders + 4);
    EXPECT_EQ(city.population, 15);
    expectWave(city, Founders, places);
    EXPECT_EQ(std::rand(), ninthDraw) << "eight draws, no more";
}
} // namespace
