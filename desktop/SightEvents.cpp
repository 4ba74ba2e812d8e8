#include "desktop/SightEvents.hpp"

#include <cmath>

SightRequest SightEvents::read(const sf::Event& event, bool focused)
{
    SightRequest request;
    switch (event.type)
    {
    case sf::Event::KeyPressed:
        if (event.key.code == sf::Keyboard::H)
        {
            // A press while H is already down is the system repeating it.
            request.toggleOverlays = focused && !hDown_;
            hDown_ = true;
        }
        break;
    case sf::Event::KeyReleased:
        if (event.key.code == sf::Keyboard::H)
            hDown_ = false;
        break;
    case sf::Event::LostFocus:
        // Its release will go to another window.
        hDown_ = false;
        break;
    case sf::Event::MouseWheelScrolled:
        if (event.mouseWheelScroll.wheel == sf::Mouse::VerticalWheel)
        {
            // Up (positive) is toward the screen: nearer, as X brings it.
            wheelRest_ += event.mouseWheelScroll.delta;
            const float whole = std::trunc(wheelRest_);
            wheelRest_ -= whole;
            request.zoomSteps = -static_cast<std::int32_t>(whole);
        }
        break;
    default:
        break;
    }
    return request;
}
