#include "app/CommandLine.hpp"

CommandLine parseCommandLine(const std::vector<std::string>& arguments)
{
    CommandLine line;
    for (const std::string& argument : arguments)
    {
        if (argument == "--help" || argument == "-h")
            line.action = CommandLine::Action::Help;
        else if (argument == "--version")
            line.action = CommandLine::Action::Version;
        else
        {
            line.action = CommandLine::Action::Refuse;
            line.refusal = "tamrow: unknown option '" + argument + "' (try tamrow --help)";
            return line;
        }
    }
    return line;
}

std::string helpText(const std::vector<std::string>& imageFolders, const std::string& found)
{
    std::string text =
        "Usage: tamrow [--help] [--version]\n"
        "\n"
        "Tamrow 2014 Sorn: a top-down street fight. Walk a civilian through the city\n"
        "and turn the people right next to you into hooligans or police.\n"
        "\n"
        "Keys:\n"
        "  W A S D   walk (11 m/s at once, up to 20 m/s)\n"
        "  Q         the people about one body-width around you become hooligans\n"
        "  E         the people about one body-width around you become police\n"
        "  Z / X     zoom out / in, a step per window event while held\n"
        "  wheel     zoom, a step per notch\n"
        "  H         hide or show the status panel and the marks over the fight\n"
        "  P, Esc    pause and resume\n"
        "  F5        start again\n"
        "  F11       full screen and back\n"
        "  F12       save a screenshot in $XDG_PICTURES_DIR, else ~/Pictures\n"
        "  A gamepad's stick or cross walks, buttons 0 and 1 recruit as Q and E,\n"
        "  the shoulders zoom and Start pauses.\n"
        "\n"
        "Environment:\n"
        "  DISPLAY          the X display to open the window on\n"
        "  TAMROW_DATA_DIR  a folder of the game's 17 images, looked in first\n"
        "  XDG_PICTURES_DIR where F12 saves screenshots (else ~/Pictures, else here)\n"
        "\n"
        "Files: the images are read from the first of these folders that holds 08_map.png:\n";
    for (const std::string& folder : imageFolders)
        text += "  " + folder + (folder == found ? "  (used)\n" : "\n");
    if (found.empty())
        text += "  (none holds it now: the game would show only its night-blue background)\n";
    return text;
}

std::string versionText()
{
    return std::string("tamrow ") + TAMROW_VERSION;
}
