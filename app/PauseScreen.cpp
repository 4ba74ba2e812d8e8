#include "app/PauseScreen.hpp"

#include <SFML/Graphics/RectangleShape.hpp>
#include <SFML/Graphics/Text.hpp>

#include <cmath>

namespace
{
const sf::Color Dimming(0, 0, 0, 150);
const sf::Color Lettering(235, 235, 235);
constexpr unsigned TitleSize = 48;     ///< px
constexpr unsigned ControlsSize = 17;  ///< px
/// How far down the window the title stands, as a share of its height.
constexpr float TitleHeight = 0.2f;
constexpr float TitleGap = 30.0f;  ///< px between the title and the controls

const char* const ControlsList =
    "W A S D, the left stick or the cross     walk\n"
    "Q or the bottom face button     people next to you become hooligans\n"
    "E or the right face button     people next to you become police\n"
    "Z / X or the left / right shoulder     zoom out / in\n"
    "P, Escape or Start     pause and resume\n"
    "F5     start again\n"
    "F11     full screen\n"
    "F12     screenshot into your pictures folder\n"
    "H     hide or show the status panel";

/// Puts `text` with its top at `top` px, centred across a target `width` px wide, on whole pixels.
void centre(sf::Text& text, float width, float top)
{
    const sf::FloatRect bounds = text.getLocalBounds();
    text.setPosition(std::round((width - bounds.width) / 2.0f - bounds.left), std::round(top));
}
} // namespace

void PauseScreen::draw(sf::RenderTarget& target, const sf::Font* font)
{
    const sf::Vector2f size(static_cast<float>(target.getSize().x), static_cast<float>(target.getSize().y));
    sf::RectangleShape dim(size);
    dim.setFillColor(Dimming);
    target.draw(dim);
    if (font == nullptr)
        return;
    sf::Text title("Paused", *font, TitleSize);
    title.setFillColor(Lettering);
    centre(title, size.x, size.y * TitleHeight);
    target.draw(title);
    sf::Text controls(ControlsList, *font, ControlsSize);
    controls.setFillColor(Lettering);
    centre(controls, size.x, title.getPosition().y + static_cast<float>(TitleSize) + TitleGap);
    target.draw(controls);
}
