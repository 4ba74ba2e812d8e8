#include "support/GameFixture.hpp"

#include "support/TestCity.hpp"

#include <algorithm>
#include <cmath>
#include <sstream>
#include <thread>

namespace
{
using Clock = std::chrono::steady_clock;

/// SFML's names of the event types, in the order of sf::Event::EventType.
constexpr const char* EventNames[] = {
    "Closed", "Resized", "LostFocus", "GainedFocus", "TextEntered", "KeyPressed", "KeyReleased",
    "MouseWheelMoved", "MouseWheelScrolled", "MouseButtonPressed", "MouseButtonReleased", "MouseMoved",
    "MouseEntered", "MouseLeft", "JoystickButtonPressed", "JoystickButtonReleased", "JoystickMoved",
    "JoystickConnected", "JoystickDisconnected", "TouchBegan", "TouchMoved", "TouchEnded", "SensorChanged"};
static_assert(std::size(EventNames) == sf::Event::Count);
} // namespace

int EventTally::total() const
{
    int sum = 0;
    for (const auto& [type, count] : counts_)
        sum += count;
    return sum;
}

std::string EventTally::describe() const
{
    std::ostringstream out;
    out << total() << " events";
    const char* separator = ": ";
    for (const auto& [type, count] : counts_)
    {
        out << separator << count << " " << EventNames[type];
        separator = ", ";
    }
    return out.str();
}

GameTest::GameTest()
    : city(physics.world, std::string(ImageFolder), &physics.carPark)
    , game(city, physics)
    , realKeyboard(game.keyHeld)
{
    resetRandom();
    game.keyHeld = [this](sf::Keyboard::Key key) { return held.count(key) > 0; };
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
    {
        game.runFrame();
    }
}

::testing::AssertionResult GameTest::handleInputUntil(const std::string& awaited, const std::function<bool()>& done,
                                                      std::chrono::milliseconds limit)
{
    return waitUntil(awaited, limit, [&] {
        game.handleInput();
        return done();
    }, [&] {
        std::ostringstream seen;
        seen << "the view at " << game.view.getSize().x << " x " << game.view.getSize().y << ", the window "
             << (game.window.isOpen() ? "open" : "closed");
        return seen.str();
    });
}

::testing::AssertionResult GameTest::viewReaches(sf::Vector2f size)
{
    std::ostringstream awaited;
    awaited << "the view to be " << size.x << " x " << size.y;
    return handleInputUntil(awaited.str(), [&] { return game.view.getSize() == size; });
}

::testing::AssertionResult GameTest::waitForQuiet(std::chrono::milliseconds quiet, std::chrono::milliseconds limit)
{
    EventTally came;
    Clock::time_point lastEvent = Clock::now();
    return waitUntil(std::to_string(quiet.count()) + " ms without window events", limit, [&] {
        sf::Event event;
        while (game.window.pollEvent(event))
        {
            came.add(event);
            lastEvent = Clock::now();
        }
        return Clock::now() - lastEvent >= quiet;
    }, [&] { return came.describe() + " keep coming"; });
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

const sf::Texture& GameTest::solidTexture(sf::Color colour, sf::Vector2u size)
{
    sf::Image image;
    image.create(size.x, size.y, colour);
    madeTextures_.emplace_back();
    madeTextures_.back().loadFromImage(image);
    return madeTextures_.back();
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

std::optional<sf::Color> backdropAt(const sf::Image& map, sf::Vector2f centre, sf::Vector2i p)
{
    const float u = (centre.x - 800.0f + static_cast<float>(p.x) + 0.5f) / MapScale;
    const float v = (centre.y - 450.0f + static_cast<float>(p.y) + 0.5f) / MapScale;
    const auto nearEdge = [](float t) { return std::abs(t - std::round(t)) < 0.1f; };
    if (nearEdge(u) || nearEdge(v))
        return std::nullopt;
    const sf::Vector2u size = map.getSize();
    if (u < 0.0f || v < 0.0f || u >= static_cast<float>(size.x) || v >= static_cast<float>(size.y))
        return ClearColour;
    return map.getPixel(static_cast<unsigned>(u), static_cast<unsigned>(v));
}

BackdropComparison compareWithBackdrop(const sf::Image& shown, const sf::Image& map, sf::Vector2f centre,
                                       sf::IntRect skip)
{
    BackdropComparison comparison;
    const sf::Vector2u size = shown.getSize();
    for (int y = 0; y < static_cast<int>(size.y); y += 17)
    {
        for (int x = 0; x < static_cast<int>(size.x); x += 17)
        {
            const std::optional<sf::Color> expected = backdropAt(map, centre, {x, y});
            if (!expected || skip.contains(x, y))
                continue;
            ++comparison.compared;
            const sf::Color actual = pixelAt(shown, {x, y});
            if (coloursNear(actual, *expected, 1) || ++comparison.mismatched > 5)
                continue;
            std::ostringstream where;
            where << "(" << x << ", " << y << ") shows " << actual << " instead of " << *expected << "\n";
            comparison.firstMismatches += where.str();
        }
    }
    return comparison;
}

sf::Color pixelAt(const sf::Image& image, sf::Vector2i p)
{
    return image.getPixel(static_cast<unsigned>(p.x), static_cast<unsigned>(p.y));
}

::testing::AssertionResult coloursNear(sf::Color actual, sf::Color expected, int tolerance)
{
    const int differences[] = {actual.r - expected.r, actual.g - expected.g, actual.b - expected.b,
                               actual.a - expected.a};
    for (int difference : differences)
    {
        if (std::abs(difference) > tolerance)
            return ::testing::AssertionFailure() << actual << " is not " << expected;
    }
    return ::testing::AssertionSuccess();
}

std::ostream& sf::operator<<(std::ostream& out, const sf::Color& colour)
{
    return out << "rgba(" << int(colour.r) << ", " << int(colour.g) << ", " << int(colour.b) << ", "
               << int(colour.a) << ")";
}
