// The desktop around the play: the status panel, the once-acting keys, the
// screenshot and the gamepad.
#include "app/Gamepad.hpp"
#include "app/OnceKeys.hpp"
#include "app/Screenshot.hpp"
#include "app/StatusPanel.hpp"
#include "support/GameFixture.hpp"
#include "support/TestCity.hpp"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

using DeskTest = GameTest;

TEST_F(DeskTest, ThePanelChangesNoPixelOutsideItsRectangle)
{
    ASSERT_TRUE(game.desk.lettered);
    loop(2);
    const auto drawCity = [this](bool withPanel) {
        game.window.clear(ClearColour);
        game.paint(game.window, city);
        const sf::Vector2u size = game.window.getSize();
        game.window.setView(sf::View(sf::FloatRect(0.0f, 0.0f, static_cast<float>(size.x), static_cast<float>(size.y))));
        if (withPanel)
            StatusPanel::draw(game.window, game.desk.font, city, 1.0f);
        game.window.setView(game.view);
        game.window.display();
        return presented();
    };
    const sf::Image bare = drawCity(false);
    const sf::Image paneled = drawCity(true);
    const sf::IntRect panel = StatusPanel::placeIn(game.window.getSize());
    int outside = 0;
    int inside = 0;
    for (unsigned y = 0; y < bare.getSize().y; ++y)
        for (unsigned x = 0; x < bare.getSize().x; ++x)
            if (bare.getPixel(x, y) != paneled.getPixel(x, y))
                ++(panel.contains(static_cast<int>(x), static_cast<int>(y)) ? inside : outside);
    EXPECT_EQ(outside, 0);
    EXPECT_GT(inside, panel.width * panel.height / 2) << "the panel hardly shows";
    // Clear of the play in the top-left quarter, or not shown at all.
    EXPECT_EQ(StatusPanel::placeIn(sf::Vector2u(800, 450)), sf::IntRect(800 - 208, 8, 200, 138));
    EXPECT_EQ(StatusPanel::placeIn(sf::Vector2u(300, 100)).width, 0);
}

TEST(OnceKeys, AHeldKeysRepeatsActOnlyOnce)
{
    OnceKeys keys;
    EXPECT_TRUE(keys.press(sf::Keyboard::F5));
    EXPECT_FALSE(keys.press(sf::Keyboard::F5)) << "the system's repeat of a held key";
    EXPECT_TRUE(keys.press(sf::Keyboard::F11)) << "another key held at the same time";
    keys.release(sf::Keyboard::F5);
    EXPECT_TRUE(keys.press(sf::Keyboard::F5));
    keys.forgetAll();
    EXPECT_TRUE(keys.press(sf::Keyboard::F11)) << "its release went to another window";
}

TEST_F(DeskTest, AScreenshotIsAPngOfTheWindowsSize)
{
    const TempFolder pictures;
    ASSERT_EQ(setenv("XDG_PICTURES_DIR", pictures.path.c_str(), 1), 0);
    game.desk.screenshotWanted = true;
    ::testing::internal::CaptureStderr();
    loop(1);
    const std::string said = ::testing::internal::GetCapturedStderr();
    unsetenv("XDG_PICTURES_DIR");

    const std::filesystem::directory_iterator files(pictures.path);
    ASSERT_NE(files, std::filesystem::directory_iterator());
    const std::string path = files->path().string();
    EXPECT_EQ(said, "tamrow: screenshot saved to " + path + "\n");
    char signature[8] = {};
    std::ifstream(path, std::ios::binary).read(signature, sizeof signature);
    EXPECT_EQ(std::string(signature, sizeof signature), std::string("\x89PNG\r\n\x1a\n", 8));
    sf::Image shot;
    ASSERT_TRUE(shot.loadFromFile(path));
    EXPECT_EQ(shot.getSize(), game.window.getSize());

    // A folder that cannot be written: one line, and the game goes on.
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(saveScreenshot(game.window, pictures.path + "/missing/folder"), "");
    EXPECT_EQ(::testing::internal::GetCapturedStderr().find("tamrow: cannot save the screenshot"), 0u);
}

TEST_F(DeskTest, ThePadsStickWalksWithTheKeysRampAndItsButtonsStandForKeys)
{
    PadState pad;
    pad.connected = true;
    pad.stickX = -100.0f;
    pad.buttons = 1u << PadPoliceButton;
    game.keyHeld = withPad([this](sf::Keyboard::Key key) { return held.count(key) > 0; }, [&pad] { return pad; });
    hold({sf::Keyboard::W});
    loop(1);
    EXPECT_EQ(game.moveX, -11);
    EXPECT_EQ(game.moveY, -11);
    loop(9);
    EXPECT_EQ(game.moveX, -20);
    EXPECT_TRUE(padHolds(pad, sf::Keyboard::E));
    EXPECT_FALSE(padHolds(pad, sf::Keyboard::Q));
    pad.connected = false;
    loop(1);
    EXPECT_EQ(game.moveX, 0);
}
