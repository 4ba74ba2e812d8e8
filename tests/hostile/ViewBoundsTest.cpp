// The view at the extremes. A held Z or X zooms by 1.1 or 0.9 per event as
// always, but stops at eight times the window's size either way, with the
// window's aspect exactly; a window squeezed to a pixel, or to nothing, still has
// a view with an area and frames keep running; a normal size afterwards brings
// the normal picture back. Events are real: the pointer moving over the window,
// the window resized through the X server.

#include "support/GameFixture.hpp"

#include <SFML/Graphics/Transform.hpp>

#include <cmath>

namespace
{
const sf::Vector2f StartSize(1600.0f, 900.0f);
/// Eight times the window either way; exact in floats, eight being a power of two.
const sf::Vector2f Widest(12800.0f, 7200.0f);
const sf::Vector2f Narrowest(200.0f, 112.5f);
/// 1.1^21 = 7.40 stays inside the bound; a 22nd step (8.14) would pass it.
constexpr int StepsOutInside = 21;
/// 0.9^19 = 0.135 stays inside the bound; a 20th step (0.122) would pass 1/8.
constexpr int StepsInInside = 19;
/// Far more events than either bound needs.
constexpr int ManyEvents = 60;
/// Where the character starts (px): the camera's centre while it stands.
const sf::Vector2f CharacterStart(1800.0f, 900.0f);
/// The character's sprite on a 1600 x 900 window, left out of backdrop comparisons.
const sf::IntRect CharacterOnScreen(800, 450, 22, 40);

bool finite(const sf::Transform& transform)
{
    const float* matrix = transform.getMatrix();
    for (int i = 0; i < 16; ++i)
    {
        if (!std::isfinite(matrix[i]))
            return false;
    }
    return true;
}

class ViewBoundsTest : public WindowEventsTest
{
protected:
    /// Events for a window too small to move the pointer about inside: the
    /// pointer goes in and out of it over its top-left pixel.
    void flick(int count)
    {
        for (int i = 0; i < count; ++i)
            x_.warpPointer(i % 2 == 0 ? 0 : 40, 0);
    }

    /// Events until the view has `size`, by `flick`; false if it never does.
    bool flickUntil(sf::Vector2f size)
    {
        for (int round = 0; round < 10; ++round)
        {
            flick(ManyEvents);
            if (viewReaches(size))
                return true;
        }
        return false;
    }

    /// After two frames at 1600 x 900, the picture is the map around the
    /// standing character, as at the start of a game.
    void expectNormalPicture()
    {
        loop(2);
        ASSERT_EQ(game.window.getView().getSize(), StartSize);
        sf::Image map;
        ASSERT_TRUE(map.loadFromFile("resources/image/08_map.png"));
        const BackdropComparison comparison = compareWithBackdrop(presented(), map, CharacterStart, CharacterOnScreen);
        EXPECT_GT(comparison.compared, 3000);
        EXPECT_LT(comparison.mismatched, comparison.compared / 20) << comparison.firstMismatches;
    }
};
} // namespace

TEST_F(ViewBoundsTest, HeldZStopsAtEightTimesTheWindowKeepingItsAspect)
{
    ASSERT_TRUE(x_.connected());
    hold({sf::Keyboard::Z});
    wiggle(StepsOutInside);
    ASSERT_TRUE(viewReaches(zoomed(StartSize, ZoomOutFactor, StepsOutInside))) << "steps inside the bound as before";
    wiggle(1);
    ASSERT_TRUE(viewReaches(Widest)) << "the step that would pass the bound stops on it";
    wiggle(ManyEvents);
    expectViewStays(Widest);

    loop(2);
    EXPECT_EQ(game.window.getView().getSize(), Widest);
    EXPECT_EQ(game.window.getView().getCenter(), CharacterStart);
    EXPECT_TRUE(finite(game.window.getView().getTransform()));

    // From the bound, X zooms back in by its own factor.
    release({sf::Keyboard::Z});
    hold({sf::Keyboard::X});
    wiggle(1);
    EXPECT_TRUE(viewReaches(zoomed(Widest, ZoomInFactor, 1)));
}

