#pragma once

#include "desktop/DisplayConnection.hpp"
#include "desktop/Gamepad.hpp"
#include "play/FrameInput.hpp"

#include <array>
#include <cstdint>

/// The keys of PlayKey held now, one keyBit each: the keyboard and the first pad
/// play together, a key held on either counting (padKeys).
///
/// Each read asks the X server once (the whole keymap, on a connection of the
/// reader's own, whose queue nobody else reads) and the pad once. The keys' codes
/// are looked up when the reader is made and again whenever the server says the
/// keyboard mapping changed. Never copied or moved.
class PlayKeyReader
{
public:
    /// Connects to the display once, without waiting: the game's window is open,
    /// so the display is there. Without a connection the keyboard holds nothing.
    explicit PlayKeyReader(PadReader pad = readFirstPad);
    PlayKeyReader(const PlayKeyReader&) = delete;
    PlayKeyReader& operator=(const PlayKeyReader&) = delete;

    /// The keys held now when `focused`; none otherwise, and then nothing is
    /// asked: the keyboard belongs to the window the player is typing into.
    std::uint8_t read(bool focused);

private:
    /// The keyboard's keys held now; a mapping change told meanwhile is taken first.
    std::uint8_t readKeyboard();
    /// The code of each PlayKey's key in the current mapping, 0 for none.
    void lookUpCodes();

    DisplayConnection display_;
    PadReader pad_;
    std::array<std::uint8_t, PlayKeyCount> codes_{};
};
