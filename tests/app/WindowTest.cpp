// The game in its real window: walking, slow motion, zoom and resize, images, pause and starting again.
#include "support/ChildProcess.hpp"
#include "support/GameFixture.hpp"

#include "life/Simulation.hpp"
#include "life/StateHash.hpp"
#include "play/Session.hpp"

#include <iterator>
#include <set>

namespace tamrow
{
namespace
{
using K = Action;
using WindowTest = GameTest;

TEST_F(WindowTest, HeldKeysWalkTheCharacterOneFrameAheadOfTheCamera)
{
    // One walk: keys held for some frames, and the velocity (m/s) set in the last of them.
    const struct { std::set<K> keys; int frames; b2Vec2 velocity; } walk[] = {
        {{K::WalkUp}, 12, {0, -20}},  // 11, 12, ... 20, and holds
        {{K::WalkDown}, 3, {0, 13}},    // reversing starts again at 11
        {{K::WalkLeft}, 2, {-12, 0}},
        {{}, 1, {0, 0}},
        {{K::WalkUp, K::WalkDown, K::WalkLeft, K::WalkRight}, 2, {-12, -12}},  // up and left win over down and right
        {{K::WalkDown, K::WalkRight}, 2, {12, 12}},
        {{K::WalkUp, K::WalkLeft}, 3, {-13, -13}},
        {{K::WalkUp}, 1, {-13, -14}},  // A released under W: the old sideways speed one frame more
        {{K::WalkUp}, 1, {0, -15}},
        {{K::WalkUp, K::WalkLeft}, 1, {-11, -16}},
        {{K::WalkLeft}, 1, {-12, 0}},  // W released under A: the vertical speed stops at once
        {{K::ZoomOut, K::ZoomIn, K::RecruitHooligans, K::RecruitPolice}, 2, {0, 0}},  // only WASD walk
    };
    b2Body& body = *city.actors[0].body;
    b2Vec2 set;
    game.watch = [&](FramePart part) {
        if (part == FramePart::Camera)
            set = body.GetLinearVelocity();
    };
    for (std::size_t row = 0; row < std::size(walk); ++row)
    {
        SCOPED_TRACE("row " + std::to_string(row));
        held = walk[row].keys;
        for (int frame = 0; frame < walk[row].frames; ++frame)
        {
            const sf::Vector2f spriteBefore = city.actors[0].sprite.getPosition();
            const b2Vec2 before = body.GetPosition();
            game.runFrame();
            // One step of 1/60 s at the speed just set; the camera on where the sprite stood.
            EXPECT_NEAR(body.GetPosition().x, before.x + set.x * TimeStep, 1e-4f);
            EXPECT_NEAR(body.GetPosition().y, before.y + set.y * TimeStep, 1e-4f);
            EXPECT_EQ(game.window.getView().getCenter(), spriteBefore);
        }
        ASSERT_EQ(set, walk[row].velocity);
    }
}

TEST_F(WindowTest, InSlowMotionTheWorldStepsEveryFourthFrameAndTheCameraMovesOnEveryFrame)
{
    held = {K::WalkRight};
    game.replaying = [](const FrameInput& taken) {
        FrameInput slowed = taken;
        slowed.events = {actEvent(K::Slower), actEvent(K::Slower)};
        return slowed;
    };
    loop(1);
    game.replaying = nullptr;
    // Three steps at x1/4: the sprites follow the bodies the fixture placed, and
    // the last two give the places to draw between.
    loop(12);
    const b2Body& body = *city.actors[0].body;
    int steps = 0;
    for (int frame = 0; frame < 16; ++frame)
    {
        const float cameraBefore = game.window.getView().getCenter().x;
        const float bodyBefore = body.GetPosition().x;
        loop(1);
        EXPECT_GT(game.window.getView().getCenter().x, cameraBefore) << "frame " << frame;
        steps += body.GetPosition().x != bodyBefore;
    }
    EXPECT_EQ(steps, 4);
}

TEST_F(WindowTest, ZoomKeysZoomOncePerWindowEventTheWheelPerNotchAResizeAndBackspaceUndoThem)
{
    const sf::Vector2f start(1600.0f, 900.0f);
    held.insert({K::ZoomOut});
    for (int i = 0; i < 20; ++i)
        game.handleInput();
    ASSERT_EQ(game.view.getSize(), start) << "a zoom without events";
    const sf::Vector2f out = zoomedViewSize(zoomedViewSize(start, start, ZoomOutFactor), start, ZoomOutFactor);
    wiggle(2);
    ASSERT_TRUE(viewReaches(out));
    // Both keys held: Z, then X, each event.
    held.insert({K::ZoomIn});
    wiggle(1);
    ASSERT_TRUE(viewReaches(zoomedViewSize(zoomedViewSize(out, start, ZoomOutFactor), start, ZoomInFactor)));

    // A resize comes while the keys are held: the size replaces that event's zoom.
    game.window.setSize(sf::Vector2u(1200, 700));
    ASSERT_TRUE(viewReaches(sf::Vector2f(1200.0f, 700.0f)));
    EXPECT_EQ(game.window.getView().getSize(), sf::Vector2f(1200.0f, 700.0f)) << "applied before any frame";

    // A notch of the wheel over the window (X buttons 5 down, 4 up) zooms as one Z or X step.
    held.clear();
    xSession.warpPointer(400, 300);
    ASSERT_TRUE(waitForQuiet());
    const sf::Vector2f unzoomed(1200.0f, 700.0f);
    const sf::Vector2f wheeledOut = zoomedViewSize(unzoomed, unzoomed, ZoomOutFactor);
    ASSERT_EQ(runCommand({"xdotool", "click", "5"}), 0);
    ASSERT_TRUE(viewReaches(wheeledOut));
    ASSERT_EQ(runCommand({"xdotool", "click", "4"}), 0);
    ASSERT_TRUE(viewReaches(zoomedViewSize(wheeledOut, unzoomed, ZoomInFactor)));
    // Backspace: back to x1, which notches out and in again do not give.
    ASSERT_EQ(runCommand({"xdotool", "key", "BackSpace"}), 0);
    ASSERT_TRUE(viewReaches(unzoomed));
}

TEST_F(WindowTest, NewcomersAndTheDeadWearTheirSidesImages)
{
    // A wave after the three founders: two hooligans, a civilian and an officer in the
    // vigilante's vest. Then the last three fall, one of each side, laid in their order.
    city.population = PopulationLimit - 1;
    loop(1);
    EXPECT_EQ(city.population, PopulationLimit - 1 + WaveSize);
    const std::size_t props = city.props.size();
    for (std::size_t k = 4; k < city.actors.size(); ++k)
        city.actors[k].dead = true;
    loop(1);
    const TextureId images[] = {TextureId::Hooli, TextureId::Hooli, TextureId::Civil, TextureId::Vigil,
                                TextureId::DeadHooli, TextureId::DeadCivil, TextureId::DeadPolice};
    ASSERT_EQ(city.actors.size() + city.props.size(), FounderCount + props + std::size(images));
    for (std::size_t k = 0; k < std::size(images); ++k)
    {
        const sf::Sprite& shown = k < 4 ? city.actors[FounderCount + k].sprite : city.props[props + k - 4].sprite;
        EXPECT_EQ(shown.getTexture(), &city.texture(images[k])) << k;
    }
}

TEST_F(WindowTest, PauseFreezesTheGameResumingContinuesItAndStartingAgainPlaysAFreshGame)
{
    // Fresh games as the program starts them, D held throughout, in a small window.
    Session session(std::nullopt);
    game.play.session = &session;
    game.window.setSize(sf::Vector2u(160, 90));
    held = {K::WalkRight};
    const auto play = [this](int frames, StateHash& trace) {
        for (int frame = 0; frame < frames; ++frame)
        {
            game.runFrame();
            trace.record(*game.play.city);
        }
        return trace.value();
    };
    game.startAgain();
    StateHash unpaused;
    const std::uint64_t halfway = play(120, unpaused);
    play(120, unpaused);

    // The waves' draws, the world, the walking speed and the zoom have all moved on.
    game.view.zoom(2.0f);
    game.startAgain();
    EXPECT_EQ(game.view.getSize(), unzoomedViewSize(game.window.getSize())) << "F5 starts at x1";
    StateHash resumed;
    ASSERT_EQ(play(120, resumed), halfway) << "starting again is not a fresh game";
    const std::int32_t speed = game.play.moveX;
    const auto fingerprint = [this] {
        StateHash now;
        now.record(*game.play.city);
        return now.value();
    };
    const std::uint64_t frozen = fingerprint();
    game.play.togglePause();
    loop(60);
    EXPECT_EQ(fingerprint(), frozen) << "the city moved while paused";
    EXPECT_EQ(game.play.moveX, speed) << "a held key walked while paused";
    game.play.togglePause();
    EXPECT_EQ(play(120, resumed), unpaused.value());
}

} // namespace
} // namespace tamrow
