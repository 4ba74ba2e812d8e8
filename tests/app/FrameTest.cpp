// The frame: where the camera looks, and how far one world step carries a body.

#include "support/GameFixture.hpp"

#include "city/Units.hpp"
#include "life/Simulation.hpp"

#include <vector>

namespace
{
/// Where the player's character starts (px): (60, 30) m.
const sf::Vector2f CharacterStart(1800.0f, 900.0f);

sf::Vector2f bodyInPixels(const Actor& actor)
{
    const b2Vec2 position = actor.body->GetPosition();
    return sf::Vector2f(position.x * PixelsPerMeter, position.y * PixelsPerMeter);
}

using FrameTest = GameTest;
} // namespace

TEST_F(FrameTest, OpensStillWithOneViewPixelPerWindowPixel)
{
    EXPECT_EQ(game.window.getSize(), sf::Vector2u(1600, 900));
    EXPECT_EQ(game.view.getSize(), sf::Vector2f(1600.0f, 900.0f));
    EXPECT_EQ(game.window.getView().getSize(), sf::Vector2f(1600.0f, 900.0f));
    EXPECT_EQ(game.moveX, 0);
    EXPECT_EQ(game.moveY, 0);
    EXPECT_EQ(game.city, &city);
    EXPECT_EQ(game.physics, &physics);
}

TEST_F(FrameTest, FirstFrameLooksAtTheMapCornerThenFollowsTheCharacter)
{
    // Nobody's sprite has been placed before the first update: the camera
    // starts on (0, 0), the map's top-left corner.
    ASSERT_EQ(city.actors[0].sprite.getPosition(), sf::Vector2f(0.0f, 0.0f));
    loop();
    EXPECT_EQ(game.view.getCenter(), sf::Vector2f(0.0f, 0.0f));
    EXPECT_EQ(game.window.getView().getCenter(), sf::Vector2f(0.0f, 0.0f));
    EXPECT_EQ(city.actors[0].sprite.getPosition(), CharacterStart);

    // No key, no velocity, no gravity: the character stays put and so does the camera.
    for (int frame = 2; frame <= 30; ++frame)
    {
        loop();
        ASSERT_EQ(game.window.getView().getCenter(), CharacterStart) << "frame " << frame;
    }
    EXPECT_EQ(city.actors[0].body->GetPosition(), b2Vec2(60.0f, 30.0f));
    EXPECT_EQ(game.view.getSize(), sf::Vector2f(1600.0f, 900.0f));
}

TEST_F(FrameTest, CameraStandsOneStepBehindTheWalkingCharacter)
{
    loop();
    hold({sf::Keyboard::D, sf::Keyboard::S});
    for (int frame = 1; frame <= 15; ++frame)
    {
        const sf::Vector2f before = city.actors[0].sprite.getPosition();
        loop();
        // Centred where the previous update left the sprite, not where it is now.
        ASSERT_EQ(game.window.getView().getCenter(), before) << "frame " << frame;
        const sf::Vector2f after = city.actors[0].sprite.getPosition();
        ASSERT_EQ(after, bodyInPixels(city.actors[0])) << "frame " << frame;
        // One step at moveX, moveY m/s is 30 / 60 = 0.5 px per m/s: 5.5 px at 11 m/s, 10 px at 20.
        EXPECT_NEAR(after.x - before.x, 0.5f * static_cast<float>(game.moveX), 1e-3f) << frame;
        EXPECT_NEAR(after.y - before.y, 0.5f * static_cast<float>(game.moveY), 1e-3f) << frame;
    }
    EXPECT_EQ(game.moveX, 20);
    EXPECT_EQ(game.moveY, 20);
}

TEST_F(FrameTest, EachFrameStepsTheWorldOneSixtiethOfASecond)
{
    // Box2D moves the centre of mass by TimeStep * v per step in single
    // precision; repeat the same sums here and demand the same bits.
    b2Body* body = city.actors[0].body;
    const b2Vec2 velocity(11.0f, 0.0f);
    body->SetLinearVelocity(velocity);
    b2Vec2 centre = body->GetWorldCenter();
    const b2Vec2 localCentre = body->GetLocalCenter();
    for (int frame = 1; frame <= 60; ++frame)
    {
        game.runFrame();
        centre.x = centre.x + TimeStep * velocity.x;
        ASSERT_EQ(body->GetWorldCenter().x, centre.x) << "frame " << frame;
        ASSERT_EQ(body->GetWorldCenter().y, centre.y) << "frame " << frame;
    }
    EXPECT_EQ(body->GetPosition().x, centre.x - localCentre.x);
    EXPECT_EQ(body->GetLinearVelocity(), velocity);
    // One second at 11 m/s: 11 m to the right of the start at x = 60 m.
    EXPECT_NEAR(body->GetPosition().x, 71.0f, 1e-3f);
}

TEST_F(FrameTest, WalkingSpeedOfEachFrameIsWhatTheStepAppliesInThatFrame)
{
    // With A held the speed ramps 11, 12, ... 20 m/s; the step that follows
    // the input must use exactly the speed the input just set.
    b2Body* body = city.actors[0].body;
    b2Vec2 centre = body->GetWorldCenter();
    std::vector<std::int32_t> speeds;
    hold({sf::Keyboard::A});
    for (int frame = 1; frame <= 14; ++frame)
    {
        loop();
        speeds.push_back(game.moveX);
        centre.x = centre.x + TimeStep * static_cast<float>(game.moveX);
        ASSERT_EQ(body->GetWorldCenter().x, centre.x) << "frame " << frame;
        ASSERT_EQ(body->GetWorldCenter().y, centre.y) << "frame " << frame;
    }
    EXPECT_EQ(speeds, (std::vector<std::int32_t>{-11, -12, -13, -14, -15, -16, -17, -18, -19, -20,
                                                 -20, -20, -20, -20}));
}

TEST_F(FrameTest, CityWithoutActorsKeepsTheViewCentre)
{
    // Nobody to follow: the centre stays; the step and the update still run,
    // and with the counter at 0 the update brings the first wave.
    removeActorsFrom(0);
    city.population = 0;
    game.view.setCenter(123.0f, 456.0f);
    game.moveY = -15;
    hold({sf::Keyboard::W, sf::Keyboard::Q});
    loop();
    EXPECT_EQ(game.window.getView().getCenter(), sf::Vector2f(123.0f, 456.0f));
    EXPECT_EQ(game.moveY, -15) << "no one to walk: the ramp keeps its value";
    ASSERT_EQ(city.actors.size(), 4u);
    EXPECT_EQ(city.population, 4);
    for (const Actor& newcomer : city.actors)
        EXPECT_EQ(newcomer.sprite.getPosition(), bodyInPixels(newcomer));

    // From then on the first newcomer stands at index 0 and the camera follows it.
    const sf::Vector2f newcomer = city.actors[0].sprite.getPosition();
    loop();
    EXPECT_EQ(game.window.getView().getCenter(), newcomer);
}
