// The window's events: Z and X zoom once per event of any kind, a resize gives one
// view pixel per window pixel again, and a close request closes the window while the
// rest of that iteration still runs. The events are real: pointer moves, a resize, and
// a close request through the X server as a window manager sends it.

#include "support/GameFixture.hpp"

#include "city/Units.hpp"
#include "life/Simulation.hpp"

#include <tuple>

namespace
{
using ViewEventsTest = WindowEventsTest;

const sf::Vector2f StartSize(1600.0f, 900.0f);
} // namespace

TEST_F(ViewEventsTest, HeldZoomKeysDoNothingWithoutEvents)
{
    ASSERT_TRUE(x_.connected());
    for (const sf::Keyboard::Key key : {sf::Keyboard::Z, sf::Keyboard::X})
    {
        releaseAll();
        hold({key});
        expectViewStays(StartSize);
    }
}

TEST_F(ViewEventsTest, EveryEventZoomsOnceWhileAKeyIsHeld)
{
    ASSERT_TRUE(x_.connected());
    // Z zooms out by 1.1 per event, X in by 0.9.
    sf::Vector2f size = StartSize;
    for (const auto& [key, factor, events] : {std::tuple{sf::Keyboard::Z, 1.1f, 5}, std::tuple{sf::Keyboard::X, 0.9f, 3}})
    {
        releaseAll();
        hold({key});
        wiggle(events);
        size = zoomed(size, factor, events);
        ASSERT_TRUE(viewReaches(size)) << events << " events";
        expectViewStays(size);
    }

    // Both held: Z first, then X, for each event.
    hold({sf::Keyboard::Z});
    wiggle(2);
    const sf::Vector2f both = zoomed(zoomed(zoomed(zoomed(size, 1.1f, 1), 0.9f, 1), 1.1f, 1), 0.9f, 1);
    ASSERT_TRUE(viewReaches(both));

    // Events without a zoom key held leave the view as it is.
    releaseAll();
    wiggle(4);
    expectViewStays(both);

    // The zoom shows from the next frame on, around the character.
    loop(2);
    EXPECT_EQ(game.window.getView().getSize(), both);
    EXPECT_EQ(game.window.getView().getCenter(), sf::Vector2f(1800.0f, 900.0f));
}

TEST_F(ViewEventsTest, ResizeGivesOneViewPixelPerWindowPixelAndUndoesTheZoom)
{
    ASSERT_TRUE(x_.connected());
    loop(2);
    hold({sf::Keyboard::Z});
    wiggle(3);
    ASSERT_TRUE(viewReaches(zoomed(StartSize, 1.1f, 3)));

    // The resize event comes while Z is still held: the zoom of that event is
    // replaced by the new size at once, and the view is applied before any frame.
    game.window.setSize(sf::Vector2u(1200, 700));
    ASSERT_TRUE(viewReaches(sf::Vector2f(1200.0f, 700.0f)));
    EXPECT_EQ(game.window.getView().getSize(), sf::Vector2f(1200.0f, 700.0f));

    // The following frames keep the size and keep centring on the character.
    releaseAll();
    hold({sf::Keyboard::D});
    loop(3);
    const sf::Vector2f before = city.actors[0].sprite.getPosition();
    loop();
    EXPECT_EQ(game.window.getView().getCenter(), before);
    EXPECT_EQ(game.window.getView().getSize(), sf::Vector2f(1200.0f, 700.0f));
}

TEST_F(ViewEventsTest, CloseRequestClosesTheWindowAndTheIterationRunsToItsEnd)
{
    ASSERT_TRUE(x_.connected());
    loop(2);
    hold({sf::Keyboard::W});
    ASSERT_TRUE(x_.requestClose(game.window.getSystemHandle()));
    int calls = 0;
    ASSERT_TRUE(handleInputUntil([&] {
        ++calls;
        return !game.window.isOpen();
    }));
    // The input of the call that closed the window still walked the character.
    EXPECT_EQ(game.moveY, -std::min(10 + calls, 20));
    EXPECT_EQ(city.actors[0].body->GetLinearVelocity(), b2Vec2(0.0f, static_cast<float>(game.moveY)));

    // And the frame after it still steps the world and updates the city.
    b2Body* body = city.actors[0].body;
    const float startY = body->GetWorldCenter().y;
    game.runFrame();
    EXPECT_FALSE(game.window.isOpen());
    EXPECT_EQ(body->GetWorldCenter().y, startY + TimeStep * static_cast<float>(game.moveY));
    EXPECT_EQ(city.actors[0].sprite.getPosition().y, body->GetPosition().y * PixelsPerMeter);
}
