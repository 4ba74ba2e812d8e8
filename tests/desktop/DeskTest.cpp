// The keys around the play: every action's key reaches it, the help card and the
// pause panel hold their texts, SFML's notices are filtered, the keyboard and the
// pad give the keys held together.
#include "desktop/Gamepad.hpp"
#include "hud/HelpCard.hpp"
#include "hud/PauseScreen.hpp"
#include "desktop/PlayKeyReader.hpp"
#include "desktop/SfmlErrorFilter.hpp"
#include "support/ChildProcess.hpp"
#include "support/GameFixture.hpp"

#include <SFML/Graphics/Image.hpp>
#include <SFML/System/Err.hpp>

#include <map>
#include <string>
#include <tuple>

namespace tamrow
{
using DeskTest = GameTest;

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
        {Action::VolumeUp, [&] { return game.hearing->level().tenths(); }},
        {Action::InstantReplay, [&] { return game.desk.instantReplayWanted ? 1 : 0; }},
        {Action::JumpBack, [&] { return -static_cast<int>(game.instantReplay.clock().at); }},
        {Action::JumpForward, [&] { return static_cast<int>(game.instantReplay.clock().at); }}};
    const KeyLayout layout(xSession.handle(), {});
    for (const ActionRow& row : Actions)
    {
        SCOPED_TRACE(row.name);
        // Full screen makes the window anew: the focus goes to whichever is there now.
        ASSERT_TRUE(xSession.focus(game.window.getSystemHandle()));
        ASSERT_TRUE(waitUntil("the focus", std::chrono::seconds(5), [&] { return game.window.hasFocus(); }));
        const std::string key = xSession.keyNameOf(layout.codesOf(row.action)[0]);
        ASSERT_NE(key, "");
        // The jumps act inside the instant replay alone: it is opened for them halfway through.
        if (row.action == Action::JumpBack)
        {
            game.desk.instantReplayWanted = false;
            game.play.paused = false;  // as the pause row left it
            loop(static_cast<int>(2 * InstantReplay::JumpSteps));
            game.instantReplay.open(game.view);
            game.instantReplay.moments().jump(InstantReplay::JumpSteps);
        }
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
