#pragma once

#include <SFML/Window/Event.hpp>

#include <cstdint>

/// What one window event asks of the picture.
struct SightRequest
{
    bool toggleOverlays = false;  ///< H went down: hide or show the overlays
    /// Zoom steps: one per wheel notch, positive to widen the view as Z does,
    /// negative to narrow it as X does.
    std::int32_t zoomSteps = 0;
};

/// Reads H and the mouse wheel from the window's events. Only the press of H
/// counts: the system's repeats while it is held are passed by, and so is H
/// while the window lacks the focus, when the keyboard belongs to another
/// program. The wheel zooms whatever window it turns over, as it does elsewhere.
class SightEvents
{
public:
    /// What `event` asks for; `focused` tells whether the window has the keyboard.
    SightRequest read(const sf::Event& event, bool focused);

private:
    bool hDown_ = false;      ///< H pressed and not yet released
    float wheelRest_ = 0.0f;  ///< part of a notch turned so far (smooth wheels and touchpads)
};
