// The keyboard belongs to the window that has the focus. Keys held on the real
// keyboard (the X server's test extension, as xdotool presses them) while another
// program's window has the focus neither walk, recruit nor zoom: the X server
// reports them held all the same, so only the game's own reader can tell. The
// game's window keeps handling its events meanwhile, and gets the keys back with
// the focus.

#include "support/GameFixture.hpp"

#include <memory>
#include <string>
#include <vector>

namespace
{
/// Another program's window, to the right of the game's 1600 px wide window,
/// which stands at the screen's top-left corner (px).
constexpr int OtherLeft = 1650;
constexpr int OtherTop = 50;
constexpr int OtherSide = 200;

const sf::Vector2f StartSize(1600.0f, 900.0f);
/// Where the character starts (m), and a place in the next cell but one over,
/// within recruiting reach.
const b2Vec2 CharacterStart(60.0f, 30.0f);
const b2Vec2 NextDoor(61.5f, 30.5f);

class FocusTest : public WindowEventsTest
{
protected:
    FocusTest()
        : other_(x_, "Another program", OtherLeft, OtherTop, OtherSide, OtherSide)
    {
        game.keyHeld = realKeyboard;
    }

    ::testing::AssertionResult focusOther() { return focus(other_.id(), false); }
    ::testing::AssertionResult focusGame() { return focus(game.window.getSystemHandle(), true); }

    /// Puts the police founder next to the character, where Q would recruit it.
    void policeNextDoor() { place(1, NextDoor.x, NextDoor.y); }

    /// Holds each key for the lifetime of the result.
    static std::vector<std::unique_ptr<RealKeyDown>> holdReal(const std::vector<std::string>& names)
    {
        std::vector<std::unique_ptr<RealKeyDown>> keys;
        for (const std::string& name : names)
            keys.push_back(std::make_unique<RealKeyDown>(name));
        return keys;
    }

    static bool allPressed(const std::vector<std::unique_ptr<RealKeyDown>>& keys)
    {
        for (const auto& key : keys)
        {
            if (!key->pressed())
                return false;
        }
        return true;
    }

    PlainWindow other_;

private:
    ::testing::AssertionResult focus(XWindowId window, bool gameFocused)
    {
        if (!x_.focus(window))
            return ::testing::AssertionFailure() << "window " << window << " did not get the focus";
        if (game.window.hasFocus() != gameFocused)
            return ::testing::AssertionFailure() << "the game's window does not know who has the focus";
        drainEvents();
        return ::testing::AssertionSuccess();
    }
};
} // namespace

TEST_F(FocusTest, KeysHeldForAnotherWindowNeitherWalkRecruitNorZoom)
{
    ASSERT_TRUE(x_.connected());
    loop();
    ASSERT_TRUE(focusOther());
    policeNextDoor();
    const b2Vec2 start = city.actors[0].body->GetPosition();
    ASSERT_EQ(start, CharacterStart);
    {
        const auto keys = holdReal({"w", "d", "q", "z"});
        ASSERT_TRUE(allPressed(keys));
        // The X server itself reports the keys held: only the focus tells them apart.
        ASSERT_TRUE(sf::Keyboard::isKeyPressed(sf::Keyboard::W));
        ASSERT_TRUE(sf::Keyboard::isKeyPressed(sf::Keyboard::Z));

        // Frames with events (the pointer moving over the game's window) and without.
        for (int frame = 0; frame < 12; ++frame)
        {
            if (frame % 2 == 0)
                wiggle(1);
            loop();
            EXPECT_EQ(game.moveX, 0) << "frame " << frame;
            EXPECT_EQ(game.moveY, 0) << "frame " << frame;
        }
        EXPECT_EQ(city.actors[0].body->GetLinearVelocity(), b2Vec2(0.0f, 0.0f));
        EXPECT_EQ(city.actors[0].body->GetPosition(), start);
        EXPECT_EQ(city.actors[1].faction, Faction::Police);
        EXPECT_EQ(city.actors[1].sprite.getTexture(), &city.texture(TextureId::Police));
        EXPECT_EQ(game.view.getSize(), StartSize);

        // The focus back, the same keys still down: now they count.
        ASSERT_TRUE(focusGame());
        policeNextDoor();
        wiggle(1);
        loop();
        EXPECT_EQ(game.moveY, -11);
        EXPECT_EQ(game.moveX, 11);
        EXPECT_EQ(city.actors[1].faction, Faction::Hooli);
        EXPECT_GT(game.view.getSize().x, StartSize.x);
    }
}

TEST_F(FocusTest, LosingTheFocusMidWalkStopsTheCharacterInTheNextFrame)
{
    ASSERT_TRUE(x_.connected());
    loop();
    ASSERT_TRUE(focusGame());
    {
        RealKeyDown w("w");
        ASSERT_TRUE(w.pressed());
        loop(5);
        ASSERT_EQ(game.moveY, -15);
        ASSERT_EQ(city.actors[0].body->GetLinearVelocity(), b2Vec2(0.0f, -15.0f));

        ASSERT_TRUE(focusOther());
        loop();
        EXPECT_EQ(game.moveY, 0);
        EXPECT_EQ(game.moveX, 0);
        EXPECT_EQ(city.actors[0].body->GetLinearVelocity(), b2Vec2(0.0f, 0.0f));
        const b2Vec2 stopped = city.actors[0].body->GetPosition();
        loop(5);
        EXPECT_EQ(city.actors[0].body->GetPosition(), stopped);

        // Back in focus with W still down: the ramp starts again from rest.
        ASSERT_TRUE(focusGame());
        loop();
        EXPECT_EQ(game.moveY, -11);
    }
}

TEST_F(FocusTest, WithoutTheFocusTheWindowStillResizesAndCloses)
{
    ASSERT_TRUE(x_.connected());
    loop();
    ASSERT_TRUE(focusOther());
    RealKeyDown z("z");
    ASSERT_TRUE(z.pressed());

    // The resize event is handled, and the held Z of that event is not read.
    game.window.setSize(sf::Vector2u(1200, 700));
    ASSERT_TRUE(viewReaches(sf::Vector2f(1200.0f, 700.0f)));
    loop(2);
    EXPECT_EQ(game.window.getView().getSize(), sf::Vector2f(1200.0f, 700.0f));
    EXPECT_EQ(x_.focusedWindow(), other_.id());

    ASSERT_TRUE(x_.requestClose(game.window.getSystemHandle()));
    EXPECT_TRUE(handleInputUntil([&] { return !game.window.isOpen(); })) << "the close request was not handled";
}
