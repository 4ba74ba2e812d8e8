#pragma once

#include <SFML/Graphics/Font.hpp>
#include <SFML/Graphics/RenderTarget.hpp>

#include <cstdint>

/// How long the help card stays on the first start unless a key is pressed
/// (frames of 1/60 s): ten seconds.
constexpr std::int32_t HelpCardFrames = 600;

/// A short card over the city on the first start: the first controls (walk,
/// Q, E, M, P) and that P lists them all.
class HelpCard
{
public:
    /// Draws the card in the middle of `target`'s lower half, whose view must
    /// show one pixel per window pixel from (0, 0).
    static void draw(sf::RenderTarget& target, const sf::Font& font);
};
