// The real program under openbox, as on a player's desktop, each test on a display of its own.
#include "app/Game.hpp"
#include "support/ChildProcess.hpp"
#include "support/RealProgram.hpp"
#include "support/TestCity.hpp"

#include <filesystem>
#include <fstream>
#include <sstream>

namespace tamrow
{
namespace
{
using std::chrono::seconds;

/// Xvfb with openbox managing its windows, for as long as this lives.
struct ManagedDisplay
{
    ManagedDisplay()
        : manager({"/usr/bin/env", environment(), "openbox"}, "/", log.path + "/out", log.path + "/err")
    {
        EXPECT_TRUE(waitUntil("openbox to manage the display", seconds(10),
                              [this] { return !manager.running() || x.windowManagerRunning(); },
                              [this] { return "openbox said: " + fileContent(log.path + "/err"); }));
    }
    std::string environment() const { return "DISPLAY=" + display.name; }
    /// Sends real key presses and releases to the focused window.
    int key(const std::string& name) { return runCommand({"/usr/bin/env", environment(), "xdotool", "key", name}); }

    /// The game's one window once it is shown `width` px wide and has the focus; 0 if not within 15 s.
    XWindowId gameWindow(RealProgram& game, int width)
    {
        XWindowId window = NoWindow;
        EXPECT_TRUE(waitUntil("the game's window " + std::to_string(width) + " px wide with the focus", seconds(15), [&] {
            const std::vector<XWindowId> windows = x.windowsTitled(WindowTitle);
            window = windows.size() == 1 ? windows[0] : NoWindow;
            return !game.process.running() ||
                   (window != NoWindow && x.info(window).viewable && x.info(window).width == width && x.focused() == window);
        }, [&] { return std::to_string(x.info(window).width) + " px wide; stderr: " + fileContent(game.err()); }));
        return game.process.running() ? window : NoWindow;
    }

    const PrivateDisplay display;
    XSession x{display.name};
    TempFolder log;
    ChildProcess manager;
};

/// The lines the game itself wrote on standard error (SFML's own notes left out).
std::vector<std::string> gameLines(const RealProgram& game)
{
    std::istringstream err(fileContent(game.err()));
    std::vector<std::string> lines;
    for (std::string line; std::getline(err, line);)
    {
        if (line.rfind("tamrow: ", 0) == 0)
            lines.push_back(line);
    }
    return lines;
}

constexpr int ScreenWidth = 1920;  // PrivateDisplay's screen

TEST(WindowManagerTest, F11GoesToFullScreenBackAndAgainThenTheCloseButtonEndsTheGame)
{
    ManagedDisplay desktop;
    RealProgram game({desktop.environment()});
    XWindowId window = desktop.gameWindow(game, WindowWidth);
    for (const int width : {ScreenWidth, static_cast<int>(WindowWidth), ScreenWidth})
    {
        ASSERT_NE(window, NoWindow);
        ASSERT_EQ(desktop.key("F11"), 0);
        window = desktop.gameWindow(game, width);
    }
    ASSERT_NE(window, NoWindow);
    game.expectCleanClose(desktop.x, window, seconds(10));
}

TEST(WindowManagerTest, FullScreenAndHiddenMarksAreThereAgainAtTheNextStart)
{
    ManagedDisplay desktop;
    const TempFolder config;
    const std::string file = config.path + "/tamrow/settings.ini";
    const std::vector<std::string> environment = {desktop.environment(), "XDG_CONFIG_HOME=" + config.path};
    {
        RealProgram game(environment);
        ASSERT_NE(desktop.gameWindow(game, WindowWidth), NoWindow);
        ASSERT_EQ(desktop.key("h"), 0);
        ASSERT_EQ(desktop.key("F11"), 0);
        const XWindowId window = desktop.gameWindow(game, ScreenWidth);
        ASSERT_NE(window, NoWindow);
        game.expectCleanClose(desktop.x, window, seconds(10));
    }
    EXPECT_EQ(fileContent(file), "full_screen = 1\nwindow_width = 1600\nwindow_height = 900\nmarks_shown = 0\n"
                                 "map_shown = 1\nvolume = 8\nmuted = 0\nhelp_seen = 1\n");
    // Full screen from the start; H then shows the marks, so they started hidden.
    RealProgram game(environment);
    const XWindowId window = desktop.gameWindow(game, ScreenWidth);
    ASSERT_NE(window, NoWindow);
    ASSERT_EQ(desktop.key("h"), 0);
    game.expectCleanClose(desktop.x, window, seconds(10));
    EXPECT_EQ(fileContent(file), "full_screen = 1\nwindow_width = 1600\nwindow_height = 900\nmarks_shown = 1\n"
                                 "map_shown = 1\nvolume = 8\nmuted = 0\nhelp_seen = 1\n");
    EXPECT_EQ(gameLines(game).size(), 0u) << fileContent(game.err());
}

TEST(WindowManagerTest, ADamagedSettingsFileOrAnUnwritableFolderIsOneLineAndTheGamePlays)
{
    struct Damage
    {
        const char* what;
        std::function<void(const std::string& folder)> make;  ///< damages XDG_CONFIG_HOME at `folder`
        std::string said;                                      ///< what the one line says
        int width;                                             ///< the window's width at start
    };
    const auto writing = [](std::string bytes) {
        return [bytes](const std::string& folder) {
            std::filesystem::create_directories(folder + "/tamrow");
            std::ofstream(folder + "/tamrow/settings.ini", std::ios::binary) << bytes;
        };
    };
    const Damage damages[] = {
        {"a line not understood", writing("full_screen = 1\nloudness = 3\n"), "settings.ini:2: ", ScreenWidth},
        {"a file too large", writing(std::string(70 * 1024, '#')), "settings.ini is larger than 64 KiB", 1600},
        {"a folder in its place",
         [](const std::string& folder) { std::filesystem::create_directories(folder + "/tamrow/settings.ini"); },
         "settings.ini is a folder", 1600},
        {"a folder that cannot be made", [](const std::string& folder) { std::ofstream(folder) << "a file"; },
         "cannot save the settings to ", 1600},
    };
    ManagedDisplay desktop;
    for (const Damage& damage : damages)
    {
        SCOPED_TRACE(damage.what);
        const TempFolder scratch;
        const std::string folder = scratch.path + "/config";
        damage.make(folder);
        RealProgram game({desktop.environment(), "XDG_CONFIG_HOME=" + folder});
        const XWindowId window = desktop.gameWindow(game, damage.width);
        ASSERT_NE(window, NoWindow);
        game.expectCleanClose(desktop.x, window, seconds(10));
        const std::vector<std::string> lines = gameLines(game);
        ASSERT_EQ(lines.size(), 1u) << fileContent(game.err());
        EXPECT_NE(lines[0].find(damage.said), std::string::npos) << lines[0];
        // Nothing half-written left behind.
        for (const auto& entry : std::filesystem::recursive_directory_iterator(scratch.path))
            EXPECT_NE(entry.path().filename().string().rfind("settings.ini.", 0), 0u) << entry.path();
    }
}
} // namespace
} // namespace tamrow
