// A replay file, without a display: F5 counted, a damaged file refused in one line.
#include "play/Play.hpp"
#include "play/Replay.hpp"
#include "play/ReplayBytes.hpp"
#include "play/ReplayFormat.hpp"
#include "play/ReplayWriter.hpp"
#include "play/Session.hpp"
#include "support/BuildPaths.hpp"
#include "support/ChildProcess.hpp"
#include "support/TestCity.hpp"

#include <algorithm>
#include <fstream>

namespace tamrow
{
namespace
{
/// `frames` frames of a fresh game with no key held, recorded without a window;
/// the frame `lost` (from 0), if any, is recorded but never played.
void recordIdle(const std::string& path, int frames, int lost = -1)
{
    Session session(std::nullopt);
    Play play(session.city(), session.physics());
    ReplayWriter writer(path);
    for (int frame = 0; frame < frames; ++frame)
    {
        if (frame != lost)
            play.playFrame(FrameInput());
        writer.write(FrameInput(), *play.city);
    }
    ASSERT_TRUE(writer.finish());
}
} // namespace

TEST(ReplayFile, TheHeadlessReplaySaysHowOftenTheGameStartedAgain)
{
    TempFolder folder;
    const std::string path = folder.path + "/again.tamrow";
    Session session(std::nullopt);
    Play play(session.city(), session.physics());
    play.session = &session;
    ReplayWriter writer(path);
    FrameInput f5;
    f5.events.push_back(actEvent(Action::StartAgain));
    for (const FrameInput& input : {FrameInput(), f5, FrameInput(), f5})
    {
        play.playFrame(input);
        writer.write(input, *play.city);
    }
    ASSERT_TRUE(writer.finish());
    const Outcome run = runWithoutDisplay(folder, {HeadlessProgram, "--replay", path});
    EXPECT_NE(run.out.find("started again   2 times (F5)"), std::string::npos) << run.out;
}

TEST(ReplayFile, TheHeadlessToolPrintsItsUsageAndRefusesAFrameCountThatIsNoNumber)
{
    TempFolder folder;
    const Outcome help = runWithoutDisplay(folder, {HeadlessProgram, "--help"});
    EXPECT_EQ(help.status, "exit status 0");
    EXPECT_EQ(help.out.rfind("Usage: tamrow_headless ", 0), 0u) << help.out;
    EXPECT_EQ(help.err, "");
    for (const char* frames : {"ten", "12x", "-1", "", "99999999999999999999"})
    {
        const Outcome run = runWithoutDisplay(folder, {HeadlessProgram, frames});
        EXPECT_EQ(run.status, "exit status 2") << frames;
        EXPECT_EQ(run.err, "tamrow_headless: the frame count is not a whole number of 0 or more (try tamrow_headless "
                           "--help)\n") << frames;
        EXPECT_EQ(run.out, "") << frames;
    }
}

TEST(ReplayFile, AFileThatStopsShortPlaysItsWholePiecesAndSaysHowFarItGoes)
{
    TempFolder folder;
    recordIdle(folder.path + "/whole", 70);
    const std::string whole = fileContent(folder.path + "/whole");
    // Cut in the end record, in the third piece, in the second piece's check, after the header.
    const std::size_t piece = 30 * 14 + 9;
    const std::vector<std::pair<std::size_t, std::string>> cuts = {{whole.size() - 1, "60 (1.0 s"},
                                                                   {ReplayHeaderBytes + 2 * piece + 20, "60 (1.0 s"},
                                                                   {ReplayHeaderBytes + 2 * piece - 1, "30 (0.5 s"},
                                                                   {ReplayHeaderBytes, "0 (0.0 s"}};
    for (const auto& [size, frames] : cuts)
    {
        std::ofstream(folder.path + "/cut", std::ios::binary) << whole.substr(0, size);
        const Outcome run = runWithoutDisplay(folder, {HeadlessProgram, "--replay", folder.path + "/cut"});
        EXPECT_EQ(run.status, "exit status 0") << run.err;
        EXPECT_EQ(run.err, "tamrow_headless: " + folder.path + "/cut: the recording goes to frame " + frames +
                               " of play) and was not finished: the game that made it did not close it\n");
        EXPECT_NE(run.out.find("replayed        " + frames.substr(0, frames.find(' ')) + " frames"), std::string::npos)
            << run.out;
    }
}

TEST(ReplayFile, ARecordingOfTheFirstFormatStillPlays)
{
    // 300 frames of walking, recruiting, a zoom, a resize and H, recorded in
    // version 1 before the recordings went to the disk in pieces.
    TempFolder folder;
    const Outcome run =
        runWithoutDisplay(folder, {HeadlessProgram, "--replay", std::string(SourceFolder) + "/tests/play/version-1.tamrow"});
    EXPECT_EQ(run.status, "exit status 0") << run.err;
    EXPECT_NE(run.out.find("replayed        300 frames"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("0x6b1340e1566052c0"), std::string::npos) << run.out;
}

TEST(ReplayFile, ADamagedReplayIsRefusedInOneLineWithStatusOne)
{
    TempFolder folder;
    recordIdle(folder.path + "/good", 60);
    recordIdle(folder.path + "/other", 60, 40);
    const std::string good = fileContent(folder.path + "/good");
    std::string flipped = good, otherVersion = good;
    // A bit of frame 31's state hash, the second piece's first frame.
    const std::size_t hashByte = ReplayHeaderBytes + 30 * 14 + 9 + 6;
    flipped[hashByte] = static_cast<char>(flipped[hashByte] ^ 0x5a);
    otherVersion[8] = 3;
    // Two unlike bytes exchanged: a sum that forgets the bytes' order would not see it.
    std::string swapped = good;
    std::size_t at = good.size() / 2;
    while (swapped[at] == swapped[at + 1])
        ++at;
    std::swap(swapped[at], swapped[at + 1]);
    // A sound checksum over a frame without its mark, as a faulty writer would leave it.
    std::string unmarked = good;
    unmarked[ReplayHeaderBytes] = 0;
    const std::size_t summed = unmarked.size() - sizeof(std::uint64_t);
    std::vector<unsigned char> sum;
    ReplayBytes::appendU64(sum, fnv1a(FnvOffsetBasis, unmarked.data(), summed));
    std::copy(sum.begin(), sum.end(), unmarked.begin() + static_cast<std::ptrdiff_t>(summed));
    // What is wrong, and what the line says; the last is sound but of a game that played otherwise.
    const std::vector<std::pair<std::string, std::string>> damaged = {
        {flipped, "frames 31 to 60 fail the check"}, {swapped, "frame 31 "},
        {unmarked, "frame 1 has no frame mark"}, {otherVersion, "version 3"}, {"W held, then Q\n", "not a replay"},
        {good.substr(0, ReplayHeaderBytes + 30 * 14 + 9) + '\x7f', "frame 31 has no frame mark"},
        {fileContent(folder.path + "/other"), "frame 41 "}};
    for (const auto& [bytes, says] : damaged)
    {
        std::ofstream(folder.path + "/damaged", std::ios::binary) << bytes;
        // The window's game reads a replay before it looks for a display.
        for (const bool windowed : {false, true})
        {
            const Outcome run = runWithoutDisplay(
                folder, {windowed ? GameProgram : HeadlessProgram, "--replay", folder.path + "/damaged"});
            EXPECT_EQ(run.status, "exit status 1") << says;
            EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
            EXPECT_TRUE(windowed || run.err.find(says) != std::string::npos) << run.err;
        }
    }
}

TEST(ReplayFile, EventsAreTakenUpToTheirBoundsAndRefusedPastThem)
{
    TempFolder folder;
    const TestCity town;
    const auto reads = [&](InputEvent event) {
        const std::string path = folder.path + "/bound.tamrow";
        FrameInput input;
        input.events.push_back(event);
        {
            ReplayWriter writer(path);
            writer.write(input, town.city);
            EXPECT_TRUE(writer.finish());
        }
        std::string error;
        return Replay::read(path, error).has_value();
    };
    for (const std::uint32_t side : {MaxWindowSide, MaxWindowSide + 1})
    {
        EXPECT_EQ(reads({InputEvent::Kind::Resize, side, 1, 0}), side == MaxWindowSide) << side << " wide";
        EXPECT_EQ(reads({InputEvent::Kind::Resize, 1, side, 0}), side == MaxWindowSide) << side << " high";
    }
    for (const std::int32_t steps : {MaxZoomSteps, MaxZoomSteps + 1, -MaxZoomSteps, -MaxZoomSteps - 1})
        EXPECT_EQ(reads({InputEvent::Kind::Zoom, 0, 0, steps}), std::abs(steps) <= MaxZoomSteps) << steps;
}
} // namespace tamrow
