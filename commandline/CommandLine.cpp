#include "commandline/CommandLine.hpp"

#include "city/TextureBank.hpp"
#include "play/Actions.hpp"
#include "settings/Settings.hpp"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>

namespace tamrow
{
namespace
{
/// Widths of --help's columns of keys and of actions' names (characters), the widest and a gap.
constexpr std::size_t KeysColumn = 11;
constexpr std::size_t NamesColumn = 19;
/// Width of --help's column of setting names (characters), the widest and a gap.
constexpr std::size_t SettingsColumn = 14;

/// `text` as one line can show it: a byte below the space or DEL as \xHH.
std::string shown(const std::string& text)
{
    std::string out;
    for (const char c : text)
    {
        const auto byte = static_cast<unsigned char>(c);
        if (std::iscntrl(byte) != 0)
        {
            char escaped[sizeof "\\xHH"];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", static_cast<unsigned>(byte));
            out += escaped;
        }
        else
            out.push_back(c);
    }
    return out;
}

/// `name` and the spaces up to --help's second column, at least one (a setting's name is longer).
std::string padded(const char* name)
{
    return name + std::string(std::max<std::size_t>(SettingsColumn, std::strlen(name) + 1) - std::strlen(name), ' ');
}

CommandLine refuse(const std::string& why)
{
    CommandLine line;
    line.action = CommandLine::Action::Refuse;
    line.refusal = "tamrow: " + why + " (try tamrow --help)";
    return line;
}
} // namespace

CommandLine parseCommandLine(const std::vector<std::string>& arguments)
{
    CommandLine line;
    for (std::size_t k = 0; k < arguments.size(); ++k)
    {
        const std::string& argument = arguments[k];
        if (argument == "--help" || argument == "-h")
            line.action = CommandLine::Action::Help;
        else if (argument == "--version")
            line.action = CommandLine::Action::Version;
        else if (argument == "--record" || argument == "--replay")
        {
            if (k + 1 == arguments.size() || arguments[k + 1].empty())
                return refuse("option '" + argument + "' needs a file");
            const std::string& file = arguments[++k];
            // Every line the game says about the file names it: a line break in the name would split it.
            if (file != shown(file))
                return refuse("the file name '" + shown(file) + "' has a line break or another control character");
            (argument == "--record" ? line.recordTo : line.replayFrom) = file;
        }
        else
            return refuse("unknown option '" + shown(argument) + "'");
    }
    if (!line.recordTo.empty() && !line.replayFrom.empty())
        return refuse("--record and --replay do not go together");
    return line;
}

std::string helpText(const std::vector<std::string>& imageFolders, const std::string& found,
                     const std::string& settingsPath)
{
    std::string text =
        "Usage: tamrow [--help] [--version] [--record FILE | --replay FILE]\n"
        "\n"
        "Tamrow 2014 Sorn: a top-down street fight. Walk a civilian through the city\n"
        "and turn the people right next to you into hooligans or police.\n"
        "\n"
        "Options:\n"
        "  --record FILE  play as usual and write every frame's keys and events, with\n"
        "                 the state hash after it, to FILE (a replay, see the README)\n"
        "  --replay FILE  show the game recorded in FILE in the window, with the instant\n"
        "                 replay's keys over the whole of it; it stops with an error at\n"
        "                 the first frame that plays differently\n"
        "  --help, --version\n"
        "\n"
        "Keys, " + std::string(KeysByPlace) + ": the pause screen shows your keyboard's\n"
        "letters. An action's name sets its key in the settings file's [keys] section\n"
        "(walk_right = l), with X's key names. A gamepad's stand-ins follow:\n";
    for (const ActionRow& row : Actions)
    {
        const std::string keys = usKeysOf(row.action);
        const std::string pad = *row.pad.words == '\0' ? "" : std::string(" (pad: ") + row.pad.words + ")";
        text += "  " + keys + std::string(KeysColumn - std::min(keys.size(), KeysColumn - 1), ' ') + row.name +
                std::string(NamesColumn - std::strlen(row.name), ' ') + wordsOf(row.action, usKeysOf) + pad + "\n";
    }
    text += "  The close button quits. " + std::string(ReplayClicks) + "\n";
    text +=
        "\n"
        "Environment:\n"
        "  DISPLAY          the X display to open the window on\n"
        "  TAMROW_DATA_DIR  a folder of the game's " + std::to_string(ImageFileCount) + " images, looked in first\n"
        "  XDG_PICTURES_DIR where F12 saves screenshots (else ~/Pictures, else here)\n"
        "  XDG_CONFIG_HOME  where the settings are kept (else ~/.config)\n"
        "\n"
        "Files: the images are read from the first of these folders that holds " + MapImageFile + ":\n";
    for (const std::string& folder : imageFolders)
        text += "  " + folder + (folder == found ? "  (used)\n" : "\n");
    if (found.empty())
        text += "  (none holds it now: the game would show only its night-blue background)\n";
    text += "Settings, one \"name = value\" line each, kept in:\n  " +
            (settingsPath.empty() ? std::string("(nowhere: neither XDG_CONFIG_HOME nor HOME is set)") : settingsPath) +
            "\n";
    for (const SettingRule& rule : SettingRules)
        text += "  " + padded(rule.name) + std::to_string(rule.least) + " to " + std::to_string(rule.most) + ", at first " +
                std::to_string(rule.initial) + "\n";
    text +=
        "\n"
        "A recording also replays without a window or a display, checked frame by frame:\n"
        "  tamrow_headless --replay FILE  (tools/tamrow_headless in a build; see its --help)\n";
    return text;
}

std::string versionText()
{
    return std::string("tamrow ") + TAMROW_VERSION;
}
} // namespace tamrow
