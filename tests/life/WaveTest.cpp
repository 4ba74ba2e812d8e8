// Newcomers: a wave of four whenever the counter is below 12, at places drawn from rand().
#include "Street.hpp"

#include "life/Simulation.hpp"

#include <array>
#include <cstdlib>
#include <vector>

namespace
{
/// What each newcomer of a wave is, in spawning order.
struct Newcomer
{
    Faction side;
    TextureId image;
};
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
        EXPECT_EQ(newcomer.health, 10);
        EXPECT_FALSE(newcomer.dead);
        EXPECT_EQ(newcomer.body->GetType(), b2_dynamicBody);
        // No world step in between: the bodies stand exactly where they were spawned.
        EXPECT_EQ(newcomer.body->GetPosition().x, places[first - Founders + k].x);
        EXPECT_EQ(newcomer.body->GetPosition().y, places[first - Founders + k].y);
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
    // Full at 12: no fourth wave; 15 people, all standing.
    city.update();
    EXPECT_EQ(city.population, 12);
    EXPECT_EQ(city.actors.size(), 15u);
    for (const Actor& person : city.actors)
        EXPECT_FALSE(person.dead);
}

TEST_F(NewcomerWaves, TheFirstWaveOfEveryRunStandsOnTheSamePlaces)
{
    // Pinned: a change in the order or number of rand() calls moves these.
    const std::array<b2Vec2, 4> firstWave = {{{163, 66}, {57, 25}, {173, 65}, {166, 22}}};
    city.update();
    for (std::size_t k = 0; k < firstWave.size(); ++k)
    {
        const b2Vec2 at = city.actors[Founders + k].body->GetPosition();
        EXPECT_EQ(at.x, firstWave[k].x) << "newcomer " << k;
        EXPECT_EQ(at.y, firstWave[k].y) << "newcomer " << k;
    }
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
    EXPECT_EQ(city.population, 12);
    // Not a single draw in an update without a wave.
    EXPECT_EQ(std::rand(), firstDraw);
    resetRandom();

    city.population = 11;
    city.update();
    ASSERT_EQ(city.actors.size(), Founders + 4);
    EXPECT_EQ(city.population, 15);
    expectWave(city, Founders, places);
    // Eight draws, no more.
    EXPECT_EQ(std::rand(), ninthDraw);

    city.update();
    EXPECT_EQ(city.actors.size(), Founders + 4);
}

TEST_F(NewcomerWaves, NewcomersChooseTargetsInTheUpdateThatBringsThem)
{
    city.update();
    // Index: target after the first update (civilians, including the character, stay Idle).
    // Founder police (200, 0) -> hooligan 3 at (163, 66); founder hooligan (0, 200) ->
    // civilian 5 at (173, 65); hooligan 3 -> civilian 5, 10 m off; hooligan 4 at (57, 25)
    // -> police 6 at (166, 22); police 6 -> hooligan 3.
    const std::array<std::uint32_t, 7> targets = {0, 3, 5, 5, 6, 0, 3};
    for (std::size_t i = 0; i < targets.size(); ++i)
    {
        const bool civilian = city.actors[i].faction == Faction::Civil;
        EXPECT_EQ(city.actors[i].state, civilian ? ActorState::Idle : ActorState::Chasing) << i;
        if (!civilian)
        {
            EXPECT_EQ(city.actors[i].target, targets[i]) << i;
        }
    }
}

TEST_F(NewcomerWaves, EverySpriteFollowsItsBodyEveryFrame)
{
    // The character walks too, so its sprite is seen to follow a moving body.
    city.actors[0].body->SetLinearVelocity(b2Vec2(2.0f, -1.0f));
    std::vector<bool> laid;
    for (int frame = 1; frame <= 120; ++frame)
    {
        laid.resize(city.actors.size() + 4, false);  // room for a wave this frame
        std::size_t nextCorpse = city.props.size();
        advanceCity(town.world, city);
        for (std::size_t i = 0; i < city.actors.size(); ++i)
        {
            SCOPED_TRACE(testing::Message() << "actor " << i << " frame " << frame);
            const Actor& person = city.actors[i];
            const sf::Vector2f sprite = person.sprite.getPosition();
            if (person.corpseLaid && !laid[i])
            {
                // Died this frame: the sprite still stands where it fell, on its corpse
                // (corpses are laid in the order of the dead in the list).
                laid[i] = true;
                ASSERT_LT(nextCorpse, city.props.size());
                const sf::Vector2f corpse = city.props[nextCorpse++].sprite.getPosition();
                ASSERT_NEAR(sprite.x, corpse.x, 0.01f);
                ASSERT_NEAR(sprite.y, corpse.y, 0.01f);
                continue;
            }
            const b2Vec2 body = person.body->GetPosition();
            ASSERT_EQ(sprite, sf::Vector2f(body.x * PixelsPerMeter, body.y * PixelsPerMeter));
        }
        ASSERT_EQ(nextCorpse, city.props.size());
    }
    EXPECT_GE(city.props.size(), 5u);  // the first death, frame 96, is among these frames
    EXPECT_GT(city.actors[0].body->GetPosition().x, 63.9f);
}
} // namespace
