#include "app/CommandLine.hpp"
#include "app/DisplayConnection.hpp"
#include "app/Game.hpp"
#include "app/Session.hpp"
#include "city/ImageFolder.hpp"

#include <cstdio>

namespace
{
/// Exit status for a command line the program does not understand.
constexpr int UsageError = 2;

void printLine(std::FILE* stream, const std::string& text)
{
    std::fprintf(stream, "%s\n", text.c_str());
}

/// The folder the images are read from, saying on standard error where the
/// game looked when none of the folders has them.
std::optional<std::string> imageFolderOrComplaint(const std::vector<std::string>& candidates)
{
    const std::optional<std::string> found = findImageFolder(candidates);
    if (!found)
    {
        std::string looked;
        for (const std::string& folder : candidates)
            looked += (looked.empty() ? "" : ", ") + folder;
        printLine(stderr, "tamrow: no images found (looked in " + looked + "); playing without them");
    }
    return found;
}
} // namespace

int main(int argc, char** argv)
{
    const CommandLine line = parseCommandLine(std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc));
    switch (line.action)
    {
    case CommandLine::Action::Refuse:
        printLine(stderr, line.refusal);
        return UsageError;
    case CommandLine::Action::Version:
        printLine(stdout, versionText());
        return 0;
    case CommandLine::Action::Help:
    {
        const std::vector<std::string> candidates = imageFolderCandidates();
        std::fputs(helpText(candidates, findImageFolder(candidates).value_or("")).c_str(), stdout);
        return 0;
    }
    case CommandLine::Action::Play:
        break;
    }

    // Before anything is built, and held until everything is gone: a display that
    // cannot be reached gets one clear line instead of SFML's abort, and the X
    // server never resets between our connection and SFML's.
    const DisplayConnection display;
    if (!display.open())
    {
        printLine(stderr, DisplayConnection::refusal("tamrow"));
        return 1;
    }

    // The world and the city before the window, torn down after it; F5 builds
    // them afresh while the window stays.
    Session session(imageFolderOrComplaint(imageFolderCandidates()));
    Game game(session.city(), session.physics());
    game.session = &session;
    while (game.window.isOpen())
        game.runFrame();
    return 0;
}
