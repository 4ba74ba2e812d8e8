// Record and replay: a game played through the window's own input path replays
// headless to the same state hash at every frame, without a display; with no
// key held it is the golden run; a damaged file is refused in one line, status 1.

#include "app/Replay.hpp"
#include "app/ReplayBytes.hpp"
#include "app/ReplayFormat.hpp"
#include "app/ReplayWriter.hpp"
#include "life/GoldenTrace.hpp"
#include "support/ChildProcess.hpp"
#include "support/GameFixture.hpp"
#include "support/TestCity.hpp"

#include <algorithm>
#include <fstream>
#include <sys/wait.h>

namespace
{
using ReplayTest = GameTest;

/// tamrow_headless (or `program`) on `arguments` with DISPLAY unset: exit status, output, errors.
struct Outcome
{
    int status = -1;
    std::string out, err;
};
Outcome runWithoutDisplay(const TempFolder& folder, std::vector<std::string> arguments, const char* program = TAMROW_HEADLESS)
{
    arguments.insert(arguments.begin(), {"/usr/bin/env", "-u", "DISPLAY", program});
    ChildProcess child(arguments, folder.path, folder.path + "/out", folder.path + "/err");
    const std::optional<int> status = child.waitForExit(std::chrono::seconds(30));
    return {status && WIFEXITED(*status) ? WEXITSTATUS(*status) : -1, fileContent(folder.path + "/out"),
            fileContent(folder.path + "/err")};
}

/// `frames` frames of a fresh game with no key held, recorded without a window;
/// the frame `lost` (from 0), if any, is recorded but never played.
void recordIdle(const std::string& path, int frames, int lost = -1)
{
    resetRandom();
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

TEST_F(ReplayTest, AScriptedGameReplaysHeadlessToTheSameHashAtEveryFrame)
{
    using K = sf::Keyboard;
    TempFolder folder;
    const std::string path = folder.path + "/scripted.tamrow";
    Session session(std::nullopt);
    game.session = &session;
    game.startAgain();  // a fresh start of the program, as a replay builds it
    const b2Vec2 start = game.city->actors[0].body->GetPosition();
    ReplayWriter writer(path);
    std::set<InputEvent::Kind> seen;
    int frames = 0;
    const auto frame = [&] {
        game.runFrame();
        writer.write(game.lastInput, *game.city);
        ++frames;
        for (const InputEvent& event : game.lastInput.events)
            seen.insert(event.kind);
    };
    // A resize and a wheel notch on their way, then: walk right, up recruiting
    // hooligans, zoom with Z, down-left recruiting police, stand.
    game.window.setSize(sf::Vector2u(1200, 700));
    xSession.warpPointer(300, 300);
    ASSERT_EQ(runCommand({"xdotool", "click", "5"}), 0);
    const std::vector<std::pair<int, std::set<K::Key>>> script = {
        {90, {K::D}}, {90, {K::W, K::Q}}, {30, {K::Z}}, {90, {K::S, K::A, K::E}}, {60, {}}};
    for (const auto& [count, keys] : script)
    {
        held = keys;
        for (int k = 0; k < count; ++k)
            frame();
    }
    held.clear();
    ASSERT_TRUE(waitUntil("the resize and the wheel to reach the game", std::chrono::seconds(3), [&] {
        frame();
        return seen.count(InputEvent::Kind::Resize) > 0 && seen.count(InputEvent::Kind::Zoom) > 0;
    }));
    ASSERT_TRUE(writer.finish());
    EXPECT_NE(game.city->actors[0].body->GetPosition().x, start.x) << "the script walked nobody";

    // The headless replay checks the hash of every frame against the recording.
    const Outcome run = runWithoutDisplay(folder, {"--replay", path});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find(" " + std::to_string(frames) + " frames"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find(hashText(writer.hash())), std::string::npos) << run.out;

    // And in a window, by the real program, which checks the same hashes and ends with the recording.
    ChildProcess shown({TAMROW_BINARY, "--replay", path}, folder.path, folder.path + "/out", folder.path + "/err");
    const std::optional<int> status = shown.waitForExit(std::chrono::seconds(60));
    ASSERT_TRUE(status.has_value()) << "the replay in the window did not end";
    EXPECT_EQ(describeStatus(*status), "exit status 0") << fileContent(folder.path + "/err");
}

TEST(ReplayFile, NoKeyHeldReplaysTheGoldenTraceWithoutADisplay)
{
    TempFolder folder;
    recordIdle(folder.path + "/idle.tamrow", TraceFrames);
    const Outcome run = runWithoutDisplay(folder, {"--replay", folder.path + "/idle.tamrow"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find(hashText(GoldenTraceHash)), std::string::npos) << run.out;
}

TEST(ReplayFile, ADamagedReplayIsRefusedInOneLineWithStatusOne)
{
    TempFolder folder;
    recordIdle(folder.path + "/good", 60);
    recordIdle(folder.path + "/other", 60, 40);
    const std::string good = fileContent(folder.path + "/good");
    std::string flipped = good, otherVersion = good;
    flipped[good.size() / 2] = static_cast<char>(flipped[good.size() / 2] ^ 0x5a);
    otherVersion[8] = 2;
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
        {good.substr(0, good.size() - 1), "cut short"}, {good.substr(0, good.size() / 3), "cut short"},
        {flipped, "checksum differs"}, {swapped, "checksum differs"}, {unmarked, "frame 1 has no frame mark"}, {otherVersion, "version 2"}, {"W held, then Q\n", "not a replay"},
        {fileContent(folder.path + "/other"), "frame 41 "}};
    for (const auto& [bytes, says] : damaged)
    {
        std::ofstream(folder.path + "/damaged", std::ios::binary) << bytes;
        // The window's game reads a replay before it looks for a display.
        for (const bool windowed : {false, true})
        {
            const Outcome run = runWithoutDisplay(folder, {"--replay", folder.path + "/damaged"},
                                                  windowed ? TAMROW_BINARY : TAMROW_HEADLESS);
            EXPECT_EQ(run.status, 1) << says;
            EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
            EXPECT_TRUE(windowed || run.err.find(says) != std::string::npos) << run.err;
        }
    }
}
