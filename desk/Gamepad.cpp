#include "desk/Gamepad.hpp"

#include <SFML/Window/Joystick.hpp>

#include <limits>
#include <utility>

namespace
{
constexpr unsigned FirstPad = 0;
// SFML reports at most ButtonCount buttons; each needs its own bit, or the shift overflows.
static_assert(sf::Joystick::ButtonCount <= std::numeric_limits<decltype(PadState::buttons)>::digits);

bool buttonHeld(const PadState& pad, unsigned button)
{
    return ((pad.buttons >> button) & 1u) != 0;
}
} // namespace

PadState readFirstPad()
{
    PadState pad;
    pad.connected = sf::Joystick::isConnected(FirstPad);
    if (!pad.connected)
        return pad;
    pad.stickX = sf::Joystick::getAxisPosition(FirstPad, sf::Joystick::X);
    pad.stickY = sf::Joystick::getAxisPosition(FirstPad, sf::Joystick::Y);
    pad.crossX = sf::Joystick::getAxisPosition(FirstPad, sf::Joystick::PovX);
    pad.crossY = sf::Joystick::getAxisPosition(FirstPad, sf::Joystick::PovY);
    const unsigned count = sf::Joystick::getButtonCount(FirstPad);
    for (unsigned button = 0; button < count; ++button)
        if (sf::Joystick::isButtonPressed(FirstPad, button))
            pad.buttons |= 1u << button;
    return pad;
}

bool padHolds(const PadState& pad, sf::Keyboard::Key key)
{
    if (!pad.connected)
        return false;
    switch (key)
    {
    case sf::Keyboard::W:
        return pad.stickY < -PadLean || pad.crossY > PadLean;
    case sf::Keyboard::S:
        return pad.stickY > PadLean || pad.crossY < -PadLean;
    case sf::Keyboard::A:
        return pad.stickX < -PadLean || pad.crossX < -PadLean;
    case sf::Keyboard::D:
        return pad.stickX > PadLean || pad.crossX > PadLean;
    case sf::Keyboard::Q:
        return buttonHeld(pad, PadHooligansButton);
    case sf::Keyboard::E:
        return buttonHeld(pad, PadPoliceButton);
    case sf::Keyboard::Z:
        return buttonHeld(pad, PadZoomOutButton);
    case sf::Keyboard::X:
        return buttonHeld(pad, PadZoomInButton);
    default:
        return false;
    }
}

std::function<bool(sf::Keyboard::Key)> withPad(std::function<bool(sf::Keyboard::Key)> keys, PadReader pad)
{
    return [keys = std::move(keys), pad = std::move(pad)](sf::Keyboard::Key key) {
        return keys(key) || padHolds(pad(), key);
    };
}
