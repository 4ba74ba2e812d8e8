#pragma once

// A real game for a test: the physics world, the city built from the
// repository's images and the Game with its open window, made in the order the
// program makes them. The keyboard is replaced by a set of keys the test holds.

#include "app/Game.hpp"
#include "app/PhysicsWorld.hpp"
#include "city/City.hpp"
#include "support/XSession.hpp"

#include <SFML/Graphics/Color.hpp>
#include <SFML/Graphics/Image.hpp>
#include <SFML/Graphics/Rect.hpp>
#include <SFML/Graphics/Texture.hpp>
#include <SFML/System/Vector2.hpp>

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <initializer_list>
#include <list>
#include <optional>
#include <ostream>
#include <set>
#include <string>

class GameTest : public ::testing::Test
{
protected:
    /// Seeds rand() as a fresh process has it, opens the window at the screen's
    /// top-left corner, frees the frame rate and lets the window's first events
    /// (focus, pointer entering) arrive and drains them. The status panel is hidden. The city is made quiet:
    /// `population` at the limit, so no wave arrives unless a test lowers it.
    GameTest();

    void hold(std::initializer_list<sf::Keyboard::Key> keys);
    void release(std::initializer_list<sf::Keyboard::Key> keys);
    void releaseAll();

    /// One pass of the program's loop: one frame, its input included.
    void loop(int times = 1);

    /// Calls handleInput until `done` holds or `timeout` passes (events reach the
    /// window from the X server a little after they are caused). True if done.
    bool handleInputUntil(const std::function<bool()>& done,
                          std::chrono::milliseconds timeout = std::chrono::seconds(3));

    /// Pumps the window's events without handling them until none has come for
    /// `quiet`; returns how many were thrown away.
    int drainEvents(std::chrono::milliseconds quiet = std::chrono::milliseconds(150));

    /// What the last frame presented, read back from the window (px, RGBA).
    sf::Image presented();

    /// A texture of `size` px filled with `colour`; lives as long as the test.
    const sf::Texture& solidTexture(sf::Color colour, sf::Vector2u size);

    /// Takes the actors from index `first` on out of the city's lists (their
    /// bodies stay in the world, as every body does).
    void removeActorsFrom(std::size_t first);

    /// Puts the body of actor `index` at (`x`, `y`) m, angle 0, at rest.
    void place(std::size_t index, float x, float y);

    PhysicsWorld physics;
    City city;
    Game game;
    std::set<sf::Keyboard::Key> held;
    KeyReader realKeyboard;  ///< what the Game reads keys with by itself

private:
    std::list<sf::Texture> madeTextures_;  // a list: sprites keep pointers into it
};

/// A GameTest that makes real window events through its own X connection: the
/// pointer moved over the window, one mouse-move event per move.
class WindowEventsTest : public GameTest
{
protected:
    /// Moves the pointer over the window `count` times, each time to a new
    /// place inside it: `count` mouse-move events.
    void wiggle(int count);

    /// The view size after `times` zooms by `factor` from `size`, in the same
    /// single-precision steps sf::View::zoom takes.
    static sf::Vector2f zoomed(sf::Vector2f size, float factor, int times);

    /// Keeps handling input for a while and demands that the view keeps `size`.
    void expectViewStays(sf::Vector2f size);

    /// Handles input until the view has `size`; false if it never gets there.
    bool viewReaches(sf::Vector2f size);

    XSession x_;

private:
    int wiggles_ = 0;
};

/// What the backdrop of a frame shows at window pixel `p` while the camera is
/// centred on `centre` (px) with one view pixel per window pixel: the pixel of
/// `map` (the map image, drawn from (0, 0) at scale 3.5) under it, or the clear
/// colour beyond the map. Nothing when the pixel's centre falls within a tenth of
/// a map pixel of a map pixel's edge, where nearest sampling may go either way.
std::optional<sf::Color> backdropAt(const sf::Image& map, sf::Vector2f centre, sf::Vector2i p);

struct BackdropComparison
{
    int compared = 0;
    int mismatched = 0;
    std::string firstMismatches;  ///< where the first few were, and what they showed
};

/// Compares every 17th pixel of `shown` (both ways), outside `skip`, with backdropAt.
BackdropComparison compareWithBackdrop(const sf::Image& shown, const sf::Image& map, sf::Vector2f centre,
                                       sf::IntRect skip = sf::IntRect());

/// The colour of pixel `p` of `image`.
sf::Color pixelAt(const sf::Image& image, sf::Vector2i p);

/// Whether two colours differ by at most `tolerance` on every channel
/// (blending rounds differently on different drivers).
::testing::AssertionResult coloursNear(sf::Color actual, sf::Color expected, int tolerance = 2);

namespace sf
{
/// So that failed comparisons print colours as rgba(...) rather than bytes.
std::ostream& operator<<(std::ostream& out, const Color& colour);
} // namespace sf
