// A screenshot is a PNG of the window, and one that cannot be saved leaves no file and says why.
#include "files/Screenshot.hpp"
#include "support/ChildProcess.hpp"
#include "support/GameFixture.hpp"

#include <SFML/Graphics/Image.hpp>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace tamrow
{
class ScreenshotTest : public GameTest
{
protected:
    /// One frame with F12 pressed and the pictures folder at `folder`: what the game said.
    std::string pressF12Into(const std::string& folder)
    {
        setenv("XDG_PICTURES_DIR", folder.c_str(), 1);
        game.desk.screenshotWanted = true;
        ::testing::internal::CaptureStderr();
        loop(1);
        unsetenv("XDG_PICTURES_DIR");
        return ::testing::internal::GetCapturedStderr();
    }
};

TEST_F(ScreenshotTest, AScreenshotIsAPngOfTheWindowsSize)
{
    const TempFolder pictures;
    const std::string said = pressF12Into(pictures.path);

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

TEST_F(ScreenshotTest, F12OnAFullDiskLeavesNoFileAndSaysWhy)
{
    // The pictures folder on a file system of 64 KB, filled up.
    const TempFolder pictures;
    if (runCommand({"mount", "-t", "tmpfs", "-o", "size=64k", "tmpfs", pictures.path}) != 0)
        GTEST_SKIP() << "a 64 KB tmpfs cannot be mounted here (the test needs root): not tested";
    const std::string filler = pictures.path + "/filler";
    {
        std::ofstream fill(filler, std::ios::binary);
        const std::string block(1024, 'x');
        while (fill.write(block.data(), static_cast<std::streamsize>(block.size())) && fill.flush())
        {
        }
    }
    const std::string said = pressF12Into(pictures.path);
    std::vector<std::string> left;
    for (const auto& file : std::filesystem::directory_iterator(pictures.path))
        left.push_back(file.path().string());
    EXPECT_EQ(runCommand({"umount", pictures.path}), 0);

    EXPECT_EQ(left, std::vector<std::string>{filler}) << "a file was left behind";
    const std::string start = "tamrow: cannot save the screenshot to " + pictures.path + "/tamrow-";
    const std::string end = ".png (no space left on device); playing on\n";
    EXPECT_EQ(said.substr(0, start.size()), start) << said;
    EXPECT_TRUE(said.size() > end.size() && said.substr(said.size() - end.size()) == end) << said;
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
}
} // namespace tamrow
