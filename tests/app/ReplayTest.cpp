// Record and replay: headless and in the real window, the same state hash at every frame, at every speed.
#include "play/Replay.hpp"
#include "play/ReplayWriter.hpp"
#include "support/BuildPaths.hpp"
#include "support/ChildProcess.hpp"
#include "support/GameFixture.hpp"
#include "support/TestCity.hpp"

#include <csignal>

namespace tamrow
{
using ReplayTest = GameTest;

TEST_F(ReplayTest, AScriptedGameWithSpeedChangesReplaysHeadlessToTheSameHashAtEveryFrame)
{
    using K = Action;
    TempFolder folder;
    const std::string path = folder.path + "/scripted.tamrow";
    Session session(std::nullopt);
    game.play.session = &session;
    game.startAgain();  // a fresh start of the program, as a replay builds it
    const b2Vec2 start = game.play.city->actors[0].body->GetPosition();
    ReplayWriter writer(path);
    std::set<InputEvent::Kind> seen;
    int frames = 0;
    const auto frame = [&] {
        game.runFrame();
        writer.write(game.lastInput, *game.play.city);
        ++frames;
        for (const InputEvent& event : game.lastInput.events)
            seen.insert(event.kind);
    };
    // A resize and a wheel notch on their way, then: walk right, up recruiting
    // hooligans at x4, zoom with Z, down-left recruiting police at x1/2, stand at x1.
    game.window.setSize(sf::Vector2u(1200, 700));
    xSession.warpPointer(300, 300);
    ASSERT_EQ(runCommand({"xdotool", "click", "5"}), 0);
    struct Part
    {
        int frames;
        std::set<K> keys;
        std::vector<K> speedPresses;  ///< on the part's first frame
    };
    const std::vector<Part> script = {{90, {K::WalkRight}, {}},
                                      {90, {K::WalkUp, K::RecruitHooligans}, {K::Faster, K::Faster}},
                                      {30, {K::ZoomOut}, {}},
                                      {90,
                                       {K::WalkDown, K::WalkLeft, K::RecruitPolice},
                                       {K::Slower, K::Slower, K::Slower}},
                                      {60, {}, {K::Faster}}};
    const int scriptSteps = 90 + 90 * 4 + 30 * 4 + 90 / 2 + 60;
    for (const Part& part : script)
    {
        held = part.keys;
        game.replaying = [&part](const FrameInput& taken) {
            FrameInput played = taken;
            for (const K press : part.speedPresses)
                played.events.push_back(actEvent(press));
            return played;
        };
        frame();
        game.replaying = nullptr;
        for (int k = 1; k < part.frames; ++k)
            frame();
    }
    const int scriptFrames = frames;
    held.clear();
    ASSERT_TRUE(waitUntil("the resize and the wheel to reach the game", std::chrono::seconds(3), [&] {
        frame();
        return seen.count(InputEvent::Kind::Resize) > 0 && seen.count(InputEvent::Kind::Zoom) > 0;
    }));
    ASSERT_TRUE(writer.finish());
    EXPECT_NE(game.play.city->actors[0].body->GetPosition().x, start.x) << "the script walked nobody";

    // The headless replay checks the hash of every frame against the recording.
    const Outcome run = runWithoutDisplay(folder, {HeadlessProgram, "--replay", path});
    EXPECT_EQ(run.status, "exit status 0") << run.err;
    EXPECT_NE(run.out.find(" " + std::to_string(frames) + " frames"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find(hashText(writer.hash())), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("steps           " + std::to_string(scriptSteps + frames - scriptFrames) + " world steps"),
              std::string::npos) << run.out;

    // And in a window, by the real program, which checks the same hashes, says so at the end and stays.
    ChildProcess shown({GameProgram, "--replay", path}, folder.path, folder.path + "/out", folder.path + "/err");
    EXPECT_TRUE(waitUntil("the replay's end", std::chrono::seconds(60), [&] {
        return fileContent(folder.path + "/out").find("all " + std::to_string(frames) + " frames replayed") !=
               std::string::npos;
    })) << fileContent(folder.path + "/err");
    shown.sendSignal(SIGTERM);
    EXPECT_EQ(shown.waitForExit(std::chrono::seconds(10)), "exit status 0") << fileContent(folder.path + "/err");
}
} // namespace tamrow
