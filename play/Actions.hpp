#pragma once

// Everything the player can do, one row each, as plain data: the key reader,
// the window's events, the pad, the pause screen, the help card, --help, the
// manual page and the replays all read this table. Adding an action is its
// row here and its handler (Play for what changes the game, Game for the rest).

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace tamrow
{
/// One per row of Actions, in its order.
enum class Action : std::uint8_t
{
    WalkUp,
    WalkLeft,
    WalkDown,
    WalkRight,
    RecruitHooligans,
    RecruitPolice,
    ZoomOut,
    ZoomIn,
    Pause,
    StartAgain,
    ToggleMarks,
    ToggleMap,
    ZoomBack,
    Slower,
    Faster,
    FullScreen,
    Screenshot,
    Mute,
    VolumeDown,
    VolumeUp,
    InstantReplay,
    JumpBack,
    JumpForward,
};

/// A place on the keyboard, whatever its layout prints there: the XKB key name
/// of the place (the same on every layout) and what a US keyboard prints there.
struct KeyPlace
{
    const char* xkbName;
    const char* usLabel;
};
/// No second key.
inline constexpr KeyPlace NoPlace{"", ""};

/// What stands in for a key on a common two-stick pad: a button as Linux
/// numbers it, or a lean of the left stick or the cross.
struct PadInput
{
    enum class Kind : std::uint8_t
    {
        None,
        Button,
        LeanUp,
        LeanLeft,
        LeanDown,
        LeanRight
    };
    Kind kind;
    unsigned button;  ///< Button only
    const char* words;
};
inline constexpr PadInput NoPad{PadInput::Kind::None, 0, ""};

/// Whether an action lasts while its key is held, or acts once per press
/// (the system's repeats of a held key passed by).
enum class Press : std::uint8_t
{
    Held,
    Once
};

/// Whether a replay records the action (it changes the game or its view), or
/// only the desktop around the game sees it (full screen, screenshots, sound).
enum class Reach : std::uint8_t
{
    Played,
    Desktop
};

struct ActionRow
{
    Action action;
    const char* name;    ///< in the settings' [keys] section
    KeyPlace key;        ///< its default place
    KeyPlace otherKey;   ///< a second default place, or NoPlace
    PadInput pad;
    Press press;
    Reach reach;
    /// What it does, in the player's words; "{name}" stands for the key of
    /// the action of that name, in the letters the keyboard prints.
    const char* words;
};

namespace Place
{
inline constexpr KeyPlace W{"AD02", "W"}, A{"AC01", "A"}, S{"AC02", "S"}, D{"AC03", "D"};
inline constexpr KeyPlace Q{"AD01", "Q"}, E{"AD03", "E"}, Z{"AB01", "Z"}, X{"AB02", "X"};
inline constexpr KeyPlace P{"AD10", "P"}, H{"AC06", "H"}, M{"AB07", "M"}, N{"AB06", "N"};
inline constexpr KeyPlace Comma{"AB08", ","}, Period{"AB09", "."};
inline constexpr KeyPlace Minus{"AE11", "-"}, Equal{"AE12", "="}, Backspace{"BKSP", "BackSpace"};
inline constexpr KeyPlace R{"AD04", "R"}, Left{"LEFT", "Left"}, Right{"RGHT", "Right"};
inline constexpr KeyPlace Escape{"ESC", "Escape"}, F5{"FK05", "F5"}, F11{"FK11", "F11"}, F12{"FK12", "F12"};
} // namespace Place

namespace Pad
{
inline constexpr PadInput Up{PadInput::Kind::LeanUp, 0, "stick or cross up"};
inline constexpr PadInput Left{PadInput::Kind::LeanLeft, 0, "stick or cross left"};
inline constexpr PadInput Down{PadInput::Kind::LeanDown, 0, "stick or cross down"};
inline constexpr PadInput Right{PadInput::Kind::LeanRight, 0, "stick or cross right"};
inline constexpr PadInput BottomFace{PadInput::Kind::Button, 0, "bottom face button"};
inline constexpr PadInput RightFace{PadInput::Kind::Button, 1, "right face button"};
inline constexpr PadInput LeftShoulder{PadInput::Kind::Button, 4, "left shoulder"};
inline constexpr PadInput RightShoulder{PadInput::Kind::Button, 5, "right shoulder"};
inline constexpr PadInput Back{PadInput::Kind::Button, 6, "Back"};
inline constexpr PadInput Start{PadInput::Kind::Button, 7, "Start"};
} // namespace Pad

/// Every action, in the order the pause screen, --help, the manual page and
/// the README list them. A replay stores a held, played action as a bit of its
/// frame's keys and a played action once per press as an event kind, both
/// counted in this order (ReplayFormat.hpp): new played actions go after the
/// last of their kind, or old recordings would play otherwise.
inline constexpr ActionRow Actions[] = {
    {Action::WalkUp, "walk_up", Place::W, NoPlace, Pad::Up, Press::Held, Reach::Played,
     "walk up"},
    {Action::WalkLeft, "walk_left", Place::A, NoPlace, Pad::Left, Press::Held, Reach::Played,
     "walk left"},
    {Action::WalkDown, "walk_down", Place::S, NoPlace, Pad::Down, Press::Held, Reach::Played,
     "walk down ({walk_up} wins)"},
    {Action::WalkRight, "walk_right", Place::D, NoPlace, Pad::Right, Press::Held, Reach::Played,
     "walk right ({walk_left} wins)"},
    {Action::RecruitHooligans, "recruit_hooligans", Place::Q, NoPlace, Pad::BottomFace, Press::Held, Reach::Played,
     "people next to you become hooligans"},
    {Action::RecruitPolice, "recruit_police", Place::E, NoPlace, Pad::RightFace, Press::Held, Reach::Played,
     "people next to you become police, {recruit_hooligans} held or not"},
    {Action::ZoomOut, "zoom_out", Place::Z, NoPlace, Pad::LeftShoulder, Press::Held, Reach::Played,
     "zoom out while held; the mouse wheel too"},
    {Action::ZoomIn, "zoom_in", Place::X, NoPlace, Pad::RightShoulder, Press::Held, Reach::Played,
     "zoom in while held; the mouse wheel too"},
    {Action::Pause, "pause", Place::P, Place::Escape, Pad::Start, Press::Once, Reach::Played,
     "pause and resume, and this list"},
    {Action::StartAgain, "start_again", Place::F5, NoPlace, NoPad, Press::Once, Reach::Played,
     "start again: a fresh city"},
    {Action::ToggleMarks, "toggle_marks", Place::H, NoPlace, NoPad, Press::Once, Reach::Played,
     "hide or show the marks, the map, the pointer and the panel"},
    {Action::ToggleMap, "toggle_map", Place::M, NoPlace, NoPad, Press::Once, Reach::Played,
     "hide or show the city map"},
    {Action::ZoomBack, "zoom_back", Place::Backspace, NoPlace, Pad::Back, Press::Once, Reach::Played,
     "zoom back to x1"},
    {Action::Slower, "slower", Place::Comma, NoPlace, NoPad, Press::Once, Reach::Played,
     "the game slower, down to x1/4"},
    {Action::Faster, "faster", Place::Period, NoPlace, NoPad, Press::Once, Reach::Played,
     "the game faster, up to x8; {start_again} starts at x1"},
    {Action::FullScreen, "full_screen", Place::F11, NoPlace, NoPad, Press::Once, Reach::Desktop,
     "full screen and back"},
    {Action::Screenshot, "screenshot", Place::F12, NoPlace, NoPad, Press::Once, Reach::Desktop,
     "a screenshot into your pictures folder"},
    {Action::Mute, "mute", Place::N, NoPlace, NoPad, Press::Once, Reach::Desktop,
     "mute and unmute the sound"},
    {Action::VolumeDown, "volume_down", Place::Minus, NoPlace, NoPad, Press::Once, Reach::Desktop,
     "the sound a tenth quieter"},
    {Action::VolumeUp, "volume_up", Place::Equal, NoPlace, NoPad, Press::Once, Reach::Desktop,
     "the sound a tenth louder"},
    {Action::InstantReplay, "instant_replay", Place::R, NoPlace, NoPad, Press::Once, Reach::Desktop,
     "the last 30 s again, the game waiting; {instant_replay} or Escape back"},
    {Action::JumpBack, "jump_back", Place::Left, NoPlace, NoPad, Press::Once, Reach::Desktop,
     "in a replay: 5 s back"},
    {Action::JumpForward, "jump_forward", Place::Right, NoPlace, NoPad, Press::Once, Reach::Desktop,
     "in a replay: 5 s on"},
};
constexpr std::size_t ActionCount = sizeof(Actions) / sizeof(Actions[0]);

/// The row of `action`.
constexpr const ActionRow& rowOf(Action action)
{
    return Actions[static_cast<std::size_t>(action)];
}

static_assert([] {
    for (std::size_t row = 0; row < ActionCount; ++row)
    {
        if (static_cast<std::size_t>(Actions[row].action) != row)
            return false;
    }
    return true;
}(), "Actions holds each action in its own row, in Action's order");

/// How many rows before `action` share its press and its reach: its bit among
/// the held played actions, or its place among the played ones once per press.
constexpr unsigned rankOf(Action action)
{
    unsigned rank = 0;
    for (std::size_t row = 0; row < static_cast<std::size_t>(action); ++row)
        rank += Actions[row].press == rowOf(action).press && Actions[row].reach == rowOf(action).reach;
    return rank;
}

/// How the keys are read, for the texts that list them with a US keyboard's letters.
inline constexpr const char* KeysByPlace = "by position (W A S D on a US keyboard)";
/// What the pointer's first button does in a replay, which no key does.
inline constexpr const char* ReplayClicks =
    "In a replay, a click on the city map looks there and one on the time bar jumps there.";

/// The action named `name` in the settings' [keys] section, if any.
std::optional<Action> actionNamed(const std::string& name);

/// What the keys of an action are called: "P, Escape", or "Z" on a French keyboard.
using KeyNames = std::function<std::string(Action)>;

/// The default keys of `action` as a US keyboard prints them: "P, Escape".
std::string usKeysOf(Action action);

/// The words of `action`, every "{name}" in them replaced by `keysOf` that action.
std::string wordsOf(Action action, const KeyNames& keysOf);
} // namespace tamrow
