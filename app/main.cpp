#include "app/Game.hpp"
#include "city/ImageFolder.hpp"
#include "commandline/CommandLine.hpp"
#include "desktop/DisplayConnection.hpp"
#include "hud/HelpCard.hpp"
#include "settings/SettingsFile.hpp"
#include "desktop/SfmlErrorFilter.hpp"
#include "desktop/StopSignals.hpp"
#include "play/Replay.hpp"
#include "play/ReplayWriter.hpp"
#include "play/Session.hpp"
#include "sound/SoundFiles.hpp"

#include <SFML/System/Err.hpp>
#include <cstdio>
#include <optional>

namespace tamrow
{
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

/// Shows `replay`, read from `path`, in `game`'s window until it closes or a
/// frame plays to another state hash than the recorded one; the exit status.
/// Says on standard output once the last frame has been reached and checked.
/// What the player changes of the window and the sound is kept in `settings`.
int showReplay(Game& game, const Replay& replay, const std::string& path, SettingsFile& settings)
{
    game.showFile(replay);
    bool endReached = false;
    while (game.window.isOpen() && !stopAsked())
    {
        game.runFrame();
        settings.keep(game.settings());
        const std::string mismatch = game.instantReplay.mismatch();
        if (!mismatch.empty())
        {
            printLine(stderr, "tamrow: " + path + ": " + mismatch + "; the replay stops");
            return 1;
        }
        const ReplayClock clock = game.instantReplay.clock();
        if (endReached || clock.at < replay.frames())
            continue;
        endReached = true;
        printLine(stdout, "tamrow: " + path + ": all " + std::to_string(replay.frames()) +
                              " frames replayed, each to its recorded state hash");
        std::fflush(stdout);
        if (!replay.finished())
            printLine(stderr, "tamrow: " + path + ": " + replay.unfinishedNote());
    }
    return 0;
}
} // namespace
} // namespace tamrow

int main(int argc, char** argv)
{
    using namespace tamrow;
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
        std::fputs(helpText(candidates, findImageFolder(candidates).value_or(""), SettingsFile::defaultPath()).c_str(),
                   stdout);
        return 0;
    }
    case CommandLine::Action::Play:
        break;
    }
    // From here on a logout, a shutdown or Ctrl+C ends the game as its close button does.
    catchStopSignals();
    // SFML's messages reach standard error, but not its notices that matter to nobody.
    const SfmlErrorFilter sfmlErrors(sf::err());

    // A replay is read whole before anything opens: a bad file is one line, not a half game.
    std::optional<Replay> replay;
    if (!line.replayFrom.empty())
    {
        std::string error;
        replay = Replay::read(line.replayFrom, error);
        if (!replay)
        {
            printLine(stderr, "tamrow: " + error);
            return 1;
        }
    }

    // Opened before the window too: a file that cannot be written plays no game.
    std::optional<ReplayWriter> recording;
    if (!line.recordTo.empty())
    {
        recording.emplace(line.recordTo);
        if (!recording->ok())
        {
            printLine(stderr, "tamrow: " + line.recordTo + ": cannot be written (" + recording->failure() +
                                  "); nothing is played");
            return 1;
        }
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
    const std::string settingsPath = SettingsFile::defaultPath();
    SettingsFile settings(settingsPath);
    Game game(session.city(), session.physics(), settings.loaded());
    game.play.session = &session;
    // The action keeps its keys, and the game plays on.
    for (const std::string& problem : game.keyProblems())
        printLine(stderr, "tamrow: " + settingsPath + ":" + problem);
    game.hearing.emplace(findSoundFolder(imageFolderCandidates()), settings.loaded());
    if (replay)
        return showReplay(game, *replay, line.replayFrom, settings);
    if (settings.loaded().get(Setting::HelpSeen) == 0)
        game.helpFramesLeft = HelpCardFrames;
    bool recordingLost = false;
    const auto sayRecordingLost = [&](const std::string& what) {
        printLine(stderr, "tamrow: " + line.recordTo + ": " + what + " (" + recording->failure() + "); its first " +
                              std::to_string(recording->framesKept()) + " frames are kept and replay");
    };
    while (game.window.isOpen() && !stopAsked())
    {
        game.runFrame();
        settings.keep(game.settings());
        // A frame of the instant replay left the live game as it was: nothing to keep or check.
        if (!game.playedLive())
            continue;
        if (recording)
            recording->write(game.lastInput, *game.play.city);
        // Said at once, and the game plays on unrecorded: what the file holds still replays.
        if (recording && !recording->ok())
        {
            sayRecordingLost("the recording stopped");
            recording.reset();
            recordingLost = true;
        }
    }
    if (recording && !recording->finish())
    {
        sayRecordingLost("the recording could not be finished");
        return 1;
    }
    return recordingLost ? 1 : 0;
}
