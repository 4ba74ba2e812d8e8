#pragma once

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
    {"Z / X", "left / right shoulder", "zoom out / in"},
    {"mouse wheel", "", "zoom, a step per notch"},
    {"H", "", "hide or show the marks and the status panel"},
    {"P, Escape", "Start", "pause and resume"},
    {"F5", "", "start again"},
    {"F11", "", "full screen and back"},
    {"F12", "", "screenshot into your pictures folder"},
    {"N", "", "mute and unmute the sound"},
    {"- / =", "", "sound a tenth quieter / louder"},
    {"close button", "", "quit"},
};
