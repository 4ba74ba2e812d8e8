#include "app/Game.hpp"

#include "app/Gamepad.hpp"
#include "app/PauseScreen.hpp"
#include "app/StatusPanel.hpp"

#include <algorithm>

InputEvent::Kind Game::answerOnce(const sf::Event& event)
{
    using Kind = InputEvent::Kind;
    switch (event.type)
    {
    case sf::Event::LostFocus:
        desk.onceKeys.forgetAll();
        return Kind::Other;
    case sf::Event::KeyReleased:
        desk.onceKeys.release(event.key.code);
        return Kind::Other;
    case sf::Event::JoystickButtonPressed:
        return window.hasFocus() && event.joystickButton.button == PadStartButton ? Kind::Pause : Kind::Other;
    case sf::Event::KeyPressed:
        break;
    default:
        return Kind::Other;
    }
    // H is SightEvents' own: it passes by the repeats itself.
    if (!window.hasFocus() || !desk.onceKeys.press(event.key.code))
        return Kind::Other;
    switch (event.key.code)
    {
    case sf::Keyboard::P:
    case sf::Keyboard::Escape:
        return Kind::Pause;
    case sf::Keyboard::F5:
        return Kind::StartAgain;
    case sf::Keyboard::F11:
        toggleFullScreen();
        return Kind::Other;
    case sf::Keyboard::F12:
        desk.screenshotWanted = true;
        return Kind::Other;
    default:
        return Kind::Other;
    }
}

void Game::startAgain()
{
    Play::startAgain();
    // The index of the old city's props would draw props that are gone.
    scene = Scene();
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
