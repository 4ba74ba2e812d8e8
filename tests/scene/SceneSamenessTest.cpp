// The game's frame, read back from the real window, is the plain frame (every sprite drawn).
#include "bench/DeathToll.hpp"
#include "bench/PlainFrame.hpp"
#include "city/Units.hpp"
#include "scene/Visibility.hpp"
#include "support/GameFixture.hpp"

#include <cstring>

namespace tamrow
{
namespace
{
class SceneSamenessTest : public GameTest
{
protected:
    SceneSamenessTest()
    {
        // Enough dead that every view of the streets shows corpses, some on its edges.
        city.population = 0;
        layDeaths(city, 3000);
        city.population = PopulationLimit;
    }

    /// Resizes the window, handles input until the view has the new size, and plays
    /// one frame: Mesa draws the first frame after a resize at the old size.
    void resizeTo(unsigned width, unsigned height)
    {
        held.clear();
        game.window.setSize(sf::Vector2u(width, height));
        ASSERT_TRUE(viewReaches(sf::Vector2f(static_cast<float>(width), static_cast<float>(height))));
        loop();
    }

    /// Plays one frame; returns what it drew, read back from the window before presenting.
    sf::Image playFrame()
    {
        sf::Image shown;
        game.watch = [&](FramePart part) {
            if (part == FramePart::Present)
                shown = presented();
        };
        game.runFrame();
        game.watch = nullptr;
        return shown;
    }

    /// Plays `frames` frames, each drawn again plainly into the window; they must match.
    void playAndCompare(int frames, const char* what)
    {
        for (int f = 0; f < frames; ++f)
        {
            const sf::Image shown = playFrame();
            game.window.clear(ClearColour);
            drawEverySprite(game.window, city);
            const sf::Image plain = presented();
            const sf::Vector2u size = shown.getSize();
            ASSERT_TRUE(size == game.window.getSize() && size == plain.getSize() &&
                        std::memcmp(shown.getPixelsPtr(), plain.getPixelsPtr(), std::size_t{size.x} * size.y * 4) == 0)
                << what << ", frame " << f << ", view at " << game.view.getCenter().x << ", "
                << game.view.getCenter().y << " of " << game.view.getSize().x << " x " << game.view.getSize().y;
        }
    }

    /// Rests, walks right (the camera moving by fractions of a pixel), then up and left.
    void restAndWalk(const char* what)
    {
        using K = Action;
        for (const auto& [keys, frames] : {std::pair{std::set<K>{}, 2}, {{K::WalkRight}, 6}, {{K::WalkUp, K::WalkLeft}, 4}, {{}, 2}})
        {
            held = keys;
            playAndCompare(frames, what);
        }
    }
};

TEST_F(SceneSamenessTest, EveryFrameIsThePlainFrameAtAnySizeAndZoom)
{
    place(0, 90.0f, 50.0f);
    restAndWalk("1600 x 900");
    game.view.zoom(1.1f * 1.1f * 1.1f);
    restAndWalk("1600 x 900 zoomed out");
    game.view.zoom(0.9f * 0.9f * 0.9f * 0.9f * 0.9f * 0.9f);
    restAndWalk("1600 x 900 zoomed in");
    for (const sf::Vector2u size : {sf::Vector2u(1001, 557), sf::Vector2u(640, 1000), sf::Vector2u(1900, 1000)})
    {
        resizeTo(size.x, size.y);
        restAndWalk("resized");
    }
    // The parked dead are drawn too, where they stand, once the camera looks there.
    place(0, ParkPosition.x - 1.0f, ParkPosition.y - 1.0f);
    playAndCompare(3, "at the car park");
}

TEST_F(SceneSamenessTest, HalvingTheWindowShowsTheCentreOfWhatItShowed)
{
    place(0, 90.0f, 50.0f);
    removeActorsFrom(1);
    loop(2);
    const sf::Image whole = playFrame();
    resizeTo(800, 450);
    const sf::Image half = playFrame();
    ASSERT_EQ(half.getSize(), sf::Vector2u(800, 450));
    // The rasteriser snaps corners to its sub-pixel grid after adding half the
    // window's size, so a few sprite edges fall a pixel apart (about 0.25 % of
    // the pixels here); a picture shrunk or shifted would differ nearly everywhere.
    int differing = 0;
    for (unsigned y = 0; y < 450; ++y)
        for (unsigned x = 0; x < 800; ++x)
            differing += half.getPixel(x, y) == whole.getPixel(x + 400, y + 225) ? 0 : 1;
    EXPECT_LT(differing, 800 * 450 / 200) << "the city must keep its scale and stay centred on the character";
}

TEST(Visibility, ASpriteOutOfSightIsPassedBy)
{
    sf::Sprite sprite;
    sprite.setTextureRect(sf::IntRect(0, 0, 10, 10));
    sprite.setPosition(500.0f, 500.0f);
    EXPECT_FALSE(showsIn(sprite, sf::FloatRect(0.0f, 0.0f, 100.0f, 100.0f)));
    EXPECT_TRUE(showsIn(sprite, sf::FloatRect(400.0f, 400.0f, 200.0f, 200.0f)));
}
} // namespace
} // namespace tamrow
