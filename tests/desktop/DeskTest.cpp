// The keys around the play: every action's key reaches it, the texts list the
// actions' table, a screenshot is a PNG of the window, the keyboard and the pad
// give the keys held together.
#include "commandline/CommandLine.hpp"
#include "desktop/Gamepad.hpp"
#include "hud/HelpCard.hpp"
#include "hud/PauseScreen.hpp"
#include "desktop/PlayKeyReader.hpp"
#include "desktop/SfmlErrorFilter.hpp"
#include "files/Screenshot.hpp"
#include "settings/Settings.hpp"
#include "support/BuildPaths.hpp"
#include "support/ChildProcess.hpp"
#include "support/GameFixture.hpp"

#include <SFML/Graphics/Image.hpp>
#include <SFML/System/Err.hpp>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <tuple>

namespace tamrow
{
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

TEST_F(DeskTest, EveryActionsKeyReachesItThroughTheWindowsEventsAndTheKeyReader)
{
    game.readKeys = realKeyboard;
    game.hearing.emplace(std::nullopt);
    // What an action only the desktop sees changes, growing.
    const std::map<Action, std::function<int()>> desktop = {
        {Action::FullScreen, [&] { return game.desk.fullScreen ? 1 : 0; }},
        {Action::Screenshot, [&] { return game.desk.screenshotWanted ? 1 : 0; }},
        {Action::Mute, [&] { return game.hearing->level().muted() ? 1 : 0; }},
        {Action::VolumeDown, [&] { return -game.hearing->level().tenths(); }},
        {Action::VolumeUp, [&] { return game.hearing->level().tenths(); }}};
    const KeyLayout layout(xSession.handle(), {});
    for (const ActionRow& row : Actions)
    {
        SCOPED_TRACE(row.name);
        // Full screen makes the window anew: the focus goes to whichever is there now.
        ASSERT_TRUE(xSession.focus(game.window.getSystemHandle()));
        ASSERT_TRUE(waitUntil("the focus", std::chrono::seconds(5), [&] { return game.window.hasFocus(); }));
        const std::string key = xSession.keyNameOf(layout.codesOf(row.action)[0]);
        ASSERT_NE(key, "");
        std::vector<Action> played;
        const int before = row.reach == Reach::Desktop ? desktop.at(row.action)() : 0;
        const auto reached = [&] {
            game.handleInput();
            for (const InputEvent& event : game.lastInput.events)
                if (event.kind == InputEvent::Kind::Act)
                    played.push_back(event.action);
            if (row.press == Press::Held)
                return game.lastInput.keys == keyBit(row.action);
            return row.reach == Reach::Desktop ? desktop.at(row.action)() > before : !played.empty();
        };
        if (row.press == Press::Held)
        {
            const RealKeyDown down(key);
            EXPECT_TRUE(waitUntil("its bit alone held", std::chrono::seconds(3), reached));
        }
        else
        {
            ASSERT_EQ(runCommand({"xdotool", "key", key}), 0);
            EXPECT_TRUE(waitUntil("its handler reached", std::chrono::seconds(3), reached));
            EXPECT_EQ(played, row.reach == Reach::Played ? std::vector<Action>{row.action} : std::vector<Action>{});
        }
    }
}

TEST_F(DeskTest, TheHelpCardAndThePausePanelHoldTheirTextsAndLeaveTheMiddleClear)
{
    const KeyNames us = usKeysOf;
    const auto inside = [](const sf::FloatRect& box, const sf::Text& text) {
        const sf::FloatRect drawn = text.getGlobalBounds();
        return drawn.left >= box.left && drawn.top >= box.top && drawn.left + drawn.width <= box.left + box.width &&
               drawn.top + drawn.height <= box.top + box.height;
    };
    for (const unsigned size : {9u, HelpCard::LineSize, 40u})
    {
        const HelpCard::Layout card = HelpCard::lay(game.desk.font, us, sf::Vector2u(1600, 900), size);
        // Inside the card's edge, drawn within it.
        const float edge = -card.card.getOutlineThickness();
        const sf::FloatRect within(card.card.getPosition() + sf::Vector2f(edge, edge),
                                   card.card.getSize() - 2.0f * sf::Vector2f(edge, edge));
        for (const sf::Text& text : card.texts)
            EXPECT_TRUE(inside(within, text)) << size << " px: " << std::string(text.getString());
    }
    for (const sf::Vector2u window : {sf::Vector2u(1600, 900), sf::Vector2u(1024, 600), sf::Vector2u(800, 450)})
    {
        const PauseScreen::Layout pause = PauseScreen::lay(game.desk.font, us, window);
        const sf::FloatRect panel = pause.panel.getGlobalBounds();
        EXPECT_LE(panel.left + panel.width, static_cast<float>(window.x) / 2.0f - PauseScreen::MiddleClearance) << window.x;
        EXPECT_LE(panel.top + panel.height, static_cast<float>(window.y)) << window.x;
        for (const sf::Text& text : pause.texts)
            EXPECT_TRUE(inside(panel, text)) << window.x << ": " << std::string(text.getString());
    }
}

TEST(ActionsTable, TheReadmeHelpAndManualPageListExactlyItsRows)
{
    std::set<std::pair<std::string, std::string>> rows;
    for (const ActionRow& row : Actions)
        rows.insert({usKeysOf(row.action), row.name});
    // Each text's listed keys and action names, one row per line.
    const auto listed = [](const std::string& text, const std::regex& row) {
        std::set<std::pair<std::string, std::string>> found;
        for (auto match = std::sregex_iterator(text.begin(), text.end(), row); match != std::sregex_iterator(); ++match)
            found.insert({std::regex_replace((*match)[1].str(), std::regex(R"(\\-)"), "-"), (*match)[2].str()});
        return found;
    };
    const std::string help = helpText({}, "", "");
    EXPECT_EQ(listed(help, std::regex(R"(\n  (\S+(?:, \S+)?) +([a-z]+_?[a-z_]*) {2,})")), rows);
    const std::string readme = fileContent(std::string(SourceFolder) + "/README.md");
    EXPECT_EQ(listed(readme, std::regex(R"(\n\| ([^|]+?) \| `([a-z_]+)` \|)")), rows);
    const TempFolder folder;
    ASSERT_EQ(runCommand({"sh", "-c", "zcat " + std::string(BuildFolder) + "/tamrow.6.gz > " + folder.path + "/page"}), 0);
    const std::string page = fileContent(folder.path + "/page");
    EXPECT_EQ(listed(page, std::regex(R"(\.TP\n\.B (.+)\n\\fB([a-z_]+)\\fR:)")), rows);
    for (const std::string& text : {help, page})
        EXPECT_NE(text.find(KeysByPlace), std::string::npos);
}

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
    const std::string finds = std::string(SourceFolder) + "/tests/desktop/fuzz-finds";
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
    pad.buttons = 1u << Pad::RightFace.button;
    PlayKeyReader reader({}, [&pad] { return pad; });
    const RealKeyDown w("w");
    ASSERT_TRUE(w.pressed());
    EXPECT_EQ(reader.read(true), keyBit(Action::WalkUp) | keyBit(Action::WalkLeft) | keyBit(Action::RecruitPolice));
    EXPECT_EQ(reader.read(false), 0);
    pad.connected = false;
    EXPECT_EQ(reader.read(true), keyBit(Action::WalkUp));

    // A lean counts once past halfway, not at it: each way, on the stick and on the cross.
    using K = Action;
    const std::tuple<float PadState::*, float, K> leans[] = {
        {&PadState::stickY, -1, K::WalkUp},   {&PadState::crossY, 1, K::WalkUp},
        {&PadState::stickY, 1, K::WalkDown},  {&PadState::crossY, -1, K::WalkDown},
        {&PadState::stickX, -1, K::WalkLeft}, {&PadState::crossX, -1, K::WalkLeft},
        {&PadState::stickX, 1, K::WalkRight}, {&PadState::crossX, 1, K::WalkRight}};
    for (const auto& [axis, way, key] : leans)
        for (const float lean : {PadLean, PadLean + 0.5f})
        {
            PadState leaning;
            leaning.connected = true;
            leaning.*axis = way * lean;
            EXPECT_EQ(padKeys(leaning), lean > PadLean ? keyBit(key) : 0) << leaning.*axis;
        }
}
} // namespace tamrow
