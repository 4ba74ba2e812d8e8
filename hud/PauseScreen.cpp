#include "hud/PauseScreen.hpp"

#include "hud/Palette.hpp"
#include "play/ControlTable.hpp"

#include <SFML/Graphics/RectangleShape.hpp>
#include <SFML/Graphics/Text.hpp>

#include <cmath>
#include <string>
#include <utility>

namespace
{
const sf::Color Dimming(0, 0, 0, 150);
constexpr unsigned TitleSize = 48;     ///< px
constexpr unsigned ControlsSize = 17;  ///< px
/// How far down the window the title stands, as a share of its height.
constexpr float TitleHeight = 0.2f;
constexpr float TitleGap = 30.0f;  ///< px between the title and the controls

constexpr float ColumnGap = 24.0f;  ///< px between the keys and what they do

/// The controls' keys (with the pad's stand-ins) and what they do, one per line each.
std::pair<std::string, std::string> controlColumns()
{
    std::string keys, actions;
    for (const Control& control : Controls)
    {
        const std::string pad = *control.pad == '\0' ? "" : std::string(", ") + control.pad;
        keys += (keys.empty() ? "" : "\n") + std::string(control.keys) + pad;
        actions += (actions.empty() ? "" : "\n") + std::string(control.action);
    }
    return {keys, actions};
}

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
    // Two columns, the keys and what they do, centred together.
    const auto [keyLines, actionLines] = controlColumns();
    sf::Text keys(keyLines, *font, ControlsSize);
    sf::Text actions(actionLines, *font, ControlsSize);
    keys.setFillColor(Lettering);
    actions.setFillColor(Lettering);
    const float keysWidth = keys.getLocalBounds().left + keys.getLocalBounds().width;
    const float actionsWidth = actions.getLocalBounds().left + actions.getLocalBounds().width;
    const float left = std::round((size.x - keysWidth - ColumnGap - actionsWidth) / 2.0f);
    const float top = title.getPosition().y + static_cast<float>(TitleSize) + TitleGap;
    keys.setPosition(left, top);
    actions.setPosition(std::round(left + keysWidth + ColumnGap), top);
    target.draw(keys);
    target.draw(actions);
}
