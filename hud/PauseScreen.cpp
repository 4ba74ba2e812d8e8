#include "hud/PauseScreen.hpp"

#include "hud/Palette.hpp"

#include <algorithm>
#include <cmath>
#include <string>
#include <utility>

namespace tamrow
{
namespace
{
const sf::Color Dimming(0, 0, 0, 90);
const sf::Color PanelBackground(0, 0, 0, 200);
constexpr unsigned LargestSize = 17;   ///< px, the list's letters at most
constexpr unsigned SmallestSize = 8;   ///< px, and at least
constexpr float TitleScale = 2.0f;     ///< the title's letters, in the list's
constexpr float Margin = 16.0f;        ///< px between the panel and the window's edges
/// Gaps as shares of the list's letters: inside the panel's edge, below the
/// title, between two columns.
constexpr float PaddingScale = 0.9f;
constexpr float TitleGapScale = 0.5f;
constexpr float ColumnGapScale = 1.2f;

/// The panel and its texts with the list's letters `size` px high, the pad's
/// column too if `withPad`.
PauseScreen::Layout layAt(const sf::Font& font, const KeyNames& keys, unsigned size, bool withPad)
{
    std::string keyLines, padLines, actionLines;
    for (const ActionRow& row : Actions)
    {
        const char* const next = row.action == Actions[0].action ? "" : "\n";
        keyLines += next + keys(row.action);
        padLines += next + std::string(row.pad.words);
        actionLines += next + wordsOf(row.action, keys);
    }
    PauseScreen::Layout layout;
    const float letters = static_cast<float>(size);
    for (const auto& [words, height] : {std::pair{std::string("Paused"), std::round(letters * TitleScale)},
                                        std::pair{keyLines, letters}, std::pair{padLines, letters},
                                        std::pair{actionLines, letters}})
    {
        if (!withPad && words == padLines)
            continue;
        layout.texts.emplace_back(sf::String::fromUtf8(words.begin(), words.end()), font,
                                  static_cast<unsigned>(height));
        layout.texts.back().setFillColor(Lettering);
    }
    const float padding = std::round(letters * PaddingScale);
    const sf::FloatRect title = layout.texts[0].getLocalBounds();
    layout.texts[0].setPosition(std::round(Margin + padding - title.left), std::round(Margin + padding - title.top));
    // The columns side by side, each placed by its origin so that their lines stay level.
    const float columnsTop = std::round(Margin + padding + title.height + letters * TitleGapScale);
    float right = Margin + padding;
    float bottom = columnsTop;
    for (std::size_t column = 1; column < layout.texts.size(); ++column)
    {
        const sf::FloatRect bounds = layout.texts[column].getLocalBounds();
        layout.texts[column].setPosition(std::round(right - bounds.left), columnsTop);
        right = std::round(right + bounds.width + (column + 1 < layout.texts.size() ? letters * ColumnGapScale : 0.0f));
        bottom = std::max(bottom, columnsTop + bounds.top + bounds.height);
    }
    right = std::max(right, Margin + padding + title.width);
    layout.panel.setPosition(Margin, Margin);
    layout.panel.setSize(
        sf::Vector2f(std::ceil(right + padding - Margin + 1.0f), std::ceil(bottom + padding - Margin + 1.0f)));
    layout.panel.setFillColor(PanelBackground);
    return layout;
}
} // namespace

PauseScreen::Layout PauseScreen::lay(const sf::Font& font, const KeyNames& keys, sf::Vector2u windowSize)
{
    const sf::Vector2f window(static_cast<float>(windowSize.x), static_cast<float>(windowSize.y));
    // The pad's column goes first when nothing else makes room.
    for (const bool withPad : {true, false})
        for (unsigned size = LargestSize; size >= SmallestSize; --size)
        {
            Layout layout = layAt(font, keys, size, withPad);
            const sf::FloatRect panel = layout.panel.getGlobalBounds();
            if (panel.left + panel.width <= window.x / 2.0f - MiddleClearance &&
                panel.top + panel.height <= window.y - Margin)
                return layout;
        }
    return layAt(font, keys, SmallestSize, false);
}

sf::FloatRect PauseScreen::draw(sf::RenderTarget& target, const sf::Font* font, const KeyNames& keys)
{
    sf::RectangleShape dim(
        sf::Vector2f(static_cast<float>(target.getSize().x), static_cast<float>(target.getSize().y)));
    dim.setFillColor(Dimming);
    target.draw(dim);
    if (font == nullptr)
        return sf::FloatRect();
    const Layout layout = lay(*font, keys, target.getSize());
    target.draw(layout.panel);
    for (const sf::Text& text : layout.texts)
        target.draw(text);
    return layout.panel.getGlobalBounds();
}
} // namespace tamrow
