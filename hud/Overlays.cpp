#include "hud/Overlays.hpp"

#include "city/Units.hpp"
#include "play/ControlRules.hpp"
#include "scene/Visibility.hpp"

#include <SFML/Graphics/CircleShape.hpp>
#include <SFML/Graphics/RectangleShape.hpp>
#include <SFML/Graphics/Text.hpp>

#include <algorithm>
#include <cmath>
#include <string>

namespace tamrow
{
namespace
{
/// Sizes on screen (window px), whatever the zoom.
constexpr float CharacterRingRadius = 26.0f;
constexpr float CharacterRingWidth = 3.0f;
constexpr float ReachRingRadius = 17.0f;
constexpr float ReachRingWidth = 2.5f;
constexpr float FlashRadius = 13.0f;
constexpr float FlashRingWidth = 3.0f;
constexpr float DeathMarkArm = 16.0f;      ///< half the length of a bar of the cross
constexpr float DeathMarkBar = 4.0f;       ///< thickness of a bar
constexpr float EdgeWidth = 1.5f;          ///< dark band that keeps a light mark readable on light ground
constexpr float CellLineWidth = 1.0f;
/// The reach cells: a faint fill and a faint line, so the street shows through.
const sf::Color CellFill(255, 255, 255, 22);
const sf::Color CellLine(255, 255, 255, 110);
const sf::Color MarkEdge(0, 0, 0, 160);
const sf::Color DeathMarkColour(255, 255, 255);
/// Alpha (of 255) of the cells' fill as a press's answer begins.
constexpr sf::Uint8 AnswerFillAlpha = 90;
constexpr float ShakeAmplitude = 5.0f;  ///< window px, a miss's shake at its farthest
constexpr float ShakePace = 1.3f;       ///< radians of the shake per frame
constexpr unsigned AnswerSize = 22;     ///< px, the number turned
constexpr float AnswerGap = 6.0f;       ///< window px between the grid and the number or the miss mark
/// A miss: the grid framed, and above it a ring struck through, as large on screen as the number.
constexpr float MissFrameWidth = 3.0f;
constexpr float MissMarkRadius = 10.0f;
constexpr float MissMarkWidth = 3.0f;

/// Room between a person and a ring round it (window px).
constexpr float RingClearance = 4.0f;

/// A mark's radius (px of the view): `screenRadius` window px, or round the
/// whole person when zoomed in so far that the person is bigger than that.
float radiusAround(const sf::Sprite& sprite, float screenRadius, float screenPx)
{
    const sf::FloatRect bounds = sprite.getGlobalBounds();
    const float halfLength = std::max(bounds.width, bounds.height) / 2.0f;
    return std::max(screenRadius * screenPx, halfLength + RingClearance * screenPx);
}

/// The side whose people struck someone of `struck`'s side: police strike
/// hooligans, hooligans strike everyone else. A hunter recruited in the middle
/// of a chase may land one last hit for its old side: the flash shows that side.
sf::Color hitterColour(Faction struck)
{
    return isHostile(Faction::Police, struck) ? PoliceMarkColour : HooliganMarkColour;
}

sf::Color fading(sf::Color colour, std::int32_t framesLeft, std::int32_t frames)
{
    colour.a = static_cast<sf::Uint8>(colour.a * framesLeft / frames);
    return colour;
}

/// The dark edge of a mark in `colour`, fading with it.
sf::Color edgeFor(sf::Color colour)
{
    return sf::Color(MarkEdge.r, MarkEdge.g, MarkEdge.b, std::min(MarkEdge.a, colour.a));
}

/// The outline of `shape`, `width` wide, with a dark edge outside it; sizes in px of the view.
void drawOutline(sf::RenderTarget& target, sf::Shape& shape, float width, float edge, sf::Color colour)
{
    shape.setFillColor(sf::Color::Transparent);
    shape.setOutlineThickness(width + edge);
    shape.setOutlineColor(edgeFor(colour));
    target.draw(shape);
    shape.setOutlineThickness(width);
    shape.setOutlineColor(colour);
    target.draw(shape);
}

/// A ring `width` wide round `centre`, with a dark edge outside it; sizes in px of the view.
void drawRing(sf::RenderTarget& target, sf::Vector2f centre, float radius, float width, float edge, sf::Color colour)
{
    sf::CircleShape ring(radius);
    ring.setOrigin(radius, radius);
    ring.setPosition(centre);
    drawOutline(target, ring, width, edge, colour);
}

/// A bar `bar` thick through `centre`, `arm` long either side, turned `angle` degrees clockwise from level.
void drawBar(sf::RenderTarget& target, sf::Vector2f centre, float arm, float bar, float edge, sf::Color colour,
             float angle)
{
    sf::RectangleShape stroke(sf::Vector2f(2.0f * arm, bar));
    stroke.setOrigin(arm, bar / 2.0f);
    stroke.setPosition(centre);
    stroke.setRotation(angle);
    stroke.setFillColor(colour);
    stroke.setOutlineThickness(edge);
    stroke.setOutlineColor(edgeFor(colour));
    target.draw(stroke);
}

/// An upright cross turned a quarter of the way round: an X, each bar `bar` thick.
void drawCross(sf::RenderTarget& target, sf::Vector2f centre, float arm, float bar, float edge, sf::Color colour)
{
    for (const float angle : {45.0f, -45.0f})
        drawBar(target, centre, arm, bar, edge, colour, angle);
}

/// The nine cells around the character's (m), as recruiting draws its line,
/// moved by `offset` (px), filled with `fill`.
void drawReachCells(sf::RenderTarget& target, b2Vec2 character, sf::Vector2f offset, float screenPx, sf::Color fill)
{
    const std::int32_t column = recruitingCellOf(character.x);
    const std::int32_t row = recruitingCellOf(character.y);
    for (std::int32_t dy = -1; dy <= 1; ++dy)
    {
        for (std::int32_t dx = -1; dx <= 1; ++dx)
        {
            const CellSpan across = spanOf(column + dx);
            const CellSpan down = spanOf(row + dy);
            sf::RectangleShape cell(sf::Vector2f((across.high - across.low) * PixelsPerMeter,
                                                 (down.high - down.low) * PixelsPerMeter));
            cell.setPosition(sf::Vector2f(across.low * PixelsPerMeter, down.low * PixelsPerMeter) + offset);
            cell.setFillColor(fill);
            // Inside the cell, so that neighbours share one line.
            cell.setOutlineThickness(-CellLineWidth * screenPx);
            cell.setOutlineColor(CellLine);
            target.draw(cell);
        }
    }
}

/// From a person's body origin to the middle of their picture (px): the
/// character's, which every person's picture shares.
sf::Vector2f pictureOffset(const sf::Sprite& sprite)
{
    return centreOf(sprite) - sprite.getPosition();
}
} // namespace

void Overlays::observe(const City& city, const CityChanges& changes)
{
    answer_.framesLeft = std::max(answer_.framesLeft - 1, 0);
    for (Mark& mark : marks_)
        --mark.framesLeft;
    marks_.erase(std::remove_if(marks_.begin(), marks_.end(), [](const Mark& mark) { return mark.framesLeft <= 0; }),
                marks_.end());
    for (const PersonChange& change : changes.changed())
    {
        const Actor& actor = city.actors[change.person];
        // In the frame of a death the sprite still lies where the person fell.
        if (change.hits > 0)
            marks_.push_back({actor.sprite, hitterColour(actor.faction), HitFlashFrames, false});
        if (change.fell)
            marks_.push_back({actor.sprite, DeathMarkColour, DeathMarkFrames, true});
    }
}

std::vector<std::uint32_t> Overlays::reachable(const City& city) const
{
    std::vector<std::uint32_t> found;
    if (city.actors.empty())
        return found;
    const b2Vec2 character = city.actors[0].body->GetPosition();
    city.forEachOtherLiving([&](std::uint32_t i) {
        if (withinRecruitingReach(character, city.actors[i].body->GetPosition()))
            found.push_back(i);
    });
    return found;
}

sf::FloatRect Overlays::drawnReach(const City& city)
{
    if (city.actors.empty())
        return sf::FloatRect();
    const b2Vec2 character = city.actors[0].body->GetPosition();
    const CellSpan across[] = {spanOf(recruitingCellOf(character.x) - 1), spanOf(recruitingCellOf(character.x) + 1)};
    const CellSpan down[] = {spanOf(recruitingCellOf(character.y) - 1), spanOf(recruitingCellOf(character.y) + 1)};
    const sf::Vector2f offset = pictureOffset(city.actors[0].sprite);
    return sf::FloatRect(across[0].low * PixelsPerMeter + offset.x, down[0].low * PixelsPerMeter + offset.y,
                         (across[1].high - across[0].low) * PixelsPerMeter,
                         (down[1].high - down[0].low) * PixelsPerMeter);
}

void Overlays::answer(const Recruiting& recruited)
{
    if (!recruited.missed() && recruited.turned.empty())
        return;
    answer_.colour = recruited.missed()                       ? MissMarkColour
                     : recruited.side == Faction::Police ? PoliceMarkColour
                                                         : HooliganMarkColour;
    answer_.turned = recruited.turned.size();
    answer_.framesLeft = PressAnswerFrames;
}

std::vector<std::pair<sf::Vector2f, float>> Overlays::freshDeaths() const
{
    std::vector<std::pair<sf::Vector2f, float>> deaths;
    for (const Mark& mark : marks_)
        if (mark.death)
            deaths.emplace_back(mark.struck.getPosition(),
                                static_cast<float>(mark.framesLeft) / static_cast<float>(DeathMarkFrames));
    return deaths;
}

void Overlays::drawReach(sf::RenderTarget& target, const City& city, const sf::Font* font, float screenPx) const
{
    const sf::Vector2f offset = pictureOffset(city.actors[0].sprite);
    const b2Vec2 character = city.actors[0].body->GetPosition();
    if (answer_.framesLeft == 0)
    {
        drawReachCells(target, character, offset, screenPx, CellFill);
        return;
    }
    const bool missed = answer_.turned == 0;
    // A miss shakes its head: the grid and its mark sway left and right.
    const sf::Vector2f shake(
        missed ? ShakeAmplitude * screenPx * std::sin(static_cast<float>(answer_.framesLeft) * ShakePace) : 0.0f,
        0.0f);
    drawReachCells(target, character, offset + shake, screenPx,
                   fading(sf::Color(answer_.colour.r, answer_.colour.g, answer_.colour.b, AnswerFillAlpha),
                          answer_.framesLeft, PressAnswerFrames));
    const sf::FloatRect grid = drawnReach(city);
    if (missed)
    {
        const sf::Color colour = fading(answer_.colour, answer_.framesLeft, PressAnswerFrames);
        sf::RectangleShape frame(sf::Vector2f(grid.width, grid.height));
        frame.setPosition(sf::Vector2f(grid.left, grid.top) + shake);
        drawOutline(target, frame, MissFrameWidth * screenPx, EdgeWidth * screenPx, colour);
        // Where the number would stand: a ring struck through, nobody.
        const float radius = MissMarkRadius * screenPx;
        const sf::Vector2f mark(grid.left + grid.width / 2.0f + shake.x,
                                grid.top - (AnswerGap + MissFrameWidth + MissMarkWidth) * screenPx - radius);
        drawRing(target, mark, radius, MissMarkWidth * screenPx, EdgeWidth * screenPx, colour);
        drawBar(target, mark, radius, MissMarkWidth * screenPx, EdgeWidth * screenPx, colour, 45.0f);
        return;
    }
    if (font == nullptr)
        return;
    // The number above the grid, the same size on screen at every zoom.
    sf::Text number(std::to_string(answer_.turned), *font, AnswerSize);
    number.setScale(screenPx, screenPx);
    number.setFillColor(fading(answer_.colour, answer_.framesLeft, PressAnswerFrames));
    number.setOutlineColor(fading(MarkEdge, answer_.framesLeft, PressAnswerFrames));
    number.setOutlineThickness(EdgeWidth);
    const sf::FloatRect bounds = number.getGlobalBounds();
    number.setPosition(grid.left + (grid.width - bounds.width) / 2.0f,
                       grid.top - bounds.height - AnswerGap * screenPx - number.getLocalBounds().top * screenPx);
    target.draw(number);
}

void Overlays::draw(sf::RenderTarget& target, const City& city, const sf::Font* font, bool hooligansCalled,
                    bool policeCalled) const
{
    // View px per window px: what keeps a mark the same size on screen at every zoom.
    const float screenPx = target.getView().getSize().x / static_cast<float>(target.getSize().x);
    if (!city.actors.empty())
    {
        drawReach(target, city, font, screenPx);
        const sf::Color called = policeCalled ? PoliceMarkColour : hooligansCalled ? HooliganMarkColour : ReachMarkColour;
        for (const std::uint32_t i : reachable(city))
        {
            const sf::Sprite& person = city.actors[i].sprite;
            drawRing(target, centreOf(person), radiusAround(person, ReachRingRadius, screenPx),
                     ReachRingWidth * screenPx, EdgeWidth * screenPx, called);
        }
        const sf::Sprite& character = city.actors[0].sprite;
        drawRing(target, centreOf(character), radiusAround(character, CharacterRingRadius, screenPx),
                 CharacterRingWidth * screenPx, EdgeWidth * screenPx, CharacterMarkColour);
    }
    for (const Mark& mark : marks_)
    {
        const sf::Vector2f where = centreOf(mark.struck);
        if (mark.death)
            drawCross(target, where, radiusAround(mark.struck, DeathMarkArm, screenPx), DeathMarkBar * screenPx,
                      EdgeWidth * screenPx, fading(mark.colour, mark.framesLeft, DeathMarkFrames));
        else
            drawRing(target, where, radiusAround(mark.struck, FlashRadius, screenPx), FlashRingWidth * screenPx,
                     EdgeWidth * screenPx, fading(mark.colour, mark.framesLeft, HitFlashFrames));
    }
}
} // namespace tamrow
