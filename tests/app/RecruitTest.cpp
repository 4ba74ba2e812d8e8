// Q and E: the people in the character's one-metre cell, or in one of the eight
// cells around it (cells of coordinates truncated toward zero), change side and
// image. Nothing else about them changes, and the character itself never does.

#include "support/GameFixture.hpp"

#include <vector>

namespace
{
struct Spot
{
    float x;  ///< m
    float y;  ///< m
    bool recruited;
};

class RecruitTest : public GameTest
{
protected:
    const sf::Texture* image(TextureId id) const { return &city.texture(id); }

    /// Stands the character at (`x`, `y`) m and a civilian of the waves' image
    /// on each spot, in that order after the founders; returns the first index.
    std::size_t standAround(float x, float y, const std::vector<Spot>& spots)
    {
        place(0, x, y);
        const std::size_t first = city.actors.size();
        for (const Spot& spot : spots)
        {
            city.spawnActor(0.0f, 0.0f, city.texture(TextureId::Civil), Faction::Civil);
            place(city.actors.size() - 1, spot.x, spot.y);
        }
        return first;
    }

    /// One pass of the input with exactly `keys` held; no frame is run, so no
    /// body moves between the placing and the recruiting.
    void press(std::initializer_list<sf::Keyboard::Key> keys)
    {
        releaseAll();
        hold(keys);
        game.handleInput();
        releaseAll();
    }

    /// After `press`: the spots marked recruited took `side` and `id`'s image,
    /// the others are still civilians with the civilian image.
    void expectRecruited(std::size_t first, const std::vector<Spot>& spots, Faction side, TextureId id)
    {
        for (std::size_t i = 0; i < spots.size(); ++i)
        {
            const Actor& actor = city.actors[first + i];
            const bool recruited = spots[i].recruited;
            EXPECT_EQ(actor.faction, recruited ? side : Faction::Civil) << "at " << spots[i].x << ", " << spots[i].y;
            EXPECT_EQ(actor.sprite.getTexture(), image(recruited ? id : TextureId::Civil))
                << "at " << spots[i].x << ", " << spots[i].y;
        }
    }

    void expectCharacterUntouched()
    {
        EXPECT_EQ(city.actors[0].faction, Faction::Civil);
        EXPECT_EQ(city.actors[0].sprite.getTexture(), image(TextureId::Character));
    }
};
} // namespace

TEST_F(RecruitTest, ReachesTheCharactersCellAndTheEightAroundIt)
{
    // The character at (40.5, 30.5) m is in cell (40, 30).
    const std::vector<Spot> spots = {
        {41.5f, 31.5f, true},   {39.0f, 29.0f, true},   {40.99f, 31.99f, true}, {39.5f, 30.5f, true},
        {42.0f, 30.5f, false},  // cell (42, 30): exactly 2 cells away is too far
        {41.9f, 32.0f, false},  {38.99f, 30.5f, false}, {40.5f, 28.9f, false},  {37.0f, 27.0f, false},
    };
    const std::size_t first = standAround(40.5f, 30.5f, spots);
    press({sf::Keyboard::E});
    expectRecruited(first, spots, Faction::Police, TextureId::Police);
    expectCharacterUntouched();
}

TEST_F(RecruitTest, CellsCountNotTheDistanceInMetres)
{
    // From (40.1, 30.8): (40.9, 30.2) shares the cell; (41.9, 31.9) is 2.1 m
    // away but one cell off each way; (42.0, 30.8) is 1.9 m away but two cells.
    const std::vector<Spot> spots = {{40.9f, 30.2f, true}, {41.9f, 31.9f, true}, {42.0f, 30.8f, false}};
    const std::size_t first = standAround(40.1f, 30.8f, spots);
    press({sf::Keyboard::Q});
    expectRecruited(first, spots, Faction::Hooli, TextureId::Hooli);
}

TEST_F(RecruitTest, NearZeroTruncationMakesTheMiddleCellTwoMetresWide)
{
    // -1.5 truncates to -1, one cell from the character's 0; rounding down
    // would have put it two cells away.
    const std::vector<Spot> spots = {
        {-1.5f, 0.5f, true}, {-1.99f, -1.99f, true}, {1.99f, 1.99f, true}, {-0.9f, -0.2f, true},
        {-2.0f, 0.5f, false}, {0.5f, -2.5f, false},
    };
    const std::size_t first = standAround(0.5f, 0.5f, spots);
    press({sf::Keyboard::Q});
    expectRecruited(first, spots, Faction::Hooli, TextureId::Hooli);
}

TEST_F(RecruitTest, QMakesHooligansEMakesPoliceAndWithBothHeldPoliceWin)
{
    const std::vector<Spot> spots = {{61.0f, 30.0f, true}, {59.0f, 31.0f, true}};
    const std::size_t first = standAround(60.0f, 30.0f, spots);
    press({sf::Keyboard::Q});
    expectRecruited(first, spots, Faction::Hooli, TextureId::Hooli);
    press({sf::Keyboard::E});
    expectRecruited(first, spots, Faction::Police, TextureId::Police);
    press({sf::Keyboard::Q, sf::Keyboard::E});
    expectRecruited(first, spots, Faction::Police, TextureId::Police);
    expectCharacterUntouched();
}

