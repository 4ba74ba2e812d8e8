#include "support/GameFixture.hpp"

#include "support/TestCity.hpp"

#include <SFML/Window/Event.hpp>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <sstream>
#include <thread>

namespace
{
using Clock = std::chrono::steady_clock;
} // namespace

GameTest::GameTest()
    : city(physics.world, std::string(ImageFolder), &physics.carPark)
    , game(city, physics)
    , realKeyboard(game.keyHeld)
{
    resetRandom();
    game.keyHeld = [this](sf::Keyboard::Key key) { return held.count(key) > 0; };
    game.window.setFramerateLimit(0);
    game.window.setPosition(sf::Vector2i(0, 0));
    // The city's frame alone: the status panel's own pixels are checked apart.
    game.overlaysShown = false;
    city.population = PopulationLimit;
    drainEvents();
}

void GameTest::hold(std::initializer_list<sf::Keyboard::Key> keys)
{
    held.insert(keys);
}

void GameTest::release(std::initializer_list<sf::Keyboard::Key> keys)
{
    for (sf::Keyboard::Key key : keys)
        held.erase(key);
}

void GameTest::releaseAll()
{
    held.clear();
}

void GameTest::loop(int times)
{
    for (int i = 0; i < times; ++i)
    {
        game.runFrame();
    }
}

bool GameTest::handleInputUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout)
{
    const Clock::time_point deadline = Clock::now() + timeout;
    for (;;)
    {
        game.handleInput();
        if (done())
            return true;
        if (Clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

int GameTest::drainEvents(std::chrono::milliseconds quiet)
{
    int drained = 0;
    Clock::time_point lastEvent = Clock::now();
    while (Clock::now() - lastEvent < quiet)
    {
        sf::Event event;
        while (game.window.pollEvent(event))
        {
            ++drained;
            lastEvent = Clock::now();
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return drained;
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

void WindowEventsTest::wiggle(int count)
{
    for (int i = 0; i < count; ++i)
    {
        ++wiggles_;
        x_.warpPointer(300 + (wiggles_ % 50) * 7, 200 + (wiggles_ % 3) * 5);
    }
}

sf::Vector2f WindowEventsTest::zoomed(sf::Vector2f size, float factor, int times)
{
    for (int i = 0; i < times; ++i)
        size = sf::Vector2f(size.x * factor, size.y * factor);
    return size;
}

void WindowEventsTest::expectViewStays(sf::Vector2f size)
{
    EXPECT_FALSE(handleInputUntil([&] { return game.view.getSize() != size; }, std::chrono::milliseconds(200)))
        << "the view changed to " << game.view.getSize().x << " x " << game.view.getSize().y;
}

bool WindowEventsTest::viewReaches(sf::Vector2f size)
{
    return handleInputUntil([&] { return game.view.getSize() == size; });
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
            if (coloursNear(actual, *expected, 1))
                continue;
            if (++comparison.mismatched <= 5)
            {
                std::ostringstream where;
                where << "(" << x << ", " << y << ") shows " << actual << " instead of " << *expected << "\n";
                comparison.firstMismatches += where.str();
            }
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
