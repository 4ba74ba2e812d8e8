#pragma once

#include <string>
#include <vector>

namespace tamrow
{
/// What the player asked of the program on its command line.
struct CommandLine
{
    enum class Action
    {
        Play,     ///< no option: the game as it always starts
        Help,     ///< --help: print usage, keys, environment and files
        Version,  ///< --version
        Refuse    ///< an option the program does not know: `refusal` says which
    };

    Action action = Action::Play;
    std::string refusal;  ///< one line naming the unknown option, for standard error
    std::string recordTo;    ///< --record FILE: the game is written to FILE as it is played
    std::string replayFrom;  ///< --replay FILE: the game recorded in FILE is played again
};

/// Reads `arguments` (the command line without the program's name).
CommandLine parseCommandLine(const std::vector<std::string>& arguments);

/// The --help text: usage, the keys, the environment and where the images are
/// looked for, `imageFolders` in order, with `found` (empty if none) named as the one used,
/// and the settings file at `settingsPath` (empty when there is no home to keep it in).
std::string helpText(const std::vector<std::string>& imageFolders, const std::string& found,
                     const std::string& settingsPath);

/// The --version line, without a line break.
std::string versionText();
} // namespace tamrow