TEST_F(RecruitTest, WavePoliceOfficerKeepsItsSideAndTakesThePoliceImage)
{
    city.population = 0;
    loop();
    ASSERT_EQ(city.actors.size(), 7u);
    Actor& officer = city.actors[6];
    ASSERT_EQ(officer.faction, Faction::Police);
    ASSERT_EQ(officer.sprite.getTexture(), image(TextureId::Vigil));
    const b2Vec2 at = officer.body->GetPosition();
    place(0, at.x + 1.0f, at.y - 0.5f);
    press({sf::Keyboard::E});
    EXPECT_EQ(officer.faction, Faction::Police);
    EXPECT_EQ(officer.sprite.getTexture(), image(TextureId::Police));
}

TEST_F(RecruitTest, NeverTheCharacterEvenWithOthersStandingOnIt)
{
    place(0, 60.5f, 30.5f);
    place(1, 60.5f, 30.5f);
    place(2, 60.5f, 30.5f);
    press({sf::Keyboard::Q});
    expectCharacterUntouched();
    EXPECT_EQ(city.actors[1].faction, Faction::Hooli);
    EXPECT_EQ(city.actors[2].faction, Faction::Hooli);
    press({sf::Keyboard::E});
    expectCharacterUntouched();
    EXPECT_EQ(city.actors[1].faction, Faction::Police);
}

TEST_F(RecruitTest, NeverTheDeadWhoseBodiesAreParked)
{
    // The founding officer falls right beside the character; the frame lays
    // its corpse there and takes its body out of play.
    city.population = PopulationLimit + 1;
    place(1, 61.0f, 30.0f);
    city.actors[1].health = 0;
    city.actors[1].dead = true;
    loop();
    ASSERT_TRUE(city.actors[1].corpseLaid);
    press({sf::Keyboard::Q});
    EXPECT_EQ(city.actors[1].faction, Faction::Police);
    EXPECT_EQ(city.actors[1].sprite.getTexture(), image(TextureId::Police));
}

TEST_F(RecruitTest, ChangesNothingButTheSideAndTheImage)
{
    // A wave hooligan in the middle of a chase, hurt, with a sprite showing only
    // part of its image: all of that must survive being recruited.
    city.population = 0;
    loop(3);
    Actor& recruit = city.actors[3];
    ASSERT_EQ(recruit.faction, Faction::Hooli);
    ASSERT_EQ(recruit.state, ActorState::Chasing);
    recruit.health = 7;
    const sf::Vector2u imageSize = city.texture(TextureId::Hooli).getSize();
    const sf::IntRect part(0, 0, static_cast<int>(imageSize.x / 2), static_cast<int>(imageSize.y / 2));
    recruit.sprite.setTextureRect(part);
    const Actor before = recruit;
    const b2Vec2 velocity = recruit.body->GetLinearVelocity();
    const b2Vec2 at = recruit.body->GetPosition();
    place(0, at.x - 0.5f, at.y + 0.5f);

    press({sf::Keyboard::E});
    EXPECT_EQ(recruit.faction, Faction::Police);
    EXPECT_EQ(recruit.sprite.getTexture(), image(TextureId::Police));
    EXPECT_EQ(recruit.sprite.getTextureRect(), part);
    EXPECT_EQ(recruit.health, 7);
    EXPECT_EQ(recruit.damage, before.damage);
    EXPECT_EQ(recruit.state, ActorState::Chasing);
    EXPECT_EQ(recruit.target, before.target);
    EXPECT_FALSE(recruit.dead);
    EXPECT_FALSE(recruit.corpseLaid);
    EXPECT_EQ(recruit.body, before.body);
    EXPECT_EQ(recruit.sprite.getPosition(), before.sprite.getPosition());
    EXPECT_EQ(recruit.sprite.getScale(), before.sprite.getScale());
    EXPECT_EQ(recruit.sprite.getColor(), before.sprite.getColor());
    EXPECT_EQ(recruit.body->GetLinearVelocity(), velocity);
    EXPECT_EQ(recruit.body->GetPosition(), at);
    EXPECT_EQ(city.actors.size(), 15u);
}

TEST_F(RecruitTest, WithOnlyTheCharacterLeftWalkingStillWorks)
{
    removeActorsFrom(1);
    press({sf::Keyboard::Q, sf::Keyboard::E, sf::Keyboard::D});
    EXPECT_EQ(game.moveX, 11);
    EXPECT_EQ(city.actors[0].body->GetLinearVelocity(), b2Vec2(11.0f, 0.0f));
    expectCharacterUntouched();
}
