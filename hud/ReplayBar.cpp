#include "hud/ReplayBar.hpp"

#include "hud/CityMap.hpp"
#include "hud/Palette.hpp"
#include "life/Simulation.hpp"
#include "play/InstantReplay.hpp"

#include <SFML/Graphics/RectangleShape.hpp>
#include <SFML/Graphics/Text.hpp>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <optional>

namespace tamrow
{
namespace
{
/// The tag's red: a replay never passes for the live game.
const sf::Color ReplayRed(215, 30, 40);
const sf::Color BarBackground(0, 0, 0, 190);
const sf::Color TrackColour(90, 90, 100);
const sf::Color TickColour(20, 20, 25);
constexpr unsigned CharacterSize = 16;  ///< px
constexpr float TagWidth = 92.0f;       ///< px, the red tag at the bar's left
constexpr float TextWidth = 214.0f;     ///< px kept right of the track for the time and the speed
constexpr float Padding = 6.0f;         ///< px inside the bar's edge
constexpr float TrackHeight = 10.0f;    ///< px
/// A tick every jump of 5 s, or every minute, or every ten, the first that
/// leaves MinTickGap px between ticks.
constexpr std::size_t TickChoices[] = {InstantReplay::JumpSteps, 3600, 36000};
constexpr float MinTickGap = 6.0f;  ///< px

/// The track inside a bar at `bar` (px).
sf::FloatRect trackIn(const sf::FloatRect& bar)
{
    const float left = bar.left + TagWidth + 2.0f * Padding;
    const float width = std::max(bar.width - TagWidth - TextWidth - 3.0f * Padding, 1.0f);
    return {left, bar.top + (bar.height - TrackHeight) / 2.0f, width, TrackHeight};
}

void fill(sf::RenderTarget& target, sf::FloatRect area, sf::Color colour)
{
    sf::RectangleShape box(sf::Vector2f(area.width, area.height));
    box.setPosition(area.left, area.top);
    box.setFillColor(colour);
    target.draw(box);
}

void letter(sf::RenderTarget& target, const sf::Font& font, const std::string& words, sf::Vector2f where,
            sf::Color colour)
{
    sf::Text text(words, font, CharacterSize);
    text.setFillColor(colour);
    text.setPosition(std::round(where.x), std::round(where.y));
    target.draw(text);
}

/// "m:ss.s" for `steps` world steps.
std::string clockWords(std::size_t steps)
{
    const double seconds = static_cast<double>(steps) * static_cast<double>(TimeStep);
    const auto minutes = static_cast<unsigned long>(seconds / 60.0);
    char words[32];
    std::snprintf(words, sizeof words, "%lu:%04.1f", minutes, seconds - 60.0 * static_cast<double>(minutes));
    return words;
}
} // namespace

sf::IntRect ReplayBar::placeIn(sf::Vector2u windowSize)
{
    const int width = static_cast<int>(windowSize.x) - static_cast<int>(CityMap::Width + 3 * Margin);
    const int top = static_cast<int>(windowSize.y) - static_cast<int>(Height + Margin);
    if (width < static_cast<int>(MinWidth) || top < 0)
        return sf::IntRect();
    return sf::IntRect(static_cast<int>(Margin), top, width, static_cast<int>(Height));
}

std::optional<std::size_t> ReplayBar::momentAt(sf::Vector2u windowSize, const ReplayClock& clock, sf::Vector2f px)
{
    const sf::FloatRect bar(placeIn(windowSize));
    const sf::FloatRect track = trackIn(bar);
    // The whole height of the bar takes a click, the track's width alone.
    if (!bar.contains(px) || px.x < track.left || px.x > track.left + track.width)
        return std::nullopt;
    const double share = static_cast<double>(px.x - track.left) / static_cast<double>(track.width);
    return clock.first + static_cast<std::size_t>(std::lround(share * static_cast<double>(clock.last - clock.first)));
}

std::string ReplayBar::timeWords(const ReplayClock& clock)
{
    return clockWords(clock.at - clock.first) + " / " + clockWords(clock.last - clock.first);
}

std::string ReplayBar::speedWords(const ReplayClock& clock)
{
    return clock.paused ? clock.speed + ", paused" : clock.speed;
}

void ReplayBar::draw(sf::RenderTarget& target, const sf::Font* font, const ReplayClock& clock)
{
    const sf::FloatRect bar(placeIn(target.getSize()));
    if (bar.width <= 0.0f)
        return;
    fill(target, bar, BarBackground);
    fill(target, {bar.left, bar.top, TagWidth, bar.height}, ReplayRed);

    const sf::FloatRect track = trackIn(bar);
    const float left = track.left;
    const float top = track.top;
    fill(target, track, TrackColour);
    const std::size_t span = std::max<std::size_t>(clock.last - clock.first, 1);
    const auto across = [&](std::size_t steps) {
        return std::round(track.width * static_cast<float>(steps) / static_cast<float>(span));
    };
    fill(target, {left, top, across(clock.at - clock.first), TrackHeight}, ReplayRed);
    std::size_t tickSteps = 0;
    for (const std::size_t choice : TickChoices)
    {
        tickSteps = choice;
        if (across(choice) >= MinTickGap)
            break;
    }
    for (std::size_t tick = tickSteps; tick < span; tick += tickSteps)
        fill(target, {left + across(tick), top, 1.0f, TrackHeight}, TickColour);
    // The shown moment as a light notch standing out of the track; where a far
    // jump goes, a notch of the tag's red until it arrives.
    if (clock.goingTo != clock.at)
        fill(target, {left + across(clock.goingTo - clock.first) - 1.0f, top - 4.0f, 3.0f, TrackHeight + 8.0f},
             ReplayRed);
    fill(target, {left + across(clock.at - clock.first) - 1.0f, top - 4.0f, 3.0f, TrackHeight + 8.0f}, Lettering);

    if (font == nullptr)
        return;
    const float line = bar.top + (bar.height - static_cast<float>(CharacterSize)) / 2.0f - 3.0f;
    letter(target, *font, "REPLAY", {bar.left + Padding + 4.0f, line}, Lettering);
    letter(target, *font, timeWords(clock) + "  " + speedWords(clock),
           {bar.left + bar.width - TextWidth, line}, Lettering);
}
} // namespace tamrow
