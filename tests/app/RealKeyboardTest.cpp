// Real key presses through the X server's test extension (xdotool) into the focused
// window, read by the Game's own keyboard reader: W walks, Z zooms per event it brings.

#include "support/GameFixture.hpp"
#include "support/XSession.hpp"

#include <SFML/Window/Event.hpp>

#include <string>
#include <thread>
#include <vector>

namespace
{
using Clock = std::chrono::steady_clock;

class RealKeyboardTest : public WindowEventsTest
{
protected:
    RealKeyboardTest() { game.keyHeld = realKeyboard; }

    /// Waits until the window is on the screen and has the keyboard focus.
    ::testing::AssertionResult focusWindow()
    {
        if (!x_.focus(game.window.getSystemHandle()))
            return ::testing::AssertionFailure() << "the window never got the focus";
        drainEvents();
        return ::testing::AssertionSuccess();
    }

    /// Waits for a key event of `type` for `key`, taking the events on the way off the queue.
    bool keyEventArrives(sf::Event::EventType type, sf::Keyboard::Key key)
    {
        const Clock::time_point deadline = Clock::now() + std::chrono::seconds(3);
        while (Clock::now() < deadline)
        {
            sf::Event event;
            while (game.window.pollEvent(event))
            {
                if (event.type == type && event.key.code == key)
                    return true;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        return false;
    }
};
} // namespace

TEST_F(RealKeyboardTest, HoldingWOnTheRealKeyboardWalksTheCharacterUp)
{
    ASSERT_TRUE(x_.connected());
    loop();
    ASSERT_TRUE(focusWindow());
    const b2Vec2 start = city.actors[0].body->GetPosition();
    std::vector<std::int32_t> speeds;
    {
        RealKeyDown w("w");
        ASSERT_TRUE(w.pressed());
        ASSERT_TRUE(keyEventArrives(sf::Event::KeyPressed, sf::Keyboard::W))
            << "the focused window got no key press";
        for (int frame = 0; frame < 12; ++frame)
        {
            loop();
            speeds.push_back(game.moveY);
        }
    }
    EXPECT_EQ(speeds, (std::vector<std::int32_t>{-11, -12, -13, -14, -15, -16, -17, -18, -19, -20, -20, -20}));
    EXPECT_EQ(game.moveX, 0);
    // 11 + 12 + ... + 20 + 20 + 20 = 195 m/s-frames, at 1/60 s each: 3.25 m up.
    EXPECT_NEAR(start.y - city.actors[0].body->GetPosition().y, 3.25f, 1e-3f);

    // Once the key is up, the next frame stands still.
    ASSERT_TRUE(keyEventArrives(sf::Event::KeyReleased, sf::Keyboard::W));
    loop();
    EXPECT_EQ(game.moveY, 0);
    EXPECT_EQ(city.actors[0].body->GetLinearVelocity(), b2Vec2(0.0f, 0.0f));
}

TEST_F(RealKeyboardTest, PressingZZoomsOutOncePerEventItBrings)
{
    ASSERT_TRUE(x_.connected());
    ASSERT_TRUE(focusWindow());
    const sf::Vector2f start = game.view.getSize();
    {
        RealKeyDown z("z");
        ASSERT_TRUE(z.pressed());
        // The press is itself an event (maybe with a text event): each zooms out by 1.1.
        ASSERT_TRUE(handleInputUntil([&] { return game.view.getSize() != start; }));
    }
    const sf::Vector2f size = game.view.getSize();
    bool whole = false;
    for (int events = 1; events <= 3; ++events)
        whole = whole || size == zoomed(start, 1.1f, events);
    EXPECT_TRUE(whole) << "zoomed to " << size.x << " x " << size.y;
    // With Z up again, events zoom nothing: the release's own, and pointer moves.
    wiggle(3);
    expectViewStays(size);
}
