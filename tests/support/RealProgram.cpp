#include "support/RealProgram.hpp"

#include "app/Game.hpp"
#include "support/BuildPaths.hpp"

#include <algorithm>

namespace tamrow
{
namespace
{
/// env(1), `environment`, OpenAL Soft's silent device (so that the game has one,
/// as a player's desktop does, and says nothing of it), the settings folder
/// unless `environment` names one, the game.
std::vector<std::string> withEnvironment(const std::string& configFolder, std::vector<std::string> environment,
                                         const std::vector<std::string>& arguments)
{
    const std::string config = "XDG_CONFIG_HOME=";
    const bool named = std::any_of(environment.begin(), environment.end(),
                                   [&config](const std::string& word) { return word.rfind(config, 0) == 0; });
    environment.insert(environment.begin(), "/usr/bin/env");
    environment.push_back("ALSOFT_DRIVERS=null");
    if (!named)
        environment.push_back(config + configFolder);
    environment.push_back(GameProgram);
    environment.insert(environment.end(), arguments.begin(), arguments.end());
    return environment;
}
} // namespace

RealProgram::RealProgram(std::vector<std::string> environment, std::vector<std::string> arguments)
    : process(withEnvironment(output.path + "/config", std::move(environment), arguments), SourceFolder, out(), err())
{
}

XWindowId RealProgram::window(XSession& x, std::chrono::milliseconds limit)
{
    std::vector<XWindowId> windows;
    const ::testing::AssertionResult shown = waitUntil("the game's window", limit, [&] {
        windows = x.windowsTitled(WindowTitle);
        return !process.running() || (windows.size() == 1 && x.info(windows[0]).viewable);
    }, [&] { return std::to_string(windows.size()) + " windows titled as the game's"; });
    EXPECT_TRUE(shown) << "stderr: " << fileContent(err());
    return shown && windows.size() == 1 ? windows[0] : 0;
}

void RealProgram::expectCleanClose(XSession& x, XWindowId window, std::chrono::milliseconds limit)
{
    ASSERT_TRUE(process.running()) << "the game stopped by itself; stderr: " << fileContent(err());
    ASSERT_TRUE(x.requestClose(window));
    EXPECT_EQ(process.waitForExit(limit), "exit status 0") << "stderr: " << fileContent(err());
    EXPECT_EQ(fileContent(out()), "") << "the game wrote to its standard output";
}

::testing::AssertionResult RecordingAlone::started()
{
    if (!x.connected())
        return ::testing::AssertionFailure() << "Xvfb did not start";
    window = game.window(x, std::chrono::seconds(30));
    if (window == 0)
        return ::testing::AssertionFailure() << "no window; stderr: " << fileContent(game.err());
    return ::testing::AssertionSuccess();
}
} // namespace tamrow
