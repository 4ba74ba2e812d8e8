#pragma once

// What one frame takes from the player, apart from any window: the keys held
// when the frame read them and the window's events reduced to what the game
// does with them. A frame played from the same FrameInput plays the same.

#include <cstdint>
#include <vector>

/// The keys a frame reads as held, one bit each in FrameInput::keys.
enum class PlayKey : std::uint8_t
{
    W, A, S, D,  ///< walk up, left, down, right
    Q, E,        ///< recruit hooligans, police
    Z, X         ///< zoom out, in: a step per event while held
};
constexpr std::uint8_t PlayKeyCount = 8;

/// The bit of `key` in FrameInput::keys.
constexpr std::uint8_t keyBit(PlayKey key)
{
    return static_cast<std::uint8_t>(1u << static_cast<unsigned>(key));
}

/// One window event as the frame used it.
struct InputEvent
{
    enum class Kind : std::uint8_t
    {
        Other,        ///< asked nothing, but a held Z or X still zooms on it
        Close,        ///< the window's close button
        Resize,       ///< the window now has `width` x `height` px
        Zoom,         ///< mouse wheel: `zoomSteps` steps, positive to widen as Z does
        Pause,        ///< P, Escape or the pad's Start, first press with the focus
        StartAgain,   ///< F5, first press with the focus
        Overlays,     ///< H, first press with the focus: hide or show the overlays
        CityMap,      ///< M, first press with the focus: hide or show the city map
        ZoomBack      ///< Backspace or the pad's Back, first press with the focus: zoom x1
    };
    static constexpr std::uint8_t KindCount = 9;

    Kind kind = Kind::Other;
    std::uint32_t width = 0;    ///< px, Resize only
    std::uint32_t height = 0;   ///< px, Resize only
    std::int32_t zoomSteps = 0; ///< Zoom only
};

/// Everything one frame took from the player, in the order it took it.
struct FrameInput
{
    std::uint8_t keys = 0;           ///< keyBit of every key held
    std::vector<InputEvent> events;  ///< in the order the window gave them

    bool holds(PlayKey key) const { return (keys & keyBit(key)) != 0; }
};
