// The frame: where the camera looks, and how far one world step carries a body.

#include "support/GameFixture.hpp"

#include "city/Units.hpp"
#include "life/Simulation.hpp"

namespace
{
sf::Vector2f bodyInPixels(const Actor& actor)
{
    const b2Vec2 position = actor.body->GetPosition();
    return sf::Vector2f(position.x * PixelsPerMeter, position.y * PixelsPerMeter);
}

using FrameTest = GameTest;
} // namespace

TEST_F(FrameTest, CameraStartsOnTheMapCornerThenStandsOneFrameBehindTheCharacter)
{
    // No sprite is placed before the first update: the first frame looks at (0, 0).
    loop();
    EXPECT_EQ(game.window.getView().getCenter(), sf::Vector2f(0.0f, 0.0f));
    EXPECT_EQ(city.actors[0].sprite.getPosition(), sf::Vector2f(1800.0f, 900.0f));

    hold({sf::Keyboard::D, sf::Keyboard::S});
    for (int frame = 1; frame <= 15; ++frame)
    {
        const sf::Vector2f before = city.actors[0].sprite.getPosition();
        loop();
        // Centred where the previous update left the sprite, not where it is now.
        ASSERT_EQ(game.window.getView().getCenter(), before) << "frame " << frame;
        ASSERT_EQ(city.actors[0].sprite.getPosition(), bodyInPixels(city.actors[0])) << "frame " << frame;
    }
}

TEST_F(FrameTest, EachFrameMovesTheWalkerBySpeedOverSixtyWithTheSpeedItJustSet)
{
    // Box2D moves the centre of mass by TimeStep * v per step in single precision;
    // the same sums here must give the same bits, with the speed this frame's input set.
    b2Body* body = city.actors[0].body;
    b2Vec2 centre = body->GetWorldCenter();
    hold({sf::Keyboard::A});
    for (int frame = 1; frame <= 14; ++frame)
    {
        loop();
        centre.x = centre.x + TimeStep * static_cast<float>(game.moveX);
        ASSERT_EQ(body->GetWorldCenter(), centre) << "frame " << frame;
    }
    EXPECT_EQ(game.moveX, -20);
}

TEST_F(FrameTest, CityWithoutActorsKeepsTheViewCentre)
{
    // Nobody to follow: the centre stays; the step and the update still run,
    // and with the counter at 0 the update brings the first wave.
    removeActorsFrom(0);
    city.population = 0;
    game.view.setCenter(123.0f, 456.0f);
    hold({sf::Keyboard::W, sf::Keyboard::Q});
    loop();
    EXPECT_EQ(game.window.getView().getCenter(), sf::Vector2f(123.0f, 456.0f));
    ASSERT_EQ(city.actors.size(), 4u);

    // From then on the first newcomer stands at index 0 and the camera follows it.
    const sf::Vector2f newcomer = city.actors[0].sprite.getPosition();
    loop();
    EXPECT_EQ(game.window.getView().getCenter(), newcomer);
}
