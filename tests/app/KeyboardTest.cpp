// The real program's keys by their place, on a French keyboard and with keys of the player's own.
#include "app/Game.hpp"
#include "hud/HelpCard.hpp"
#include "desktop/KeyLayout.hpp"
#include "hud/SystemFont.hpp"
#include "play/Replay.hpp"
#include "support/ChildProcess.hpp"
#include "support/RealProgram.hpp"

#include <SFML/Graphics/RenderTexture.hpp>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

namespace tamrow
{
namespace
{
using std::chrono::milliseconds;
using std::chrono::seconds;

/// Holds each of `keys` (xdotool's names) down on `display` for half a second, one after the other.
void holdInTurn(const std::string& display, const std::vector<std::string>& keys)
{
    for (const std::string& key : keys)
    {
        for (const char* way : {"keydown", "keyup"})
        {
            EXPECT_EQ(runCommand({"/usr/bin/env", "DISPLAY=" + display, "xdotool", way, key}), 0) << key;
            std::this_thread::sleep_for(milliseconds(500));
        }
    }
}

/// The keys held in the recording at `path`, each different set once, in order, none left out.
std::vector<std::uint8_t> keysInTurn(const std::string& path)
{
    std::string error;
    const std::optional<Replay> replay = Replay::read(path, error);
    EXPECT_TRUE(replay) << error;
    std::vector<std::uint8_t> held;
    for (const FrameInput& frame : replay ? replay->inputs() : std::vector<FrameInput>())
    {
        if (frame.keys != 0 && (held.empty() || held.back() != frame.keys))
            held.push_back(frame.keys);
    }
    return held;
}

/// The pixels of `image` in `area` bright enough to be the help card's lettering.
std::vector<bool> lettering(const sf::Image& image, const sf::IntRect& area)
{
    std::vector<bool> bright;
    for (int y = area.top; y < area.top + area.height; ++y)
        for (int x = area.left; x < area.left + area.width; ++x)
        {
            const sf::Color c = image.getPixel(static_cast<unsigned>(x), static_cast<unsigned>(y));
            bright.push_back(c.r > 200 && c.g > 200 && c.b > 200);
        }
    return bright;
}

TEST(RealProgramTest, OnAFrenchKeyboardTheKeyAtWsPlaceWalksUpAndTheHelpCardNamesIt)
{
    // A display of its own: the French layout is loaded into its server alone.
    RecordingAlone alone;
    ASSERT_TRUE(alone.started());
    const PrivateDisplay& display = alone.display;
    XSession& x = alone.x;
    const TempFolder& folder = alone.folder;
    RealProgram& game = alone.game;
    const XWindowId window = alone.window;
    // Wholly on the screen, so that all of it is photographed.
    ASSERT_EQ(runCommand({"/usr/bin/env", "DISPLAY=" + display.name, "xdotool", "windowmove", std::to_string(window),
                          "0", "0"}), 0);
    ASSERT_TRUE(x.focus(window));
    // The game started on a US keyboard; the layout changes under it.
    ASSERT_EQ(runCommand({"setxkbmap", "-display", display.name, "fr"}), 0);
    const KeyLayout french(x.handle(), {});
    EXPECT_EQ(french.keysOf(Action::WalkUp) + french.keysOf(Action::WalkLeft) + french.keysOf(Action::RecruitHooligans) +
                  french.keysOf(Action::ZoomOut), "ZQAW");

    // The card of the first start, photographed before any key until it shows the
    // French letters, lettering alone (the city under it is dimmed dark).
    sf::Font font;
    ASSERT_TRUE(loadSystemFont(font));
    const KeyNames frenchKeys = [&french](Action action) { return french.keysOf(action); };
    const sf::Vector2u size(WindowWidth, WindowHeight);
    const sf::IntRect card(HelpCard::lay(font, usKeysOf, size).card.getGlobalBounds());
    const auto drawn = [&](const KeyNames& keys) {
        sf::RenderTexture target;
        EXPECT_TRUE(target.create(size.x, size.y));
        target.clear();
        HelpCard::draw(target, font, keys);
        target.display();
        return lettering(target.getTexture().copyToImage(), card);
    };
    const std::vector<bool> inFrench = drawn(frenchKeys), inUs = drawn(usKeysOf);
    const auto differing = [](const std::vector<bool>& a, const std::vector<bool>& b) {
        std::size_t count = 0;
        for (std::size_t k = 0; k < a.size() && k < b.size(); ++k)
            count += a[k] != b[k];
        return count;
    };
    const std::string shot = folder.path + "/shot.png";
    std::size_t offFrench = 0, offUs = 0;
    EXPECT_TRUE(waitUntil("the card in French letters", seconds(10), [&] {
        sf::Image shown;
        if (runCommand({"/usr/bin/env", "DISPLAY=" + display.name, "import", "-window", std::to_string(window), shot}) !=
                0 ||
            !shown.loadFromFile(shot) || shown.getSize() != size)
            return false;
        const std::vector<bool> photographed = lettering(shown, card);
        offFrench = differing(photographed, inFrench);
        offUs = differing(photographed, inUs);
        return offFrench * 3 < offUs;
    }, [&] { return std::to_string(offFrench) + " pixels off the French card, " + std::to_string(offUs) + " off the US one"; }));

    // The key marked Z, where a US keyboard has W, walks up; the one marked W zooms out.
    holdInTurn(display.name, {"z", "w"});
    game.expectCleanClose(x, window, seconds(10));
    EXPECT_EQ(keysInTurn(alone.recording),
              (std::vector<std::uint8_t>{keyBit(Action::WalkUp), keyBit(Action::ZoomOut)}));
}

TEST(RealProgramTest, KeysOfTheSettingsFileBindTheirPlaceABadLineIsOneLineAndItsActionKeepsItsKey)
{
    XSession x;
    ASSERT_TRUE(x.connected()) << "run under xvfb-run";
    const TempFolder folder;
    std::filesystem::create_directories(folder.path + "/tamrow");
    const std::string settings = folder.path + "/tamrow/settings.ini";
    std::ofstream(settings) << "help_seen = 1\n[keys]\nwalk_right = l\njump = space\nzoom_in = w\n";
    const std::string recording = folder.path + "/game.tamrow";
    RealProgram game({"XDG_CONFIG_HOME=" + folder.path}, {"--record", recording});
    const XWindowId window = game.window(x, seconds(15));
    ASSERT_NE(window, 0u);
    ASSERT_TRUE(x.focus(window));

    // d walks no more, x still zooms in, l walks right.
    holdInTurn(std::getenv("DISPLAY"), {"d", "x", "l"});
    game.expectCleanClose(x, window, seconds(10));
    EXPECT_EQ(keysInTurn(recording), (std::vector<std::uint8_t>{keyBit(Action::ZoomIn), keyBit(Action::WalkRight)}));
    std::string said;
    std::istringstream err(fileContent(game.err()));
    for (std::string line; std::getline(err, line);)
        said += line.rfind("tamrow: ", 0) == 0 ? line + "\n" : "";
    EXPECT_EQ(said,
              "tamrow: " + settings + ":4: no action is named 'jump' (tamrow --help lists them); the line is passed by\n"
              "tamrow: " + settings + ":5: 'w' is the key of walk_up already; zoom_in keeps X\n");
    EXPECT_NE(fileContent(settings).find("[keys]\nwalk_right = l\njump = space\nzoom_in = w\n"), std::string::npos)
        << "the player's lines are written back as they were";
}
} // namespace
} // namespace tamrow
