// The real program recording a game that is ended from outside, by SIGTERM or SIGKILL.
#include "play/Replay.hpp"
#include "support/BuildPaths.hpp"
#include "support/ChildProcess.hpp"
#include "support/TestCity.hpp"

#include <algorithm>
#include <csignal>
#include <thread>

namespace tamrow
{
namespace
{
using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;
using std::chrono::seconds;

/// Frames the file at `path` holds in whole pieces so far.
std::size_t framesOnDisk(const std::string& path)
{
    std::string error;
    const std::optional<Replay> replay = Replay::read(path, error);
    return replay ? replay->frames() : 0;
}

/// The game recording to `folder`/game.tamrow, once its file holds a second of play.
struct Recording
{
    Recording()
        : game({GameProgram, "--record", path()}, SourceFolder, folder.path + "/out", folder.path + "/err")
    {
        EXPECT_TRUE(waitUntil("a second of play on the disk", seconds(30), [this] {
            return !game.running() || framesOnDisk(path()) >= 60;
        }, [this] { return "stderr: " + fileContent(folder.path + "/err"); }));
    }
    std::string path() const { return folder.path + "/game.tamrow"; }

    /// The headless replay of the recording.
    Outcome replayed() const { return runWithoutDisplay(folder, {HeadlessProgram, "--replay", path()}); }

    TempFolder folder;
    ChildProcess game;
};

/// The frame count of the headless replay's "replayed N frames" line; 0 if none.
std::size_t framesReplayed(const std::string& out)
{
    const std::string said = "replayed";
    const std::size_t at = out.find(said);
    return at == std::string::npos ? 0 : std::stoul(out.substr(at + said.size()));
}

TEST(RealProgramTest, ARecordingEndedBySigtermIsFinishedAndReplaysWhole)
{
    Recording recording;
    recording.game.sendSignal(SIGTERM);
    EXPECT_EQ(recording.game.waitForExit(seconds(10)), "exit status 0") << fileContent(recording.folder.path + "/err");

    const Outcome run = recording.replayed();
    EXPECT_EQ(run.status, "exit status 0") << run.err;
    EXPECT_EQ(run.err, "") << "the recording was finished";
    EXPECT_GE(framesReplayed(run.out), 60u) << run.out;
}

TEST(RealProgramTest, ARecordingEndedBySigkillReplaysToWithinASecondOfTheKill)
{
    Recording recording;
    // Three seconds watching the file grow, then the kill.
    std::size_t seen = framesOnDisk(recording.path());
    Clock::time_point grew = Clock::now();
    for (const Clock::time_point end = grew + seconds(3); Clock::now() < end;)
    {
        const std::size_t now = framesOnDisk(recording.path());
        grew = now > seen ? Clock::now() : grew;
        seen = std::max(seen, now);
        std::this_thread::sleep_for(milliseconds(20));
    }
    ASSERT_TRUE(recording.game.running()) << fileContent(recording.folder.path + "/err");
    recording.game.sendSignal(SIGKILL);
    const milliseconds unwritten = std::chrono::duration_cast<milliseconds>(Clock::now() - grew);
    ASSERT_EQ(recording.game.waitForExit(seconds(10)), "killed by signal 9");
    EXPECT_LT(unwritten.count(), 1000) << "the last piece reached the disk that long before the kill";

    const Outcome run = recording.replayed();
    EXPECT_EQ(run.status, "exit status 0") << run.err;
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
    EXPECT_NE(run.err.find("was not finished"), std::string::npos) << run.err;
    EXPECT_GE(framesReplayed(run.out), seen) << run.out;
}
} // namespace
} // namespace tamrow
