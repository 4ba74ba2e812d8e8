// Q and E: the people in the character's one-metre cell (coordinates truncated toward
// zero) or the eight around it change side and image, nothing else; never the character.

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

    /// Stands the character at (`x`, `y`) m and a civilian on each spot; returns the first's index.
    std::size_t standAround(float x, float y, const std::vector<Spot>& spots)
    {
        place(0, x, y);
        const std::size_t first = city.actors.size();
        for (const Spot& spot : spots)
        {
            city.spawnActor(0.0f, 0.0f, TextureId::Civil, Faction::Civil);
            place(city.actors.size() - 1, spot.x, spot.y);
        }
        return first;
    }

    /// One pass of the input with exactly `keys` held, no frame: nobody moves.
    void press(std::initializer_list<sf::Keyboard::Key> keys)
    {
        releaseAll();
        hold(keys);
        game.handleInput();
        releaseAll();
    }

    /// The spots marked recruited took `side` and `id`'s image; the others are still civilians.
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

TEST_F(RecruitTest, ReachesTheCharactersTruncatedCellAndTheEightAroundIt)
{
    const struct
    {
        const char* what;
        sf::Vector2f character;  ///< m
        sf::Keyboard::Key key;
        Faction side;
        TextureId image;
        std::vector<Spot> spots;
    } cases[] = {
        // Cell (40, 30); cell (42, 30), two cells away, is too far.
        {"the nine cells", {40.5f, 30.5f}, sf::Keyboard::E, Faction::Police, TextureId::Police,
         {{41.5f, 31.5f, true}, {39.0f, 29.0f, true}, {40.99f, 31.99f, true}, {39.5f, 30.5f, true},
          {42.0f, 30.5f, false}, {41.9f, 32.0f, false}, {38.99f, 30.5f, false}, {40.5f, 28.9f, false},
          {37.0f, 27.0f, false}}},
        // (41.9, 31.9) is 2.1 m away but one cell off; (42.0, 30.8) is 1.9 m away but two cells.
        {"cells, not metres", {40.1f, 30.8f}, sf::Keyboard::Q, Faction::Hooli, TextureId::Hooli,
         {{40.9f, 30.2f, true}, {41.9f, 31.9f, true}, {42.0f, 30.8f, false}}},
        // -1.5 truncates to -1, one cell from 0; rounding down would make it two.
        {"truncation toward zero", {0.5f, 0.5f}, sf::Keyboard::Q, Faction::Hooli, TextureId::Hooli,
         {{-1.5f, 0.5f, true}, {-1.99f, -1.99f, true}, {1.99f, 1.99f, true}, {-0.9f, -0.2f, true},
          {-2.0f, 0.5f, false}, {0.5f, -2.5f, false}}},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.what);
        const std::size_t first = standAround(c.character.x, c.character.y, c.spots);
        press({c.key});
        expectRecruited(first, c.spots, c.side, c.image);
        expectCharacterUntouched();
        removeActorsFrom(3);
    }
}

TEST_F(RecruitTest, QMakesHooligansEMakesPoliceAndWithBothHeldPoliceWin)
{
    // Founders standing on the character too: it never changes.
    place(1, 60.0f, 30.0f);
    place(2, 60.0f, 30.0f);
    const std::vector<Spot> spots = {{61.0f, 30.0f, true}, {59.0f, 31.0f, true}};
    const std::size_t first = standAround(60.0f, 30.0f, spots);
    press({sf::Keyboard::Q});
    expectRecruited(first, spots, Faction::Hooli, TextureId::Hooli);
    EXPECT_EQ(city.actors[1].faction, Faction::Hooli);
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
    // A hurt wave hooligan in the middle of a chase, showing part of its image.
    city.population = 0;
    loop(3);
    Actor& recruit = city.actors[3];
    ASSERT_EQ(recruit.state, ActorState::Chasing);
    recruit.health = 7;
    const sf::IntRect part(0, 0, 5, 7);
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
    EXPECT_EQ(recruit.state, ActorState::Chasing);
    EXPECT_EQ(recruit.target, before.target);
    EXPECT_EQ(recruit.sprite.getPosition(), before.sprite.getPosition());
    EXPECT_EQ(recruit.sprite.getColor(), before.sprite.getColor());
    EXPECT_EQ(recruit.body->GetLinearVelocity(), velocity);
    EXPECT_EQ(recruit.body->GetPosition(), at);
}
