#pragma once

#include "play/FrameInput.hpp"

#include <cstdint>
#include <functional>

/// Buttons of a common two-stick pad as Linux numbers them.
constexpr unsigned PadHooligansButton = 0;  ///< bottom face button: as Q
constexpr unsigned PadPoliceButton = 1;     ///< right face button: as E
constexpr unsigned PadZoomOutButton = 4;    ///< left shoulder: as Z
constexpr unsigned PadZoomInButton = 5;     ///< right shoulder: as X
constexpr unsigned PadBackButton = 6;       ///< Back: zoom x1, as Backspace
constexpr unsigned PadStartButton = 7;      ///< Start: pauses and resumes, as P
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

/// The keys of PlayKey that `pad` holds, one keyBit each: the stick or the cross
/// for W, A, S, D, the face buttons for Q and E, the shoulders for Z and X.
std::uint8_t padKeys(const PadState& pad);
