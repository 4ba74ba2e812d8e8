// Record and replay: headless and in the real window, the same state hash at every frame.
#include "play/Replay.hpp"
#include "play/ReplayWriter.hpp"
#include "support/BuildPaths.hpp"
#include "support/ChildProcess.hpp"
#include "support/GameFixture.hpp"
#include "support/TestCity.hpp"

namespace tamrow
{
using ReplayTest = GameTest;

TEST_F(ReplayTest, AScriptedGameReplaysHeadlessToTheSameHashAtEveryFrame)
{
    using K = Action;
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
    const std::vector<std::pair<int, std::set<K>>> script = {
        {90, {K::WalkRight}}, {90, {K::WalkUp, K::RecruitHooligans}}, {30, {K::ZoomOut}}, {90, {K::WalkDown, K::WalkLeft, K::RecruitPolice}}, {60, {}}};
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
    const Outcome run = runWithoutDisplay(folder, {HeadlessProgram, "--replay", path});
    EXPECT_EQ(run.status, "exit status 0") << run.err;
    EXPECT_NE(run.out.find(" " + std::to_string(frames) + " frames"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find(hashText(writer.hash())), std::string::npos) << run.out;

    // And in a window, by the real program, which checks the same hashes and ends with the recording.
    ChildProcess shown({GameProgram, "--replay", path}, folder.path, folder.path + "/out", folder.path + "/err");
    EXPECT_EQ(shown.waitForExit(std::chrono::seconds(60)), "exit status 0") << fileContent(folder.path + "/err");
}
} // namespace tamrow
