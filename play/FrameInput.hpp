#pragma once

// What one frame takes from the player, apart from any window: the keys held
// when the frame read them and the window's events reduced to what the game
// does with them. A frame played from the same FrameInput plays the same.

#include "play/Actions.hpp"

#include <cstdint>
#include <vector>

namespace tamrow
{
/// The bit of a held, played action in FrameInput::keys.
constexpr std::uint8_t keyBit(Action action)
{
    return static_cast<std::uint8_t>(1u << rankOf(action));
}

/// One window event as the frame used it.
struct InputEvent
{
    enum class Kind : std::uint8_t
    {
        Other,   ///< asked nothing, but a held zoom key still zooms on it
        Close,   ///< the window's close button
        Resize,  ///< the window now has `width` x `height` px
        Zoom,    ///< mouse wheel: `zoomSteps` steps, positive to widen as zoom_out does
        Act      ///< the first press of the key (or pad button) of a played action once per press, with the focus
    };

    Kind kind = Kind::Other;
    std::uint32_t width = 0;        ///< px, Resize only
    std::uint32_t height = 0;       ///< px, Resize only
    std::int32_t zoomSteps = 0;     ///< Zoom only
    Action action = Action::Pause;  ///< Act only

    bool acts(Action asked) const { return kind == Kind::Act && action == asked; }
};

/// The event of a press of `action`'s key.
constexpr InputEvent actEvent(Action action)
{
    return {InputEvent::Kind::Act, 0, 0, 0, action};
}

/// Everything one frame took from the player, in the order it took it.
struct FrameInput
{
    std::uint8_t keys = 0;           ///< keyBit of every held, played action held
    std::vector<InputEvent> events;  ///< in the order the window gave them

    bool holds(Action action) const { return (keys & keyBit(action)) != 0; }
};
} // namespace tamrow
