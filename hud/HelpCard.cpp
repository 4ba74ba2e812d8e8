#include "hud/HelpCard.hpp"

#include "hud/Palette.hpp"

#include <algorithm>
#include <cmath>
#include <string>

namespace tamrow
{
namespace
{
/// Sizes as shares of the lines' letters: the title's letters, the gap between
/// two lines' tops beyond the font's own, the title's gap below it, the card's
/// padding inside its edge and the gap between the keys and what they do.
constexpr float TitleScale = 22.0f / 17.0f;
constexpr float LineGapScale = 0.2f;
constexpr float TitleGapScale = 0.6f;
constexpr float PaddingScale = 1.0f;
constexpr float ColumnGapScale = 1.2f;
constexpr float EdgeThickness = 2.0f;  ///< px, inside the card
/// How far down the window the card's middle stands, as a share of its height:
/// below the character, who stands in the middle.
constexpr float CardHeight = 0.72f;
const sf::Color CardBackground(0, 0, 0, 190);
const char* const Title = "Tip the street fight: walk up to people and turn them";
/// The actions the card names after walking, in its order.
constexpr Action CardActions[] = {Action::RecruitHooligans, Action::RecruitPolice, Action::ToggleMap, Action::Pause};

sf::Text text(const std::string& words, const sf::Font& font, unsigned size)
{
    sf::Text made(sf::String::fromUtf8(words.begin(), words.end()), font, size);
    made.setFillColor(Lettering);
    return made;
}

/// Moves `made` so that its drawn pixels start at `corner`, whole pixels.
void putAt(sf::Text& made, sf::Vector2f corner)
{
    const sf::FloatRect bounds = made.getLocalBounds();
    made.setPosition(std::round(corner.x - bounds.left), std::round(corner.y - bounds.top));
}
} // namespace

HelpCard::Layout HelpCard::lay(const sf::Font& font, const KeyNames& keys, sf::Vector2u windowSize, unsigned lineSize)
{
    const float size = static_cast<float>(lineSize);
    std::string keyLines = keys(Action::WalkUp) + " " + keys(Action::WalkLeft) + " " + keys(Action::WalkDown) + " " +
                           keys(Action::WalkRight);
    std::string actionLines = "walk";
    for (const Action action : CardActions)
    {
        keyLines += "\n" + keys(action);
        actionLines += "\n" + wordsOf(action, keys);
    }
    Layout layout;
    layout.texts = {text(Title, font, static_cast<unsigned>(std::round(size * TitleScale))),
                    text(keyLines, font, lineSize), text(actionLines, font, lineSize)};
    sf::Text& title = layout.texts[0];
    sf::Text& keyColumn = layout.texts[1];
    sf::Text& actionColumn = layout.texts[2];
    const float spacing = (font.getLineSpacing(lineSize) + size * LineGapScale) / font.getLineSpacing(lineSize);
    keyColumn.setLineSpacing(spacing);
    actionColumn.setLineSpacing(spacing);
    // Every size from the texts' drawn bounds, so that they fit the card at any size of letters.
    const float padding = std::round(size * PaddingScale) + EdgeThickness;
    const float titleGap = std::round(size * TitleGapScale);
    const float columnGap = std::round(size * ColumnGapScale);
    const sf::FloatRect titleBounds = title.getLocalBounds();
    const sf::FloatRect keyBounds = keyColumn.getLocalBounds();
    const sf::FloatRect actionBounds = actionColumn.getLocalBounds();
    // The columns are placed by their origin, so that both keep their lines' baselines level.
    const float columnsWidth = keyBounds.width + columnGap + actionBounds.width;
    const float columnsHeight = std::max(keyBounds.top + keyBounds.height, actionBounds.top + actionBounds.height);
    const sf::Vector2f card(std::ceil(std::max(titleBounds.width, columnsWidth) + 2.0f * padding + 1.0f),
                            std::ceil(titleBounds.height + titleGap + columnsHeight + 2.0f * padding + 1.0f));
    const sf::Vector2f window(static_cast<float>(windowSize.x), static_cast<float>(windowSize.y));
    const sf::Vector2f corner(std::round((window.x - card.x) / 2.0f),
                              std::round(std::min(window.y * CardHeight - card.y / 2.0f, window.y - card.y)));
    layout.card.setSize(card);
    layout.card.setPosition(corner);
    layout.card.setFillColor(CardBackground);
    layout.card.setOutlineThickness(-EdgeThickness);
    layout.card.setOutlineColor(CharacterMarkColour);
    putAt(title, corner + sf::Vector2f(padding, padding));
    const float columnsTop = corner.y + padding + titleBounds.height + titleGap;
    keyColumn.setPosition(std::round(corner.x + padding - keyBounds.left), columnsTop);
    actionColumn.setPosition(std::round(corner.x + padding + keyBounds.width + columnGap - actionBounds.left),
                             columnsTop);
    return layout;
}

void HelpCard::draw(sf::RenderTarget& target, const sf::Font& font, const KeyNames& keys)
{
    const Layout layout = lay(font, keys, target.getSize());
    target.draw(layout.card);
    for (const sf::Text& made : layout.texts)
        target.draw(made);
}
} // namespace tamrow
