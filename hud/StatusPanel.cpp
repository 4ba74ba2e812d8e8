#include "hud/StatusPanel.hpp"

#include "life/Simulation.hpp"
#include "hud/Palette.hpp"

#include <SFML/Graphics/RectangleShape.hpp>
#include <SFML/Graphics/Text.hpp>

#include <cmath>
#include <cstdio>
#include <string>

namespace tamrow
{
namespace
{
constexpr unsigned CharacterSize = 16;  ///< px
constexpr float LineHeight = static_cast<float>(StatusPanel::LineHeight);  ///< px between the tops of two lines
constexpr float Padding = 10.0f;        ///< px inside the panel's edge
const sf::Color PanelBackground(0, 0, 0, 170);
constexpr std::array<const char*, 3> SideNames = {"civilians", "hooligans", "police"};

/// One line of the panel: `label` on the left, `value` flush right, both in
/// whole pixels so that the glyphs are drawn unblurred.
void drawLine(sf::RenderTarget& target, const sf::Font& font, const sf::IntRect& panel, int line,
              const std::string& label, const std::string& value, sf::Color colour)
{
    const float top = static_cast<float>(panel.top) + Padding + LineHeight * static_cast<float>(line);
    sf::Text left(label, font, CharacterSize);
    left.setFillColor(colour);
    left.setPosition(static_cast<float>(panel.left) + Padding, top);
    target.draw(left);
    sf::Text right(value, font, CharacterSize);
    right.setFillColor(colour);
    const float width = right.getLocalBounds().left + right.getLocalBounds().width;
    right.setPosition(std::round(static_cast<float>(panel.left + panel.width) - Padding - width), top);
    target.draw(right);
}
} // namespace

sf::IntRect StatusPanel::placeIn(sf::Vector2u windowSize, bool speedShown)
{
    const sf::IntRect panel(static_cast<int>(windowSize.x) - static_cast<int>(Width + Margin),
                            static_cast<int>(Margin), static_cast<int>(Width),
                            static_cast<int>(Height + (speedShown ? StatusPanel::LineHeight : 0)));
    const sf::IntRect topLeftQuarter(0, 0, static_cast<int>(windowSize.x / 2), static_cast<int>(windowSize.y / 2));
    if (panel.left < 0 || panel.top + panel.height > static_cast<int>(windowSize.y) ||
        panel.intersects(topLeftQuarter))
        return sf::IntRect();
    return panel;
}

void StatusPanel::draw(sf::RenderTarget& target, const sf::Font& font, const City& city, float zoom,
                       const std::string& soundNotice, const std::string& speed)
{
    const sf::IntRect panel = placeIn(target.getSize(), !speed.empty());
    if (panel.width == 0)
        return;
    sf::RectangleShape background(sf::Vector2f(static_cast<float>(panel.width), static_cast<float>(panel.height)));
    background.setPosition(static_cast<float>(panel.left), static_cast<float>(panel.top));
    background.setFillColor(PanelBackground);
    target.draw(background);

    const CitySummary now = summarise(city);
    int line = 0;
    for (std::size_t side = 0; side < SideNames.size(); ++side)
        drawLine(target, font, panel, line++, SideNames[side], std::to_string(now.alive[side]), SideColours[side]);
    drawLine(target, font, panel, line++, "deaths", std::to_string(now.corpses), Lettering);
    drawLine(target, font, panel, line++, "waves", std::to_string(now.waves), Lettering);
    char magnification[32];
    std::snprintf(magnification, sizeof magnification, "x%.2f", static_cast<double>(zoom));
    if (soundNotice.empty())
        drawLine(target, font, panel, line++, "zoom", magnification, Lettering);
    else
        drawLine(target, font, panel, line++, "sound", soundNotice, Lettering);
    if (!speed.empty())
        drawLine(target, font, panel, line, "speed", speed, Lettering);
}
} // namespace tamrow
