#pragma once

// A real game for a test, made as the program makes it (physics world, city from
// the repository's images, Game and window), with the test's own X connection
// beside it. The keys held are a set the test holds.

#include "app/Game.hpp"
#include "support/TestCity.hpp"
#include "support/XSession.hpp"

#include <SFML/Graphics/Image.hpp>
#include <SFML/Window/Event.hpp>

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace tamrow
{
class GameTest : public ::testing::Test
{
protected:
    /// Opens the window at the screen's top-left corner, frees the frame rate,
    /// waits for the window to be mapped and for its first events to pass. The
    /// city is made quiet: `population` at the limit, so no wave arrives unless
    /// a test lowers it.
    /// The overlays and the status panel are hidden: what is drawn is the city's own picture.
    GameTest();

    /// One pass of the program's loop: one frame, its input included.
    void loop(int times = 1);

    /// Handles input until the view has `size`; fails after 3 s.
    ::testing::AssertionResult viewReaches(sf::Vector2f size);

    /// Pumps the window's events, unhandled, until none has come for `quiet`;
    /// fails after `limit` with the number of events that kept coming.
    ::testing::AssertionResult waitForQuiet(std::chrono::milliseconds quiet = std::chrono::milliseconds(150),
                                            std::chrono::milliseconds limit = std::chrono::seconds(3));

    /// Moves the pointer over the window `count` times, each to a new place
    /// inside it: `count` mouse-move events.
    void wiggle(int count);

    /// What the last frame presented, read back from the window (px, RGBA).
    sf::Image presented();

    /// Puts the body of actor `index` at (`x`, `y`) m, angle 0, at rest.
    void place(std::size_t index, float x, float y);

    /// Takes actors `first` and after out of the city, street list and all
    /// (their bodies stay in the world, where nobody looks for them).
    void removeActorsFrom(std::size_t first);

    PhysicsWorld physics;
    City city;
    Game game;
    XSession xSession;
    std::set<Action> held;
    KeysReader realKeyboard;  ///< what the Game reads keys with by itself

private:
    int wiggles_ = 0;
};
} // namespace tamrow
