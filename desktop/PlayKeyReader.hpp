#pragma once

#include "desktop/DisplayConnection.hpp"
#include "desktop/Gamepad.hpp"
#include "desktop/KeyLayout.hpp"
#include "play/FrameInput.hpp"

#include <SFML/Window/Keyboard.hpp>

#include <bitset>
#include <cstdint>
#include <optional>

namespace tamrow
{
/// The player's keys, read by their place on the keyboard through a connection
/// of the reader's own to the X display (whose queue nobody else reads), with
/// the first pad playing along:
/// - the held, played actions held now (FrameInput::keys), asked once a frame;
/// - which action a key press of the game's window is, once per press: SFML's
///   KeyPressed events name the key by its letter, as the layout in force
///   prints it, and the reader finds the key that prints it in that layout;
/// - the letters the layout prints on every action's keys.
/// A change of the keyboard, its layout or its group is followed at the next
/// read or press. Never copied or moved.
class PlayKeyReader
{
public:
    /// Connects to the display once, without waiting: the game's window is open,
    /// so the display is there. Without a connection the keyboard holds nothing.
    /// `choices` are the settings' [keys] lines.
    explicit PlayKeyReader(std::vector<KeyLine> choices = {}, PadReader pad = readFirstPad);
    PlayKeyReader(const PlayKeyReader&) = delete;
    PlayKeyReader& operator=(const PlayKeyReader&) = delete;

    /// The held, played actions held now (keyBit each) when `focused`; none
    /// otherwise, and then nothing is asked: the keyboard belongs to the window
    /// the player is typing into.
    std::uint8_t read(bool focused);

    /// What a KeyPressed event of the key SFML names `named` is: the action once
    /// per press of its key, at its first press; nothing for the system's repeats
    /// while it is held, or a key of no such action.
    std::optional<Action> press(sf::Keyboard::Key named);
    /// A KeyReleased event of the key SFML names `named`.
    void release(sf::Keyboard::Key named);
    /// Forgets every key held: once the focus has gone, their releases go elsewhere.
    void forgetAll();
    /// Forgets the keys the X server has up now: a window made anew never hears
    /// the releases that went to the one it replaced.
    void forgetReleased();

    const KeyLayout& layout() const { return layout_; }

private:
    /// Follows what the server has told of the keyboard meanwhile; no wait.
    void take();

    DisplayConnection display_;
    PadReader pad_;
    KeyLayout layout_;
    int xkbEvents_ = -1;     ///< the XKB extension's event type, -1 without it
    std::bitset<256> down_;  ///< key codes pressed and not yet released, by key code
};
} // namespace tamrow
