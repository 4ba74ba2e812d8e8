#include "hud/HistoryPlot.hpp"

#include "hud/Palette.hpp"

#include <SFML/Graphics/RectangleShape.hpp>
#include <SFML/Graphics/Text.hpp>
#include <SFML/Graphics/VertexArray.hpp>

#include <algorithm>
#include <cmath>
#include <string>

namespace tamrow
{
namespace
{
const sf::Color PanelBackground(0, 0, 0, 200);
const sf::Color AxisColour(150, 150, 150);
const sf::Color WaveColour(255, 255, 255, 80);
constexpr unsigned LetterSize = 13;     ///< px
constexpr float Padding = 10.0f;        ///< px inside the panel's edge
constexpr float TitleHeight = 20.0f;    ///< px above the plotted area, for the title and the key
constexpr float AxisHeight = 18.0f;     ///< px below it, for the minutes
constexpr float LeftGutter = 30.0f;     ///< px left of it, for the counts
constexpr float RightGutter = 28.0f;    ///< px right of it, for the axis' unit
constexpr float DeathTick = 3.0f;       ///< px of tick per death of a sample, under the axis
constexpr float LongestTick = 12.0f;    ///< px
constexpr std::int64_t StepsPerMinute = FightHistory::StepsPerSecond * 60;
constexpr int MostMinuteLabels = 8;

void drawText(sf::RenderTarget& target, const sf::Font& font, const std::string& words, sf::Vector2f at,
              sf::Color colour, bool rightAligned = false)
{
    sf::Text text(words, font, LetterSize);
    text.setFillColor(colour);
    const sf::FloatRect bounds = text.getLocalBounds();
    text.setPosition(std::round(at.x - (rightAligned ? bounds.left + bounds.width : 0.0f)), std::round(at.y));
    target.draw(text);
}

/// A line from `from` to `to` in `colour`, into `lines` (sf::Lines).
void addLine(sf::VertexArray& lines, sf::Vector2f from, sf::Vector2f to, sf::Color colour)
{
    lines.append(sf::Vertex(from, colour));
    lines.append(sf::Vertex(to, colour));
}
} // namespace

sf::IntRect HistoryPlot::placeIn(sf::Vector2u windowSize, sf::FloatRect keepClear)
{
    const int right = static_cast<int>(windowSize.x) / 2 - MiddleClearance;
    const int bottom = static_cast<int>(windowSize.y) - Margin;
    const int below = keepClear.height > 0.0f ? static_cast<int>(std::ceil(keepClear.top + keepClear.height)) + Margin
                                              : Margin;
    const int width = std::min(Width, right - Margin);
    const int height = std::min(Height, bottom - below);
    if (height < LeastHeight || width < 2 * LeastHeight)
        return sf::IntRect();
    return sf::IntRect(Margin, bottom - height, width, height);
}

void HistoryPlot::draw(sf::RenderTarget& target, const sf::Font* font, const FightHistory& history, sf::IntRect where)
{
    if (where.width == 0)
        return;
    const sf::FloatRect panel(where);
    sf::RectangleShape background(sf::Vector2f(panel.width, panel.height));
    background.setPosition(panel.left, panel.top);
    background.setFillColor(PanelBackground);
    target.draw(background);

    // The plotted area: counts up its left edge, minutes along its bottom.
    const sf::FloatRect area(panel.left + Padding + LeftGutter, panel.top + Padding + TitleHeight,
                             panel.width - 2.0f * Padding - LeftGutter - RightGutter,
                             panel.height - 2.0f * Padding - TitleHeight - AxisHeight);
    const std::vector<HistorySample>& samples = history.samples();
    std::int64_t most = 1;
    for (const HistorySample& sample : samples)
        most = std::max({most, sample.alive[0], sample.alive[1], sample.alive[2]});
    // At least a minute across, so that the first seconds do not fill the width.
    const std::int64_t lastStep = std::max(samples.empty() ? 0 : samples.back().step, StepsPerMinute);
    const auto x = [&](std::int64_t step) {
        return area.left + area.width * static_cast<float>(step) / static_cast<float>(lastStep);
    };
    const auto y = [&](std::int64_t count) {
        return area.top + area.height * (1.0f - static_cast<float>(count) / static_cast<float>(most));
    };

    sf::VertexArray lines(sf::Lines);
    const float bottom = area.top + area.height;
    addLine(lines, {area.left, area.top}, {area.left, bottom}, AxisColour);
    addLine(lines, {area.left, bottom}, {area.left + area.width, bottom}, AxisColour);
    // A tick each minute, fewer over a long game, each labelled below.
    const std::int64_t minutes = lastStep / StepsPerMinute;
    const std::int64_t everyMinutes = std::max<std::int64_t>(1, (minutes + MostMinuteLabels - 1) / MostMinuteLabels);
    for (std::int64_t minute = 0; minute <= minutes; minute += everyMinutes)
    {
        const float at = x(minute * StepsPerMinute);
        addLine(lines, {at, bottom}, {at, bottom + 3.0f}, AxisColour);
        if (font != nullptr)
            drawText(target, *font, std::to_string(minute), {at - 3.0f, bottom + 2.0f}, AxisColour);
    }
    HistorySample before;
    for (const HistorySample& sample : samples)
    {
        const float at = x(sample.step);
        if (sample.waves > before.waves)
            addLine(lines, {at, area.top}, {at, bottom}, WaveColour);
        if (sample.deaths > before.deaths)
            addLine(lines, {at, bottom},
                    {at, bottom - std::min(LongestTick, DeathTick * static_cast<float>(sample.deaths - before.deaths))},
                    Lettering);
        before = sample;
    }
    target.draw(lines);
    for (std::size_t side = 0; side < SideColours.size(); ++side)
    {
        sf::VertexArray strip(sf::LineStrip);
        for (const HistorySample& sample : samples)
            strip.append(sf::Vertex({x(sample.step), y(sample.alive[side])}, SideColours[side]));
        target.draw(strip);
    }
    if (font == nullptr)
        return;
    drawText(target, *font, "People alive on each side", {panel.left + Padding, panel.top + Padding - 2.0f}, Lettering);
    drawText(target, *font, "ticks: deaths, faint lines: waves",
             {panel.left + panel.width - Padding, panel.top + Padding - 2.0f}, Lettering, true);
    drawText(target, *font, std::to_string(most), {area.left - 4.0f, area.top - 6.0f}, AxisColour, true);
    drawText(target, *font, "0", {area.left - 4.0f, bottom - 10.0f}, AxisColour, true);
    drawText(target, *font, "min", {panel.left + panel.width - Padding, bottom + 2.0f}, AxisColour, true);
}
} // namespace tamrow
