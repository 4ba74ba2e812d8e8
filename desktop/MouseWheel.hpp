#pragma once

#include <SFML/Window/Event.hpp>

#include <cstdint>

namespace tamrow
{
/// Reads the zoom steps the mouse wheel asks for from the window's events. The
/// wheel zooms whatever window it turns over, as it does elsewhere.
class MouseWheel
{
public:
    /// Zoom steps `event` asks for: one per notch, positive to widen the view as
    /// zoom_out does, negative to narrow it as zoom_in does; 0 for another event.
    std::int32_t zoomSteps(const sf::Event& event);

private:
    float notchRest_ = 0.0f;  ///< part of a notch turned so far (smooth wheels and touchpads)
};
} // namespace tamrow
