#include "support/GameFixture.hpp"

#include "support/TestCity.hpp"

#include "desktop/DisplayConnection.hpp"

#include <SFML/Window/Context.hpp>

#include <algorithm>
#include <memory>
#include <sstream>

namespace tamrow
{
namespace
{
using Clock = std::chrono::steady_clock;

/// SFML lets go of its X connection with its last texture and connects again for
/// the next; were it the display's last client, the server would reset between
/// and refuse it, and SFML abort. A connection and a context held for the whole
/// program keep the server up and spare every test a new context.
class OneDisplayConnection : public ::testing::Environment
{
public:
    void SetUp() override
    {
        display_ = std::make_unique<DisplayConnection>();
        if (display_->open())
            context_ = std::make_unique<sf::Context>();
    }
    void TearDown() override
    {
        context_.reset();
        display_.reset();
    }

private:
    std::unique_ptr<DisplayConnection> display_;
    std::unique_ptr<sf::Context> context_;
};

[[maybe_unused]] ::testing::Environment* const displayConnection =
    ::testing::AddGlobalTestEnvironment(new OneDisplayConnection);

} // namespace

GameTest::GameTest()
    : city(physics.world, std::string(ImageFolder), &physics.carPark)
    , game(city, physics)
    , realKeyboard(game.readKeys)
{
    game.readKeys = [this] {
        std::uint8_t keys = 0;
        for (const Action key : held)
            keys = static_cast<std::uint8_t>(keys | keyBit(key));
        return keys;
    };
    game.window.setFramerateLimit(0);
    game.window.setPosition(sf::Vector2i(0, 0));
    city.population = PopulationLimit;
    const XWindowId window = game.window.getSystemHandle();
    EXPECT_TRUE(waitUntil("the game's window to be mapped", std::chrono::seconds(5),
                          [&] { return xSession.info(window).viewable; }));
    EXPECT_TRUE(waitForQuiet());
    // The city's frame alone: the panel's and the overlays' own pixels are checked apart.
    game.overlaysShown = false;
}

void GameTest::loop(int times)
{
    for (int i = 0; i < times; ++i)
        game.runFrame();
}

::testing::AssertionResult GameTest::viewReaches(sf::Vector2f size)
{
    std::ostringstream awaited;
    awaited << "the view to be " << size.x << " x " << size.y;
    return waitUntil(awaited.str(), std::chrono::seconds(3), [&] {
        game.handleInput();
        return game.view.getSize() == size;
    }, [&] {
        return "the view at " + std::to_string(game.view.getSize().x) + " x " + std::to_string(game.view.getSize().y);
    });
}

::testing::AssertionResult GameTest::waitForQuiet(std::chrono::milliseconds quiet, std::chrono::milliseconds limit)
{
    int came = 0;
    Clock::time_point lastEvent = Clock::now();
    return waitUntil(std::to_string(quiet.count()) + " ms without window events", limit, [&] {
        sf::Event event;
        while (game.window.pollEvent(event))
        {
            ++came;
            lastEvent = Clock::now();
        }
        return Clock::now() - lastEvent >= quiet;
    }, [&] { return std::to_string(came) + " events keep coming"; });
}

void GameTest::wiggle(int count)
{
    for (int i = 0; i < count; ++i)
    {
        ++wiggles_;
        xSession.warpPointer(300 + (wiggles_ % 50) * 7, 200 + (wiggles_ % 3) * 5);
    }
}

sf::Image GameTest::presented()
{
    sf::Texture copy;
    const sf::Vector2u size = game.window.getSize();
    if (!copy.create(size.x, size.y))
        return sf::Image();
    copy.update(game.window);
    return copy.copyToImage();
}

void GameTest::removeActorsFrom(std::size_t first)
{
    city.actors.erase(city.actors.begin() + static_cast<std::ptrdiff_t>(first), city.actors.end());
    city.onStreet.erase(std::remove_if(city.onStreet.begin(), city.onStreet.end(),
                                       [first](std::uint32_t i) { return i >= first; }),
                        city.onStreet.end());
}

void GameTest::place(std::size_t index, float x, float y)
{
    b2Body* body = city.actors.at(index).body;
    body->SetTransform(b2Vec2(x, y), 0.0f);
    body->SetLinearVelocity(b2Vec2(0.0f, 0.0f));
    body->SetAngularVelocity(0.0f);
}
} // namespace tamrow
