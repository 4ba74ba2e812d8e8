#include "desktop/Gamepad.hpp"

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

std::uint8_t padKeys(const PadState& pad)
{
    if (!pad.connected)
        return 0;
    const std::pair<PlayKey, bool> held[] = {
        {PlayKey::W, pad.stickY < -PadLean || pad.crossY > PadLean},
        {PlayKey::A, pad.stickX < -PadLean || pad.crossX < -PadLean},
        {PlayKey::S, pad.stickY > PadLean || pad.crossY < -PadLean},
        {PlayKey::D, pad.stickX > PadLean || pad.crossX > PadLean},
        {PlayKey::Q, buttonHeld(pad, PadHooligansButton)},
        {PlayKey::E, buttonHeld(pad, PadPoliceButton)},
        {PlayKey::Z, buttonHeld(pad, PadZoomOutButton)},
        {PlayKey::X, buttonHeld(pad, PadZoomInButton)}};
    std::uint8_t keys = 0;
    for (const auto& [key, down] : held)
        if (down)
            keys = static_cast<std::uint8_t>(keys | keyBit(key));
    return keys;
}
