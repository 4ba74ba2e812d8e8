#pragma once

#include "play/FrameInput.hpp"

#include <cstdint>
#include <functional>
#include <optional>

namespace tamrow
{
/// How far a stick or the cross must lean (of 100) to count as a walking key:
/// halfway, so a stick resting slightly off centre walks nobody.
constexpr float PadLean = 50.0f;

/// What the first pad shows at one moment: axes from -100 to 100 as SFML gives
/// them (stick y grows downward, cross y upward), one bit per button held.
struct PadState
{
    bool connected = false;
    float stickX = 0.0f;
    float stickY = 0.0f;
    float crossX = 0.0f;
    float crossY = 0.0f;
    std::uint32_t buttons = 0;
};

/// The first joystick as SFML last saw it (updated with the window's events).
PadState readFirstPad();
/// Reads the pad now: readFirstPad, or a test's own pad.
using PadReader = std::function<PadState()>;

/// The held, played actions that `pad` holds, one keyBit each, as Actions' pad column has them.
std::uint8_t padKeys(const PadState& pad);
/// The action once per press of the pad's button `button`, if any.
std::optional<Action> padPress(unsigned button);
} // namespace tamrow
