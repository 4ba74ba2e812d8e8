// The keys around the play: H and the desk keys act once per press, a screenshot
// is a PNG of the window, the keyboard and the pad give the keys held together.
#include "desk/CommandLine.hpp"
#include "desk/ControlTable.hpp"
#include "desk/Gamepad.hpp"
#include "desk/OnceKeys.hpp"
#include "desk/PlayKeyReader.hpp"
#include "desk/Screenshot.hpp"
#include "desk/Settings.hpp"
#include "desk/SfmlErrorFilter.hpp"
#include "support/BuildPaths.hpp"
#include "support/ChildProcess.hpp"
#include "support/GameFixture.hpp"

#include <SFML/Graphics/Image.hpp>
#include <SFML/System/Err.hpp>
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <tuple>

TEST(OncePerPress, HAndTheDeskKeysIgnoreTheSystemsRepeat)
{
    SightEvents events;
    sf::Event press{};
    press.type = sf::Event::KeyPressed;
    press.key.code = sf::Keyboard::H;
    sf::Event release = press;
    release.type = sf::Event::KeyReleased;
    EXPECT_TRUE(events.read(press, true).toggleOverlays);
    EXPECT_FALSE(events.read(press, true).toggleOverlays) << "the system's repeat";
    events.read(release, true);
    EXPECT_FALSE(events.read(press, false).toggleOverlays) << "without the focus";
    events.read(release, false);
    EXPECT_TRUE(events.read(press, true).toggleOverlays);

    OnceKeys keys;
    EXPECT_TRUE(keys.press(sf::Keyboard::F5));
    EXPECT_FALSE(keys.press(sf::Keyboard::F5)) << "the system's repeat of a held key";
    keys.release(sf::Keyboard::F5);
    EXPECT_TRUE(keys.press(sf::Keyboard::F5));
    keys.forgetAll();
    EXPECT_TRUE(keys.press(sf::Keyboard::F5)) << "its release went to another window";
}

class DeskTest : public GameTest
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

TEST_F(DeskTest, AScreenshotIsAPngOfTheWindowsSize)
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

TEST_F(DeskTest, F12OnAFullDiskLeavesNoFileAndSaysWhy)
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

TEST(CommandLineFinds, WhatTheFuzzerFoundIsPlayedOrRefusedInOneLine)
{
    // Each file: the arguments, split at zero bytes, as fuzz_command_line tried them.
    const std::string finds = std::string(SourceFolder) + "/tests/desk/fuzz-finds";
    for (const auto& file : std::filesystem::directory_iterator(finds))
    {
        std::vector<std::string> arguments(1);
        for (const char c : fileContent(file.path().string()))
        {
            if (c == '\0')
                arguments.emplace_back();
            else
                arguments.back().push_back(c);
        }
        const CommandLine line = parseCommandLine(arguments);
        EXPECT_EQ(line.action == CommandLine::Action::Refuse, !line.refusal.empty()) << file.path();
        EXPECT_EQ((line.refusal + line.recordTo + line.replayFrom).find('\n'), std::string::npos) << file.path();
    }
    EXPECT_EQ(parseCommandLine({"--replay", "a\nb"}).refusal,
              "tamrow: the file name 'a\\x0Ab' has a line break or another control character (try tamrow --help)");
    EXPECT_EQ(parseCommandLine({"--record", ""}).action, CommandLine::Action::Refuse) << "a recording to nowhere";
}

TEST(CommandLineHelp, ListsEverySettingWithItsRangeAndNamesTheHeadlessReplay)
{
    const std::string help = helpText({"/images/"}, "/images/", "/home/x/.config/tamrow/settings.ini");
    for (const SettingRule& rule : SettingRules)
        EXPECT_NE(help.find("\n  " + std::string(rule.name) + " "), std::string::npos) << rule.name;
    EXPECT_NE(help.find("window_width  160 to 16384, at first 1600\n"), std::string::npos) << help;
    EXPECT_NE(help.find("tamrow_headless --replay FILE"), std::string::npos) << help;
}

TEST(SfmlErrorFilter, DropsTheVerticalSyncNoticeAndPassesSfmlsOtherMessages)
{
    ::testing::internal::CaptureStderr();
    {
        const SfmlErrorFilter filter(sf::err());
        sf::err() << "Setting vertical sync not supported" << std::endl;
        EXPECT_FALSE(sf::Image().loadFromFile("/no/such/picture.png"));
        sf::err() << "Setting vertical sync not supported\n" << "an unfinished last line";
    }
    const std::string said = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(said.rfind("Failed to load image \"/no/such/picture.png\"", 0), 0u) << said;
    EXPECT_EQ(said.find("vertical sync"), std::string::npos) << said;
    EXPECT_EQ(said.substr(said.find('\n') + 1), "an unfinished last line") << said;
}

TEST(PlayKeys, TheKeyboardAndThePadPlayTogetherOnlyWithTheFocus)
{
    PadState pad;
    pad.connected = true;
    pad.stickX = -100.0f;
    pad.buttons = 1u << PadPoliceButton;
    PlayKeyReader reader([&pad] { return pad; });
    const RealKeyDown w("w");
    ASSERT_TRUE(w.pressed());
    EXPECT_EQ(reader.read(true), keyBit(PlayKey::W) | keyBit(PlayKey::A) | keyBit(PlayKey::E));
    EXPECT_EQ(reader.read(false), 0);
    pad.connected = false;
    EXPECT_EQ(reader.read(true), keyBit(PlayKey::W));

    // A lean counts once past halfway, not at it: each way, on the stick and on the cross.
    using K = PlayKey;
    const std::tuple<float PadState::*, float, K> leans[] = {
        {&PadState::stickY, -1, K::W}, {&PadState::crossY, 1, K::W}, {&PadState::stickY, 1, K::S},
        {&PadState::crossY, -1, K::S}, {&PadState::stickX, -1, K::A}, {&PadState::crossX, -1, K::A},
        {&PadState::stickX, 1, K::D},  {&PadState::crossX, 1, K::D}};
    for (const auto& [axis, way, key] : leans)
        for (const float lean : {PadLean, PadLean + 0.5f})
        {
            PadState leaning;
            leaning.connected = true;
            leaning.*axis = way * lean;
            EXPECT_EQ(padKeys(leaning), lean > PadLean ? keyBit(key) : 0) << leaning.*axis;
        }
}

TEST(ControlTable, TheReadmeListsTheSameKeys)
{
    std::istringstream readme(fileContent(std::string(SourceFolder) + "/README.md"));
    std::string line;
    while (std::getline(readme, line) && line != "## Controls")
    {
    }
    // The table's rows, after its head and rule: "| keys | what it does |".
    std::set<std::string> listed;
    while (std::getline(readme, line) && (line.empty() || line[0] == '|'))
        if (line.size() > 2 && line.find("---") == std::string::npos)
            listed.insert(line.substr(2, line.find(" |", 2) - 2));
    listed.erase("key");
    std::set<std::string> controls;
    for (const Control& control : Controls)
        controls.insert(control.keys);
    EXPECT_EQ(listed, controls);
}
