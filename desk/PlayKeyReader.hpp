#pragma once

#include "desk/DisplayConnection.hpp"
#include "desk/Gamepad.hpp"
#include "desk/KeyLayout.hpp"
#include "play/FrameInput.hpp"

#include <bitset>
#include <cstdint>
#include <deque>
#include <optional>

/// The player's keys, read by their place on the keyboard through a connection
/// of the reader's own to the X display (whose queue nobody else reads), with
/// the first pad playing along:
/// - the held, played actions held now (FrameInput::keys), asked once a frame;
/// - which action a key press of the game's window is, once per press: the
///   window's KeyPressed events come through SFML, which tells the letter but
///   not the key's place, so the reader hears the window's presses too, in the
///   same order, and answers each KeyPressed with the press it heard;
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

    /// Hears the key presses of X window `window` from now on (the game's, made
    /// anew by full screen), and none of the window before.
    void watch(unsigned long window);
    /// What the watched window's next KeyPressed event is: the action once per
    /// press of its key, at its first press; nothing for a repeat while it is
    /// held, a key of no such action, or a press the reader never heard. To be
    /// asked once for each KeyPressed of the window, in order, with the focus or not.
    std::optional<Action> press();
    /// Forgets every key held: once the focus has gone, their releases go elsewhere.
    void forgetAll();
    /// Forgets the keys the X server has up now: a window made anew never hears
    /// the releases that went to the one it replaced.
    void forgetReleased();

    const KeyLayout& layout() const { return layout_; }

private:
    /// A key going down or up in the watched window.
    struct KeyChange
    {
        bool down;
        unsigned char code;
    };
    /// Moves what the server has sent to waiting_, following keyboard changes; no wait.
    void take();

    DisplayConnection display_;
    PadReader pad_;
    KeyLayout layout_;
    int xkbEvents_ = -1;           ///< the XKB extension's event type, -1 without it
    unsigned long window_ = 0;     ///< the window heard
    std::deque<KeyChange> waiting_;  ///< heard, not yet matched with the window's KeyPressed events
    std::bitset<256> down_;        ///< key codes held down, by what was matched
    unsigned owed_ = 0;            ///< presses answered unheard: the next ones heard are theirs
};