TEST_F(ViewBoundsTest, HeldXStopsAtAnEighthOfTheWindowKeepingItsAspect)
{
    ASSERT_TRUE(x_.connected());
    hold({sf::Keyboard::X});
    wiggle(StepsInInside);
    ASSERT_TRUE(viewReaches(zoomed(StartSize, ZoomInFactor, StepsInInside))) << "steps inside the bound as before";
    wiggle(1);
    ASSERT_TRUE(viewReaches(Narrowest)) << "the step that would pass the bound stops on it";
    wiggle(ManyEvents);
    expectViewStays(Narrowest);

    loop(2);
    EXPECT_EQ(game.window.getView().getSize(), Narrowest);
    // A person fills much of the picture now, but the picture is still drawn.
    EXPECT_TRUE(finite(game.window.getView().getTransform()));

    release({sf::Keyboard::X});
    hold({sf::Keyboard::Z});
    wiggle(1);
    EXPECT_TRUE(viewReaches(zoomed(Narrowest, ZoomOutFactor, 1)));
}

TEST_F(ViewBoundsTest, TheBoundsFollowTheWindowSize)
{
    ASSERT_TRUE(x_.connected());
    game.window.setSize(sf::Vector2u(800, 450));
    ASSERT_TRUE(viewReaches(sf::Vector2f(800.0f, 450.0f)));
    hold({sf::Keyboard::Z});
    wiggle(ManyEvents);
    EXPECT_TRUE(viewReaches(sf::Vector2f(6400.0f, 3600.0f)));
    release({sf::Keyboard::Z});
    hold({sf::Keyboard::X});
    wiggle(ManyEvents);
    EXPECT_TRUE(viewReaches(sf::Vector2f(100.0f, 56.25f)));
}

TEST_F(ViewBoundsTest, AWindowOfOnePixelKeepsAViewAndTheGameRuns)
{
    ASSERT_TRUE(x_.connected());
    loop(2);
    game.window.setSize(sf::Vector2u(1, 1));
    ASSERT_TRUE(viewReaches(sf::Vector2f(1.0f, 1.0f)));
    hold({sf::Keyboard::D});
    loop(10);
    EXPECT_EQ(game.moveX, 20) << "the character walks on in a window too small to see it";
    EXPECT_EQ(presented().getSize(), sf::Vector2u(1, 1));
    releaseAll();

    // Zooming a one-pixel window: still bounded, still finite.
    hold({sf::Keyboard::Z});
    ASSERT_TRUE(flickUntil(sf::Vector2f(8.0f, 8.0f)));
    release({sf::Keyboard::Z});
    hold({sf::Keyboard::X});
    ASSERT_TRUE(flickUntil(sf::Vector2f(0.125f, 0.125f)));
    releaseAll();
    loop(3);
    EXPECT_TRUE(finite(game.window.getView().getTransform()));

    // A normal size again: one view pixel per window pixel, the normal picture.
    game.window.setSize(sf::Vector2u(1600, 900));
    ASSERT_TRUE(viewReaches(StartSize));
    place(0, 60.0f, 30.0f);
    loop();
    expectNormalPicture();
}

TEST_F(ViewBoundsTest, AWindowOfNothingGetsAOnePixelViewUntilARealSizeComes)
{
    ASSERT_TRUE(x_.connected());
    loop(2);
    // X never reports a window without width or height, so this is what the
    // resize handling is handed directly.
    game.fitViewToWindow(sf::Vector2u(0, 0));
    EXPECT_EQ(game.view.getSize(), sf::Vector2f(1.0f, 1.0f));
    EXPECT_EQ(game.window.getView().getSize(), sf::Vector2f(1.0f, 1.0f));
    EXPECT_TRUE(finite(game.window.getView().getTransform()));
    loop(3);
    EXPECT_TRUE(finite(game.window.getView().getTransform()));

    game.fitViewToWindow(sf::Vector2u(0, 900));
    EXPECT_EQ(game.view.getSize(), sf::Vector2f(1.0f, 900.0f));
    game.fitViewToWindow(sf::Vector2u(1600, 0));
    EXPECT_EQ(game.view.getSize(), sf::Vector2f(1600.0f, 1.0f));
    loop(3);
    EXPECT_TRUE(finite(game.window.getView().getTransform()));

    // The next real resize, to the start size, brings the normal picture back.
    game.window.setSize(sf::Vector2u(1000, 600));
    ASSERT_TRUE(viewReaches(sf::Vector2f(1000.0f, 600.0f)));
    game.window.setSize(sf::Vector2u(1600, 900));
    ASSERT_TRUE(viewReaches(StartSize));
    expectNormalPicture();
}
