// The scene skips what cannot show and keeps the map and props while the camera
// rests; whatever the camera does, its pixels must equal drawing every sprite.
#include "app/Scene.hpp"
#include "bench/DeathToll.hpp"
#include "bench/PlainFrame.hpp"
#include "city/Units.hpp"
#include "life/Simulation.hpp"
#include "support/TestCity.hpp"

#include <SFML/Graphics/RenderTexture.hpp>
#include <gtest/gtest.h>

#include <cstring>
#include <functional>

namespace
{
constexpr unsigned FrameWidth = 800;
constexpr unsigned FrameHeight = 450;
/// Enough dead that every view of the streets shows corpses, some on its edges.
constexpr std::size_t Deaths = 3000;

/// One city of Deaths dead, drawn each frame twice: by a Scene and plainly.
class SceneSamenessTest : public ::testing::Test
{
protected:
    SceneSamenessTest()
    {
        resetRandom();
        layDeaths(town.city, Deaths);
        resize(FrameWidth, FrameHeight);
    }

    void resize(unsigned width, unsigned height)
    {
        ASSERT_TRUE(scenePicture.create(width, height));
        ASSERT_TRUE(plainPicture.create(width, height));
        view.setSize(static_cast<float>(width), static_cast<float>(height));
    }

    /// Plays `frames` frames, aiming the camera with `aim` before each; both pictures must match.
    void playAndCompare(int frames, const std::function<void(int)>& aim)
    {
        for (int f = 0; f < frames; ++f)
        {
            centreOnCharacter(view, town.city);
            aim(f);
            advanceCity(town.world, town.city);
            scenePicture.setView(view);
            scenePicture.clear(ClearColour);
            scene.draw(scenePicture, town.city);
            scenePicture.display();
            plainPicture.setView(view);
            plainPicture.clear(ClearColour);
            drawEverySprite(plainPicture, town.city);
            plainPicture.display();
            ASSERT_TRUE(samePixels()) << "frame " << f << " with the view at " << view.getCenter().x
                                      << ", " << view.getCenter().y;
        }
    }

    bool samePixels() const
    {
        const sf::Image shown = scenePicture.getTexture().copyToImage();
        const sf::Image plain = plainPicture.getTexture().copyToImage();
        const sf::Vector2u size = shown.getSize();
        return size == plain.getSize() &&
            std::memcmp(shown.getPixelsPtr(), plain.getPixelsPtr(), std::size_t{size.x} * size.y * 4) == 0;
    }

    TestCity town;
    Scene scene;
    sf::View view;
    sf::RenderTexture scenePicture;
    sf::RenderTexture plainPicture;
};

TEST_F(SceneSamenessTest, AStillCameraWithCorpsesLaidMeanwhile)
{
    // The whole walled street in view: fresh corpses land on the kept picture.
    const std::size_t propsBefore = town.city.props.size();
    view.setSize(8000.0f, 4500.0f);
    playAndCompare(240, [this](int) { view.setCenter(4200.0f, 1750.0f); });
    EXPECT_GT(town.city.props.size(), propsBefore) << "nobody died: the kept picture was never topped up";
}

TEST_F(SceneSamenessTest, ACameraThatMovesByFractionsOfAPixel)
{
    playAndCompare(60, [this](int f) {
        const float step = static_cast<float>(f);
        view.setCenter(1800.0f + 5.37f * step, 900.0f + 2.11f * step);
    });
}

TEST_F(SceneSamenessTest, ACameraThatRestsMovesAndRestsAgain)
{
    playAndCompare(90, [this](int f) {
        const float drift = f < 30 ? 0.0f : (f < 60 ? 7.5f * static_cast<float>(f - 30) : 225.0f);
        view.setCenter(2400.0f + drift, 1500.0f);
    });
}

TEST_F(SceneSamenessTest, ZoomAndResizeRedrawTheKeptPicture)
{
    playAndCompare(20, [this](int f) {
        const float zoom = f < 10 ? 1.0f : 2.3f;
        view.setSize(static_cast<float>(FrameWidth) * zoom, static_cast<float>(FrameHeight) * zoom);
    });
    resize(640, 640);
    playAndCompare(20, [this](int) { view.setCenter(3000.0f, 1200.0f); });
}

TEST_F(SceneSamenessTest, TheParkedDeadShowWhenTheCameraLooksAtThem)
{
    const sf::Vector2f park(ParkPosition.x * PixelsPerMeter, ParkPosition.y * PixelsPerMeter);
    playAndCompare(3, [&](int) { view.setCenter(park + sf::Vector2f(10.0f, 20.0f)); });
}
} // namespace
