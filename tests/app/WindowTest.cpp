// The game in its real window: keys walk and recruit, real window events zoom
// and resize, and the window's frames play the golden run.
#include "life/GoldenTrace.hpp"
#include "support/GameFixture.hpp"
#include "support/TestCity.hpp"

#include "life/Simulation.hpp"

#include <algorithm>
#include <vector>

namespace
{
using K = sf::Keyboard;
using WindowTest = GameTest;

/// Exactly `keys` held for as many frames as `given` has entries: the velocity
/// the character's body is given after each frame's input (m/s).
struct Step
{
    std::vector<K::Key> keys;
    std::vector<b2Vec2> given;
};

/// The ramp of one axis from frame 1 for `frames` frames: 11, 12, ... 20, 20.
std::vector<b2Vec2> ramp(int frames, float sx, float sy)
{
    std::vector<b2Vec2> walks;
    for (int frame = 1; frame <= frames; ++frame)
    {
        const float speed = static_cast<float>(std::min(10 + frame, 20));
        walks.emplace_back(sx * speed, sy * speed);
    }
    return walks;
}

TEST_F(WindowTest, HeldKeysWalkTheCharacterOneFrameAheadOfTheCamera)
{
    const b2Vec2 still(0.0f, 0.0f);
    const struct
    {
        const char* what;
        std::vector<Step> steps;
    } scripts[] = {
        {"each key ramps from 11 to 20 and holds; reversing starts again at 11",
         {{{K::W}, ramp(12, 0, -1)}, {{K::S}, ramp(3, 0, 1)}, {{K::A}, ramp(2, -1, 0)}, {{}, {still}}}},
        {"up and left win over down and right",
         {{{K::W, K::S, K::A, K::D}, ramp(2, -1, -1)}, {{K::S, K::D}, ramp(2, 1, 1)}}},
        // The up step applies (moveX, moveY) before moveX is cleared.
        {"releasing A under W keeps the old sideways speed one frame",
         {{{K::W, K::A}, ramp(3, -1, -1)}, {{K::W}, {{-13, -14}, {0, -15}}}}},
        {"releasing W under A stops the vertical speed at once",
         {{{K::W, K::A}, ramp(3, -1, -1)}, {{K::A}, {{-14, 0}, {-15, 0}}}}},
        {"only WASD walk", {{{K::Up, K::Left, K::Z, K::X, K::Q, K::E}, {still, still}}}},
    };
    b2Body& body = *city.actors[0].body;
    // The velocity the frame's input set, read before the step moves the body.
    b2Vec2 set;
    game.watch = [&](FramePart part) {
        if (part == FramePart::Camera)
            set = body.GetLinearVelocity();
    };
    for (const auto& script : scripts)
    {
        SCOPED_TRACE(script.what);
        releaseAll();
        loop();
        for (const Step& step : script.steps)
        {
            releaseAll();
            held.insert(step.keys.begin(), step.keys.end());
            for (const b2Vec2& given : step.given)
            {
                const sf::Vector2f spriteBefore = city.actors[0].sprite.getPosition();
                const b2Vec2 before = body.GetPosition();
                game.runFrame();
                ASSERT_EQ(set, given);
                // One step of 1/60 s at the speed just set; the camera on where the sprite stood.
                EXPECT_NEAR(body.GetPosition().x, before.x + given.x * TimeStep, 1e-4f);
                EXPECT_NEAR(body.GetPosition().y, before.y + given.y * TimeStep, 1e-4f);
                EXPECT_EQ(game.window.getView().getCenter(), spriteBefore);
            }
        }
    }
}

TEST_F(WindowTest, QMakesHooligansAndEPoliceOfTheCharactersNeighboursNeverTheDead)
{
    // The character at (60.5, 30.5) m; civilians next door, two cells away, and one parked dead.
    place(0, 60.5f, 30.5f);
    for (const b2Vec2 at : {b2Vec2(61.5f, 31.5f), b2Vec2(59.2f, 30.0f), b2Vec2(62.5f, 30.5f), ParkPosition})
    {
        city.spawnActor(0.0f, 0.0f, TextureId::Civil, Faction::Civil);
        place(city.actors.size() - 1, at.x, at.y);
    }
    city.actors.back().dead = true;
    const auto sidesAfter = [&](std::initializer_list<K::Key> keys) {
        held = keys;
        game.handleInput();
        std::vector<Faction> found;
        for (std::size_t i = 3; i < city.actors.size(); ++i)
            found.push_back(city.actors[i].faction);
        return found;
    };
    EXPECT_EQ(sidesAfter({K::Q}), (std::vector<Faction>{Faction::Hooli, Faction::Hooli, Faction::Civil, Faction::Civil}));
    EXPECT_EQ(city.actors[3].sprite.getTexture(), &city.texture(TextureId::Hooli));
    EXPECT_EQ(sidesAfter({K::Q, K::E}),
              (std::vector<Faction>{Faction::Police, Faction::Police, Faction::Civil, Faction::Civil}));
    EXPECT_EQ(city.actors[3].sprite.getTexture(), &city.texture(TextureId::Police));
    EXPECT_EQ(city.actors[0].faction, Faction::Civil) << "the character is never recruited";
    EXPECT_EQ(city.actors[0].sprite.getTexture(), &city.texture(TextureId::Character));
    EXPECT_EQ(city.actors[3].health, 10) << "only the side and the image change";
}

TEST_F(WindowTest, ZoomKeysZoomOncePerWindowEventAndAResizeUndoesIt)
{
    const sf::Vector2f start(1600.0f, 900.0f);
    hold({K::Z});
    EXPECT_FALSE(handleInputUntil("a zoom without events", [&] { return game.view.getSize() != start; },
                                  std::chrono::milliseconds(200)));
    const sf::Vector2f out = zoomedViewSize(zoomedViewSize(start, start, ZoomOutFactor), start, ZoomOutFactor);
    wiggle(2);
    ASSERT_TRUE(viewReaches(out));
    // Both keys held: Z, then X, each event.
    hold({K::X});
    wiggle(1);
    ASSERT_TRUE(viewReaches(zoomedViewSize(zoomedViewSize(out, start, ZoomOutFactor), start, ZoomInFactor)));

    // A resize comes while the keys are held: the size replaces that event's zoom.
    game.window.setSize(sf::Vector2u(1200, 700));
    ASSERT_TRUE(viewReaches(sf::Vector2f(1200.0f, 700.0f)));
    EXPECT_EQ(game.window.getView().getSize(), sf::Vector2f(1200.0f, 700.0f)) << "applied before any frame";

    releaseAll();
    game.window.setSize(sf::Vector2u(1, 1));
    ASSERT_TRUE(viewReaches(sf::Vector2f(1.0f, 1.0f)));
    hold({K::D});
    loop(10);
    EXPECT_EQ(game.moveX, 20) << "the character walks on in a window too small to see it";
    EXPECT_EQ(presented().getSize(), sf::Vector2u(1, 1));
}

TEST(GoldenWindow, TheWindowsFramesRetraceTheHeadlessRun)
{
    resetRandom();
    PhysicsWorld physics;
    City city(physics.world);
    Game game(city, physics);
    game.keyHeld = [](K::Key) { return false; };
    // Unthrottled, in a small window: drawing does not change what happens.
    game.window.setFramerateLimit(0);
    game.window.setSize(sf::Vector2u(160, 90));
    CityTrace trace;
    for (std::int64_t frame = 1; frame <= TraceFrames; ++frame)
    {
        game.handleInput();
        game.runFrame();
        trace.record(city, frame);
    }
    EXPECT_EQ(trace.hash(), GoldenTraceHash) << std::hex << "0x" << trace.hash();
}
} // namespace
