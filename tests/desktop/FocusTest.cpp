// The keyboard belongs to the window that has the focus (keys held through xdotool).
#include "support/GameFixture.hpp"

namespace tamrow
{
namespace
{
const sf::Vector2f StartSize(1600.0f, 900.0f);

class FocusTest : public GameTest
{
protected:
    FocusTest() { game.readKeys = realKeyboard; }

    /// Gives the focus to the game's window or to none, and waits until the
    /// window's own connection says it has it or not: its focus events are then
    /// queued before that answer, for the game's next frame to read.
    ::testing::AssertionResult focus(bool toGame)
    {
        const ::testing::AssertionResult focused = xSession.focus(toGame ? game.window.getSystemHandle() : NoWindow);
        if (!focused)
            return focused;
        return waitUntil(toGame ? "the game's window to have the focus" : "the game's window to lose the focus",
                         std::chrono::seconds(5), [&] { return game.window.hasFocus() == toGame; });
    }

    /// Puts the police founder in the character's next cell, where Q recruits.
    void policeNextDoor()
    {
        const b2Vec2 character = city.actors[0].body->GetPosition();
        place(1, character.x + 1.0f, character.y);
    }
};

TEST_F(FocusTest, KeysCountOnlyWhileTheGameHasTheFocus)
{
    loop();
    ASSERT_TRUE(focus(true));
    RealKeyDown w("w");
    ASSERT_TRUE(w.pressed());
    loop(5);
    ASSERT_EQ(city.actors[0].body->GetLinearVelocity(), b2Vec2(0.0f, -15.0f));

    // Losing the focus mid-walk stops the character in the next frame; more keys
    // held meanwhile neither walk, recruit nor zoom, with window events or without.
    ASSERT_TRUE(focus(false));
    policeNextDoor();
    RealKeyDown d("d");
    RealKeyDown q("q");
    RealKeyDown z("z");
    ASSERT_TRUE(d.pressed() && q.pressed() && z.pressed());
    ASSERT_TRUE(sf::Keyboard::isKeyPressed(sf::Keyboard::Z)) << "the X server itself reports the key held";
    loop();
    EXPECT_EQ(city.actors[0].body->GetLinearVelocity(), b2Vec2(0.0f, 0.0f));
    const b2Vec2 stopped = city.actors[0].body->GetPosition();
    for (int frame = 0; frame < 12; ++frame)
    {
        if (frame % 2 == 0)
            wiggle(1);
        loop();
    }
    EXPECT_EQ(city.actors[0].body->GetPosition(), stopped);
    EXPECT_EQ(city.actors[1].faction, Faction::Police);
    EXPECT_EQ(game.view.getSize(), StartSize);

    // The focus back, the same keys still down (and repeating): now they count,
    // the ramp starting again from rest.
    ASSERT_TRUE(focus(true));
    policeNextDoor();
    wiggle(1);
    loop();
    EXPECT_EQ(game.play.moveY, -11);
    EXPECT_EQ(game.play.moveX, 11);
    EXPECT_EQ(city.actors[1].faction, Faction::Hooli);
    EXPECT_GT(game.view.getSize().x, StartSize.x);
}
} // namespace
} // namespace tamrow
