#include "hud/HelpCard.hpp"

#include "hud/Palette.hpp"
#include "play/ControlTable.hpp"

#include <SFML/Graphics/RectangleShape.hpp>
#include <SFML/Graphics/Text.hpp>

#include <algorithm>
#include <cmath>
#include <string>

namespace
{
constexpr unsigned TitleSize = 22;    ///< px
constexpr unsigned LineSize = 17;     ///< px
constexpr float LineHeight = 24.0f;   ///< px between the tops of two lines
constexpr float TitleHeight = 38.0f;  ///< px from the title's top to the first line's
constexpr float Padding = 16.0f;      ///< px inside the card's edge
constexpr float ColumnGap = 20.0f;    ///< px between the keys and what they do
/// How far down the window the card's middle stands, as a share of its height:
/// below the character, who stands in the middle.
constexpr float CardHeight = 0.72f;
const sf::Color CardBackground(0, 0, 0, 190);
const char* const Title = "Tip the street fight: walk up to people and turn them";

sf::Text line(const std::string& words, const sf::Font& font, unsigned size)
{
    sf::Text text(words, font, size);
    text.setFillColor(Lettering);
    return text;
}

float widthOf(const sf::Text& text)
{
    return text.getLocalBounds().left + text.getLocalBounds().width;
}
} // namespace

void HelpCard::draw(sf::RenderTarget& target, const sf::Font& font)
{
    sf::Text title = line(Title, font, TitleSize);
    std::string keyLines, actionLines;
    for (std::size_t i = 0; i < FirstControls; ++i)
    {
        keyLines += std::string(i == 0 ? "" : "\n") + Controls[i].keys;
        actionLines += std::string(i == 0 ? "" : "\n") + Controls[i].action;
    }
    sf::Text keys = line(keyLines, font, LineSize);
    sf::Text actions = line(actionLines, font, LineSize);
    keys.setLineSpacing(LineHeight / font.getLineSpacing(LineSize));
    actions.setLineSpacing(keys.getLineSpacing());
    const float columnsWidth = widthOf(keys) + ColumnGap + widthOf(actions);
    const sf::Vector2f card(std::round(std::max(widthOf(title), columnsWidth) + 2.0f * Padding),
                            std::round(2.0f * Padding + TitleHeight + LineHeight * static_cast<float>(FirstControls)));
    const sf::Vector2f size(static_cast<float>(target.getSize().x), static_cast<float>(target.getSize().y));
    const sf::Vector2f corner(std::round((size.x - card.x) / 2.0f),
                              std::round(std::min(size.y * CardHeight - card.y / 2.0f, size.y - card.y)));
    sf::RectangleShape background(card);
    background.setPosition(corner);
    background.setFillColor(CardBackground);
    background.setOutlineThickness(-2.0f);
    background.setOutlineColor(CharacterMarkColour);
    target.draw(background);
    title.setPosition(corner.x + Padding, corner.y + Padding);
    keys.setPosition(corner.x + Padding, corner.y + Padding + TitleHeight);
    actions.setPosition(std::round(corner.x + Padding + widthOf(keys) + ColumnGap), keys.getPosition().y);
    target.draw(title);
    target.draw(keys);
    target.draw(actions);
}
