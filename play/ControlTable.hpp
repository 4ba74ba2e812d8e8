#pragma once

#include <cstddef>

/// One control the player has: the keys, what stands in for them on a pad (empty
/// if nothing), and what it does, in the player's words.
struct Control
{
    const char* keys;
    const char* pad;
    const char* action;
};

/// Every control, in the order the pause screen, --help and the README list them.
inline constexpr Control Controls[] = {
    {"W A S D", "left stick, cross", "walk"},
    {"Q", "bottom face button", "people next to you become hooligans"},
    {"E", "right face button", "people next to you become police"},
    {"M", "", "show or hide the city map"},
    {"P, Escape", "Start", "pause and resume, and every control listed"},
    {"Z / X", "left / right shoulder", "zoom out / in"},
    {"mouse wheel", "", "zoom, a step per notch"},
    {"Backspace", "Back", "zoom back to x1"},
    {"H", "", "hide or show the marks, the map and the status panel"},
    {"F5", "", "start again"},
    {"F11", "", "full screen and back"},
    {"F12", "", "screenshot into your pictures folder"},
    {"N", "", "mute and unmute the sound"},
    {"- / =", "", "sound a tenth quieter / louder"},
    {"close button", "", "quit"},
};
/// The first controls, which the help card on the first start shows.
constexpr std::size_t FirstControls = 5;
