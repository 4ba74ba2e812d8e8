#pragma once

#include "play/Actions.hpp"

#include <SFML/Graphics/Font.hpp>
#include <SFML/Graphics/RectangleShape.hpp>
#include <SFML/Graphics/RenderTarget.hpp>
#include <SFML/Graphics/Text.hpp>

#include <cstdint>
#include <vector>

namespace tamrow
{
/// How long the help card stays on the first start unless a key is pressed
/// (frames of 1/60 s): ten seconds.
constexpr std::int32_t HelpCardFrames = 600;

/// A short card over the city on the first start: walking, recruiting, the
/// city map and the pause, which lists every action, in the letters the
/// player's keyboard prints.
class HelpCard
{
public:
    /// The lines' letters (px); the title's are a third larger.
    static constexpr unsigned LineSize = 17;

    /// The card and its texts, placed in a window of `windowSize` px: the card
    /// measured around the texts' own bounds at `lineSize`, whatever the font.
    struct Layout
    {
        sf::RectangleShape card;
        std::vector<sf::Text> texts;
    };
    static Layout lay(const sf::Font& font, const KeyNames& keys, sf::Vector2u windowSize,
                      unsigned lineSize = LineSize);

    /// Draws the card in the middle of `target`'s lower half, whose view must
    /// show one pixel per window pixel from (0, 0).
    static void draw(sf::RenderTarget& target, const sf::Font& font, const KeyNames& keys);
};
} // namespace tamrow
