#include "desktop/MouseWheel.hpp"

#include <cmath>

namespace tamrow
{
std::int32_t MouseWheel::zoomSteps(const sf::Event& event)
{
    if (event.type != sf::Event::MouseWheelScrolled || event.mouseWheelScroll.wheel != sf::Mouse::VerticalWheel)
        return 0;
    // Up (positive) is toward the screen: nearer, as zoom_in brings it.
    notchRest_ += event.mouseWheelScroll.delta;
    const float whole = std::trunc(notchRest_);
    notchRest_ -= whole;
    return -static_cast<std::int32_t>(whole);
}
} // namespace tamrow
