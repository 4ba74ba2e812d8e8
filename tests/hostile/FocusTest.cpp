// The keyboard belongs to the window that has the focus. Keys held on the real
// keyboard (the X server's test extension, as xdotool presses them) while the
// game's window has lost the focus neither walk, recruit nor zoom: the X server
// reports them held all the same, so only the game's own reader can tell. The
// game gets the keys back with the focus. A held real key repeats, so events keep
// coming all the while: every wait here looks for its condition, never for quiet.
#include "support/GameFixture.hpp"

#include <atomic>
#include <string>
#include <thread>

namespace
{
const sf::Vector2f StartSize(1600.0f, 900.0f);

class FocusTest : public GameTest
{
protected:
    FocusTest() { game.keyHeld = realKeyboard; }

    /// Gives the focus to the game's window or to none, and waits until the
    /// game's window tells it has it or not, passing by the events that come.
    ::testing::AssertionResult focus(bool toGame)
    {
        const ::testing::AssertionResult focused = xSession.focus(toGame ? game.window.getSystemHandle() : NoWindow);
        if (!focused)
            return focused;
        EventTally passed;
        return waitUntil(toGame ? "the game's window to have the focus" : "the game's window to lose the focus",
                         std::chrono::seconds(5), [&] {
                             sf::Event event;
                             while (game.window.pollEvent(event))
                                 ++passed[event.type];
                             return game.window.hasFocus() == toGame;
                         }, [&] { return describe(passed); });
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
    EXPECT_EQ(game.moveY, -11);
    EXPECT_EQ(game.moveX, 11);
    EXPECT_EQ(city.actors[1].faction, Faction::Hooli);
    EXPECT_GT(game.view.getSize().x, StartSize.x);
}

/// Moves the pointer over the game's window from a thread of its own, on its own
/// X connection, until stopped: a mouse-move event every millisecond, for ever.
class EndlessPointer
{
public:
    EndlessPointer()
        : thread_([this] {
            XSession mover;
            for (int i = 0; !stop_; ++i)
            {
                mover.warpPointer(100 + i % 400, 100 + i % 3);
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            }
        })
    {
    }
    ~EndlessPointer()
    {
        stop_ = true;
        thread_.join();
    }

private:
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

TEST_F(FocusTest, AWaitForQuietEndsAtItsDeadlineWhileEventsKeepComing)
{
    const EndlessPointer pointer;
    const auto started = std::chrono::steady_clock::now();
    const ::testing::AssertionResult quiet = waitForQuiet(std::chrono::milliseconds(150), std::chrono::seconds(1));
    const auto took = std::chrono::steady_clock::now() - started;
    ASSERT_FALSE(quiet);
    EXPECT_LT(took, std::chrono::milliseconds(1500));
    const std::string message = quiet.message();
    EXPECT_EQ(message.rfind("waited 1000 ms for 150 ms without window events; saw ", 0), 0u) << message;
    EXPECT_NE(message.find(" MouseMoved"), std::string::npos) << message;
    // A wait for a condition is done as soon as it holds, events or not.
    EXPECT_TRUE(focus(true));
}
} // namespace
