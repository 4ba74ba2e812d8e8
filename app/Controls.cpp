#include "app/Game.hpp"

#include <SFML/Window/Event.hpp>

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
        const SightRequest sight = sightEvents.read(event, window.hasFocus());
        if (sight.toggleOverlays)
            overlaysShown = !overlaysShown;
        for (std::int32_t step = 0; step < sight.zoomSteps; ++step)
            zoomView(ZoomOutFactor);
        for (std::int32_t step = 0; step > sight.zoomSteps; --step)
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
        moveY = rampToward(moveY, -1);
        applyWalkingVelocity();
    }
    else if (keyHeld(sf::Keyboard::S))
    {
        moveY = rampToward(moveY, +1);
        applyWalkingVelocity();
    }
    if (keyHeld(sf::Keyboard::A))
    {
        moveX = rampToward(moveX, -1);
        applyWalkingVelocity();
    }
    else if (keyHeld(sf::Keyboard::D))
    {
        moveX = rampToward(moveX, +1);
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
    view.setSize(zoomedViewSize(view.getSize(), unzoomedViewSize(window.getSize()), factor));
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
        if (withinRecruitingReach(actors[0].body->GetPosition(), actors[i].body->GetPosition()))
        {
            actors[i].faction = side;
            city->dress(actors[i].sprite, image);
        }
    }
}
