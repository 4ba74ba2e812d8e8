#include "app/Game.hpp"

#include <SFML/Window/Event.hpp>

#include <algorithm>
#include <cmath>

namespace
{
/// One frame of the walking ramp on one axis toward `direction` (-1 or +1):
/// from rest or from the other way the axis starts at 11 m/s, then gains
/// 1 m/s per frame until WalkTopSpeed.
void rampToward(std::int32_t& speed, std::int32_t direction)
{
    if (direction < 0)
    {
        if (speed > -WalkRampStart)
            speed = -WalkRampStart;
        if (speed > -WalkTopSpeed)
            --speed;
    }
    else
    {
        if (speed < WalkRampStart)
            speed = WalkRampStart;
        if (speed < WalkTopSpeed)
            ++speed;
    }
}

/// The view size (px) that shows one view pixel per window pixel on a window of
/// `windowSize` px, each side at least MinViewSide.
sf::Vector2f unzoomedViewSize(sf::Vector2u windowSize)
{
    return sf::Vector2f(std::max(static_cast<float>(windowSize.x), MinViewSide),
                        std::max(static_cast<float>(windowSize.y), MinViewSide));
}

/// The whole-metre cell of a coordinate (m), truncated toward zero.
std::int32_t cellOf(float coordinate)
{
    return static_cast<std::int32_t>(coordinate);
}
} // namespace

void Game::handleInput()
{
    sf::Event event;
    while (window.pollEvent(event))
    {
        if (event.type == sf::Event::Closed)
            window.close();
        answerOnce(event);
        // Zoom keys are looked at once per event of any kind, not per frame.
        if (keyHeld(sf::Keyboard::Z))
            zoomView(ZoomOutFactor);
        if (keyHeld(sf::Keyboard::X))
            zoomView(ZoomInFactor);
        // Back to one view pixel per window pixel, undoing any zoom.
        if (event.type == sf::Event::Resized)
            fitViewToWindow(sf::Vector2u(event.size.width, event.size.height));
    }

    if (city->actors.empty() || paused)
        return;

    // Up beats down and left beats right when both keys of an axis are held.
    if (keyHeld(sf::Keyboard::W))
    {
        rampToward(moveY, -1);
        applyWalkingVelocity();
    }
    else if (keyHeld(sf::Keyboard::S))
    {
        rampToward(moveY, +1);
        applyWalkingVelocity();
    }
    if (keyHeld(sf::Keyboard::A))
    {
        rampToward(moveX, -1);
        applyWalkingVelocity();
    }
    else if (keyHeld(sf::Keyboard::D))
    {
        rampToward(moveX, +1);
        applyWalkingVelocity();
    }
    if (!keyHeld(sf::Keyboard::A) && !keyHeld(sf::Keyboard::D))
        moveX = 0;
    if (!keyHeld(sf::Keyboard::W) && !keyHeld(sf::Keyboard::S))
    {
        moveY = 0;
        applyWalkingVelocity();
    }

    // With both held, E comes last and wins.
    if (keyHeld(sf::Keyboard::Q))
        recruitHooligans();
    if (keyHeld(sf::Keyboard::E))
        recruitPolice();
}

void Game::fitViewToWindow(sf::Vector2u windowSize)
{
    view.setSize(unzoomedViewSize(windowSize));
    window.setView(view);
}

void Game::zoomView(float factor)
{
    // The bounds follow the window as the last resize event left it.
    const sf::Vector2f unzoomed = unzoomedViewSize(window.getSize());
    const float width = view.getSize().x;
    const float zoomedWidth = width * factor;
    const float widest = unzoomed.x * ZoomLimit;
    const float narrowest = unzoomed.x / ZoomLimit;
    // A step that would pass a bound stops on it, both sides together; a view
    // already at or past the bound stays where it is.
    if (factor > 1.0f && zoomedWidth > widest)
    {
        if (width < widest)
            view.setSize(unzoomed * ZoomLimit);
    }
    else if (factor < 1.0f && zoomedWidth < narrowest)
    {
        if (width > narrowest)
            view.setSize(unzoomed / ZoomLimit);
    }
    else
    {
        view.zoom(factor);
    }
}

void Game::applyWalkingVelocity()
{
    city->actors[0].body->SetLinearVelocity(
        b2Vec2(static_cast<float>(moveX), static_cast<float>(moveY)));
}

void Game::recruitHooligans()
{
    recruit(Faction::Hooli, TextureId::Hooli);
}

void Game::recruitPolice()
{
    recruit(Faction::Police, TextureId::Police);
}

void Game::recruit(Faction side, TextureId image)
{
    std::vector<Actor>& actors = city->actors;
    // Index 0 is the character itself and is never recruited.
    for (std::size_t i = 1; i < actors.size(); ++i)
    {
        const b2Vec2 character = actors[0].body->GetPosition();
        const b2Vec2 other = actors[i].body->GetPosition();
        // Differences in double: a parked body is 100 km away, too far for an int square.
        const double dx = cellOf(character.x) - cellOf(other.x);
        const double dy = cellOf(character.y) - cellOf(other.y);
        if (std::sqrt(dx * dx + dy * dy) < RecruitRange)
        {
            actors[i].faction = side;
            city->dress(actors[i].sprite, image);
        }
    }
}
