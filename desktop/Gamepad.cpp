#include "desktop/Gamepad.hpp"

#include <SFML/Window/Joystick.hpp>

#include <limits>

namespace tamrow
{
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
    std::uint8_t keys = 0;
    for (const ActionRow& row : Actions)
    {
        using Kind = PadInput::Kind;
        const Kind kind = row.pad.kind;
        const bool held = (kind == Kind::Button && buttonHeld(pad, row.pad.button)) ||
                          (kind == Kind::LeanUp && (pad.stickY < -PadLean || pad.crossY > PadLean)) ||
                          (kind == Kind::LeanLeft && (pad.stickX < -PadLean || pad.crossX < -PadLean)) ||
                          (kind == Kind::LeanDown && (pad.stickY > PadLean || pad.crossY < -PadLean)) ||
                          (kind == Kind::LeanRight && (pad.stickX > PadLean || pad.crossX > PadLean));
        if (held && row.press == Press::Held && row.reach == Reach::Played)
            keys = static_cast<std::uint8_t>(keys | keyBit(row.action));
    }
    return keys;
}

std::optional<Action> padPress(unsigned button)
{
    for (const ActionRow& row : Actions)
    {
        if (row.pad.kind == PadInput::Kind::Button && row.pad.button == button && row.press == Press::Once)
            return row.action;
    }
    return std::nullopt;
}
} // namespace tamrow
