// The overlays that let a player read the fight: the people they ring are exactly
// those Q and E recruit; a hit flashes in the frame it lands and is gone a second
// later; H toggles once per press. Hidden, they leave the city's own pixels: the
// sameness test compares hidden-overlay frames with the plain frame.

#include "support/GameFixture.hpp"

#include <algorithm>
#include <string>
#include <tuple>
#include <vector>

namespace
{
class OverlaysTest : public GameTest
{
protected:
    OverlaysTest() { game.overlaysShown = true; }

    /// Appends a person of `side` with its body at (`x`, `y`) m; returns its index.
    std::size_t standAt(float x, float y, TextureId image, Faction side)
    {
        city.spawnActor(0.0f, 0.0f, image, side);
        place(city.actors.size() - 1, x, y);
        return city.actors.size() - 1;
    }

    /// The last frame drawn again from the same state: the city alone, or with the overlays.
    sf::Image redrawn(bool withOverlays)
    {
        game.window.clear(ClearColour);
        game.scene.draw(game.window, city);
        if (withOverlays)
            game.overlays.draw(game.window, city, false, false);
        game.window.display();
        return presented();
    }

    /// The window pixel of actor `index`'s middle.
    sf::Vector2i middleOf(std::size_t index)
    {
        const sf::FloatRect bounds = city.actors[index].sprite.getGlobalBounds();
        return game.window.mapCoordsToPixel({bounds.left + bounds.width / 2.0f, bounds.top + bounds.height / 2.0f});
    }

    /// Window pixels within `radius` of actor `index`'s middle where `a` and `b` differ.
    int differencesAround(const sf::Image& a, const sf::Image& b, std::size_t index, int radius)
    {
        const sf::Vector2i middle = middleOf(index);
        int differing = 0;
        for (int y = middle.y - radius; y <= middle.y + radius; ++y)
            for (int x = middle.x - radius; x <= middle.x + radius; ++x)
                differing += a.getPixel(static_cast<unsigned>(x), static_cast<unsigned>(y)) !=
                             b.getPixel(static_cast<unsigned>(x), static_cast<unsigned>(y));
        return differing;
    }
};

sf::Event keyEvent(sf::Event::EventType type, sf::Keyboard::Key code)
{
    sf::Event event;
    event.type = type;
    event.key = {code, false, false, false, false};
    return event;
}
} // namespace

TEST_F(OverlaysTest, RingExactlyThePeopleQRecruitsAtTheCellEdges)
{
    // Cell (40, 30), then cell 0 on both axes, two metres wide.
    for (const sf::Vector2f character : {sf::Vector2f(40.5f, 30.5f), sf::Vector2f(0.5f, 0.5f)})
    {
        removeActorsFrom(1);
        place(0, character.x, character.y);
        const float cx = static_cast<float>(static_cast<int>(character.x));
        const float cy = static_cast<float>(static_cast<int>(character.y));
        for (const float offset : {-2.0001f, -1.9999f, -1.0001f, -0.9999f, 1.9999f, 2.0f, 2.0001f})
        {
            standAt(cx + offset, character.y, TextureId::Civil, Faction::Civil);
            standAt(character.x, cy + offset, TextureId::Civil, Faction::Civil);
        }
        const std::vector<std::uint32_t> ringed = game.overlays.reachable(city);
        // Q makes hooligans; E, even with Q held, police; only the side and the image change.
        for (const auto& [keys, side, image] : {std::tuple{std::set{sf::Keyboard::Q}, Faction::Hooli, TextureId::Hooli},
                                                std::tuple{std::set{sf::Keyboard::Q, sf::Keyboard::E}, Faction::Police,
                                                           TextureId::Police}})
        {
            held = keys;
            game.handleInput();
            std::size_t recruited = 0;
            for (std::uint32_t i = 1; i < city.actors.size(); ++i)
            {
                const Actor& other = city.actors[i];
                const bool wasRinged = std::find(ringed.begin(), ringed.end(), i) != ringed.end();
                recruited += other.faction == side;
                EXPECT_EQ(wasRinged, other.faction == side && other.sprite.getTexture() == &city.texture(image))
                    << "at " << other.body->GetPosition().x << ", " << other.body->GetPosition().y;
                EXPECT_EQ(other.health, 10);
            }
            EXPECT_GT(recruited, 3u);
            EXPECT_LT(recruited, city.actors.size() - 4);
        }
        releaseAll();
        EXPECT_EQ(city.actors[0].faction, Faction::Civil) << "the character is never recruited";
        EXPECT_EQ(city.actors[0].sprite.getTexture(), &city.texture(TextureId::Character));
    }
}

TEST_F(OverlaysTest, HitFlashesInTheFrameOfTheHitAndIsGoneASecondLater)
{
    removeActorsFrom(1);
    const std::size_t struck = standAt(64.0f, 30.0f, TextureId::Civil, Faction::Civil);
    const std::size_t hitter = standAt(65.5f, 30.0f, TextureId::Hooli, Faction::Hooli);
    int frames = 0;
    while (city.actors[struck].health == 10 && frames++ < 10)
        loop(1);
    ASSERT_EQ(city.actors[struck].health, 9);
    const sf::Image hitFrame = presented();
    const sf::Image plainHitFrame = redrawn(false);
    EXPECT_GT(differencesAround(hitFrame, plainHitFrame, struck, 8), 200);
    const sf::Vector2i middle = middleOf(struck);
    const sf::Color flash = hitFrame.getPixel(static_cast<unsigned>(middle.x), static_cast<unsigned>(middle.y));
    EXPECT_TRUE(flash.r > flash.g + 60 && flash.r > flash.b + 60) << int(flash.r) << ", " << int(flash.g) << ", " << int(flash.b) << ": the hitter's side's red";

    // The hooligan lays down its quarrel: no more hits.
    city.actors[hitter].faction = Faction::Civil;
    city.actors[hitter].state = ActorState::Idle;
    place(hitter, 70.0f, 30.0f);
    loop(60);
    EXPECT_EQ(city.actors[struck].health, 9);
    EXPECT_EQ(differencesAround(presented(), redrawn(false), struck, 14), 0);
}

TEST(SightEventsTest, HTogglesOncePerPressAndOnlyWithTheFocus)
{
    SightEvents events;
    const sf::Event press = keyEvent(sf::Event::KeyPressed, sf::Keyboard::H);
    const sf::Event release = keyEvent(sf::Event::KeyReleased, sf::Keyboard::H);
    EXPECT_TRUE(events.read(press, true).toggleOverlays);
    EXPECT_FALSE(events.read(press, true).toggleOverlays) << "the system's repeat";
    events.read(release, true);
    EXPECT_FALSE(events.read(press, false).toggleOverlays) << "without the focus";
    events.read(release, false);
    EXPECT_TRUE(events.read(press, true).toggleOverlays);
}
