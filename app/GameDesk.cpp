#include "app/Game.hpp"

#include "app/Gamepad.hpp"
#include "app/PauseScreen.hpp"
#include "app/StatusPanel.hpp"

#include <algorithm>

void Game::answerOnce(const sf::Event& event)
{
    switch (event.type)
    {
    case sf::Event::LostFocus:
        desk.onceKeys.forgetAll();
        return;
    case sf::Event::KeyReleased:
        desk.onceKeys.release(event.key.code);
        return;
    case sf::Event::JoystickButtonPressed:
        if (window.hasFocus() && event.joystickButton.button == PadStartButton)
            togglePause();
        return;
    case sf::Event::KeyPressed:
        break;
    default:
        return;
    }
    if (!window.hasFocus() || !desk.onceKeys.press(event.key.code))
        return;
    switch (event.key.code)
    {
    case sf::Keyboard::P:
    case sf::Keyboard::Escape:
        togglePause();
        break;
    case sf::Keyboard::F5:
        startAgain();
        break;
    case sf::Keyboard::F11:
        toggleFullScreen();
        break;
    case sf::Keyboard::F12:
        desk.screenshotWanted = true;
        break;
    case sf::Keyboard::H:
        overlaysShown = !overlaysShown;
        break;
    default:
        break;
    }
}

void Game::togglePause()
{
    paused = !paused;
}

void Game::startAgain()
{
    if (session == nullptr)
        return;
    session->startAgain();
    city = &session->city();
    physics = &session->physics();
    // The index of the old city's props would draw props that are gone.
    scene = Scene();
    moveX = 0;
    moveY = 0;
    paused = false;
}

void Game::toggleFullScreen()
{
    desk.fullScreen = !desk.fullScreen;
    if (desk.fullScreen)
    {
        desk.windowedSize = window.getSize();
        reopenWindow(sf::VideoMode::getDesktopMode(), sf::Style::Fullscreen);
    }
    else
    {
        reopenWindow(sf::VideoMode(desk.windowedSize.x, desk.windowedSize.y, WindowBitsPerPixel), sf::Style::Default);
    }
}

void Game::drawOnTop()
{
    if (!paused && !(overlaysShown && desk.lettered))
        return;
    const sf::Vector2u size = window.getSize();
    window.setView(sf::View(sf::FloatRect(0.0f, 0.0f, std::max(static_cast<float>(size.x), MinViewSide),
                                          std::max(static_cast<float>(size.y), MinViewSide))));
    if (overlaysShown && desk.lettered)
        StatusPanel::draw(window, desk.font, *city, static_cast<float>(size.x) / view.getSize().x);
    if (paused)
        PauseScreen::draw(window, desk.lettered ? &desk.font : nullptr);
    window.setView(view);
}
