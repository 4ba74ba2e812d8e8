// The city map, MapImageWidth x MapImageHeight px. The game draws it at 3.5x with its top-left
// at world (0, 0), so one map px is 3.5 world px (~0.12 m) and the screen
// (1600 x 900 world px) shows about 457 x 257 map px: every such window gets
// a street, roofs, trees or markings so movement always shows.
//
// The walled play area is world 630..7800 x 630..2850, i.e. map 180..2229 x
// 180..814. Inside: a grid of streets and blocks. Outside, up to the image
// border, the city edge: a railway on top, woods on the left, warehouses on
// the right and a river at the bottom.

#include "Painters.hpp"

#include "city/TextureBank.hpp"

#include <algorithm>
#include <array>
#include <cmath>

namespace tamrow
{
namespace
{

constexpr unsigned Width = MapImageWidth;
constexpr unsigned Height = MapImageHeight;
const Box Play{180.f, 180.f, 2229.f, 814.f};

// Half widths of the asphalt and sidewalk widths, map px.
constexpr float StreetHalf = 26.f; // 2 x 26 px = two 3 m lanes
constexpr float AvenueHalf = 38.f; // wider, round a 10 px planted median
constexpr float Sidewalk = 12.f;   // 1.4 m
constexpr float AvenueX = 1230.f;  // the avenue's centre line
// Centre lines of the north-south and the east-west streets, map px.
const std::array<float, 5> StreetX{500.f, 880.f, AvenueX, 1600.f, 1950.f};
const std::array<float, 2> StreetY{392.f, 612.f};

const sf::Color Ground = rgb(0x6f8456);
const sf::Color SidewalkStone = rgb(0xaca699);
const sf::Color Asphalt = rgb(0x5e6166);
const sf::Color Line = rgb(0xd8d5ca);
const sf::Color Curb = rgb(0xc8c2b4);

float halfWidthX(float x)
{
    return x == AvenueX ? AvenueHalf : StreetHalf;
}

// True when `v` lies within `margin` px of a crossing street's asphalt.
bool nearCrossing(float v, bool alongX, float margin)
{
    if (alongX)
    {
        for (float x : StreetX)
            if (std::abs(v - x) < halfWidthX(x) + margin)
                return true;
        return false;
    }
    for (float y : StreetY)
        if (std::abs(v - y) < StreetHalf + margin)
            return true;
    return false;
}

// What fills each block, row by row from the north-west.
enum class Lot
{
    Buildings,
    Park,
    Plaza,
    CarPark,
    BusTerminal
};
constexpr Lot B = Lot::Buildings;
const Lot Lots[3][6] = {{B, B, Lot::Park, B, Lot::CarPark, B},
                         {B, B, Lot::Plaza, Lot::BusTerminal, B, Lot::Park},
                         {Lot::Park, B, B, B, B, Lot::CarPark}};

void paintBuildings(Canvas& c, const Box& block, std::uint32_t seed)
{
    const sf::Color roofs[] = {rgb(0x8c6e5c), rgb(0x7c8088), rgb(0xa09682), rgb(0x6e7e78),
                               rgb(0x94806c), rgb(0x8a8680), rgb(0x6a6870), rgb(0x9c7a62)};
    c.fillRect(block, rgb(0x8f8a80)); // back alleys between the houses
    // Cut the block into 2-4 lots along its long side, each cut at a hashed spot.
    const bool alongX = block.width() >= block.height();
    const float length = alongX ? block.width() : block.height();
    const int lots = std::clamp(static_cast<int>(length / 80.f), 2, 4);
    // Mostly flat roofs, as in a city centre; panels are rare.
    const RoofStyle styles[] = {RoofStyle::Flat, RoofStyle::Hip,  RoofStyle::Flat, RoofStyle::Gable,
                                RoofStyle::Flat, RoofStyle::Hip,  RoofStyle::Gable, RoofStyle::Solar};
    float start = 0.f;
    for (int i = 0; i < lots; ++i)
    {
        const float share = (static_cast<float>(i) + 0.75f + hash01(i, 0, seed) * 0.5f) / static_cast<float>(lots);
        const float end = i == lots - 1 ? length : length * std::min(share, 1.f);
        Box lot = alongX ? Box{block.x0 + start, block.y0, block.x0 + end, block.y1}
                         : Box{block.x0, block.y0 + start, block.x1, block.y0 + end};
        start = end;
        // 4 px alleys between lots; some lots stand 10 px back from the street.
        lot = lot.inset(2.f);
        if (hash01(i, 1, seed) < 0.3f)
            lot.y1 -= 10.f;
        paintRoof(c, lot, styles[hash32(i, 2, seed) % 8u], roofs[hash32(i, 3, seed) % 8u], hash32(i, 4, seed));
    }
}

void paintStreet(Canvas& c, const Box& asphalt, bool alongX)
{
    c.fillRect(asphalt.inset(-2.f), Curb);
    c.fillRect(asphalt, Asphalt);
    c.grain(asphalt, 4.f, 4.f, alongX ? 11u : 12u);
}

// Dashed centre line, parked cars and street trees along one street.
void paintStreetLife(Canvas& c, const Box& asphalt, bool alongX, std::uint32_t seed)
{
    const sf::Color cars[] = {rgb(0x9b4a40), rgb(0x4d6680), rgb(0xd8d8d2), rgb(0xa6abb0), rgb(0x2e3034)};
    const float from = alongX ? asphalt.x0 : asphalt.y0;
    const float to = alongX ? asphalt.x1 : asphalt.y1;
    const Pt mid = asphalt.centre();
    const float half = alongX ? asphalt.height() * 0.5f : asphalt.width() * 0.5f;
    const auto along = [&](float s, float off) { return alongX ? Pt{s, mid.y + off} : Pt{mid.x + off, s}; };
    // Dashes 12 px long (1.4 m) every 20 px; the avenue has its median instead.
    for (float s = from; half < AvenueHalf && s < to; s += 20.f)
        if (!nearCrossing(s + 6.f, alongX, 22.f))
            c.fillRect(alongX ? Box{s, mid.y - 1.f, s + 12.f, mid.y + 1.f} : Box{mid.x - 1.f, s, mid.x + 1.f, s + 12.f},
                       Line);
    // Parking slots 46 px apart (a 37 px car and a gap), some taken, both kerbs.
    for (float s = from + 23.f; s < to; s += 46.f)
        for (float side : {-1.f, 1.f})
        {
            const int key = static_cast<int>(s * side);
            if (!nearCrossing(s, alongX, 44.f) && hash01(key, 0, seed) < 0.22f)
                paintCar(c, along(s, (half - 10.f) * side), alongX, cars[hash32(key, 2, seed) % 5u]);
        }
    for (float s = from; s < to; s += 20.f)
    {
        const int key = static_cast<int>(s);
        if (!nearCrossing(s, alongX, 26.f) && hash01(key, 3, seed) < 0.35f)
        {
            const float side = hash01(key, 4, seed) < 0.5f ? -1.f : 1.f;
            paintTreeCrown(c, along(s, (half + 7.f) * side), 9.f, hash32(key, 5, seed));
        }
    }
}

// Zebra crossings on the four approaches of every junction.
void paintCrossings(Canvas& c)
{
    const sf::Color paint = withAlpha(Line, 220);
    for (float x : StreetX)
        for (float y : StreetY)
        {
            const float hx = halfWidthX(x);
            for (float side : {-1.f, 1.f})
            {
                const float cy = y + side * (StreetHalf + 10.f); // across the vertical street
                for (float sx = x - hx + 3.f; sx < x + hx - 3.f; sx += 7.f)
                    c.fillRect({sx, cy - 6.f, sx + 4.f, cy + 6.f}, paint);
                const float cx = x + side * (hx + 10.f); // across the horizontal street
                for (float sy = y - StreetHalf + 3.f; sy < y + StreetHalf - 3.f; sy += 7.f)
                    c.fillRect({cx - 6.f, sy, cx + 6.f, sy + 4.f}, paint);
            }
        }
}

void paintAvenueMedian(Canvas& c)
{
    for (float y = Play.y0; y < Play.y1; y += 4.f)
    {
        if (nearCrossing(y, false, 16.f))
            continue;
        c.fillRect({AvenueX - 5.f, y, AvenueX + 5.f, y + 4.f}, rgb(0x73895a));
    }
    for (float y = Play.y0 + 20.f; y < Play.y1 - 10.f; y += 34.f)
        if (!nearCrossing(y, false, 30.f))
            paintTreeCrown(c, {AvenueX, y}, 8.f, hash32(static_cast<int>(y), 9, 3u));
}

void paintCityGrid(Canvas& c)
{
    c.fillRect(Play, SidewalkStone);
    c.grain(Play, 4.f, 6.f, 5u);
    for (float y : StreetY)
        paintStreet(c, {Play.x0, y - StreetHalf, Play.x1, y + StreetHalf}, true);
    for (float x : StreetX)
        paintStreet(c, {x - halfWidthX(x), Play.y0, x + halfWidthX(x), Play.y1}, false);
    paintCrossings(c);
    paintAvenueMedian(c);

    // Blocks: the cells between the streets, less the sidewalks.
    const auto westEdge = [](std::size_t col) {
        return col == 0 ? Play.x0 + Sidewalk : StreetX[col - 1] + halfWidthX(StreetX[col - 1]) + Sidewalk;
    };
    const auto eastEdge = [](std::size_t col) {
        return col == StreetX.size() ? Play.x1 - Sidewalk : StreetX[col] - halfWidthX(StreetX[col]) - Sidewalk;
    };
    const auto northEdge = [](std::size_t row) {
        return row == 0 ? Play.y0 + Sidewalk : StreetY[row - 1] + StreetHalf + Sidewalk;
    };
    const auto southEdge = [](std::size_t row) {
        return row == StreetY.size() ? Play.y1 - Sidewalk : StreetY[row] - StreetHalf - Sidewalk;
    };
    for (std::size_t row = 0; row <= StreetY.size(); ++row)
        for (std::size_t col = 0; col <= StreetX.size(); ++col)
        {
            const Box block{westEdge(col), northEdge(row), eastEdge(col), southEdge(row)};
            const std::uint32_t seed = hash32(static_cast<int>(col), static_cast<int>(row), 2014u);
            switch (Lots[row][col])
            {
            case Lot::Buildings: paintBuildings(c, block, seed); break;
            case Lot::Park: paintPark(c, block, seed); break;
            case Lot::Plaza: paintPlaza(c, block); break;
            case Lot::CarPark: paintCarPark(c, block, seed); break;
            case Lot::BusTerminal: paintBusTerminal(c, block); break;
            }
        }
    // The street trees and cars go last so they may overhang the curbs.
    for (std::size_t i = 0; i < StreetY.size(); ++i)
    {
        const float y = StreetY[i];
        paintStreetLife(c, {Play.x0, y - StreetHalf, Play.x1, y + StreetHalf}, true, static_cast<std::uint32_t>(i));
    }
    for (std::size_t i = 0; i < StreetX.size(); ++i)
    {
        const float x = StreetX[i];
        paintStreetLife(c, {x - halfWidthX(x), Play.y0, x + halfWidthX(x), Play.y1}, false,
                        static_cast<std::uint32_t>(i + 10));
    }
}

// Two tracks on ballast along the top edge, with a train on the far one.
void paintRailway(Canvas& c)
{
    const Box ballast{0.f, 56.f, static_cast<float>(Width), 146.f};
    c.fillRect(ballast, rgb(0x8c857a));
    c.grain(ballast, 8.f, 3.f, 21u);
    for (float y : {80.f, 120.f})
    {
        for (float x = 2.f; x < ballast.x1; x += 8.f) // sleepers every 0.9 m
            c.fillRect({x, y - 10.f, x + 4.f, y + 10.f}, rgb(0x6a5a4a));
        for (float rail : {y - 6.f, y + 5.f})
            c.fillRect({0.f, rail, ballast.x1, rail + 1.5f}, rgb(0xb8b8b6));
    }
    // Overhead line masts every 140 px on the embankment.
    for (float x = 40.f; x < ballast.x1; x += 140.f)
        c.fillRect({x, 52.f, x + 5.f, 57.f}, rgb(0x4a4a4a));
    // Four 22 x 180 px coaches (20 m), roofs seen from above.
    for (int i = 0; i < 4; ++i)
    {
        const Box coach{1150.f + 186.f * static_cast<float>(i), 69.f, 1330.f + 186.f * static_cast<float>(i), 91.f};
        c.fillRoundRect(coach.moved(3.f, 3.f), 5.f, GroundShadow);
        c.fillRoundRect(coach, 5.f, rgb(0x8e9499));
        c.fillRect({coach.x0 + 6.f, coach.y0 + 8.f, coach.x1 - 6.f, coach.y1 - 8.f}, rgb(0x6f767c));
        for (float x = coach.x0 + 24.f; x < coach.x1 - 20.f; x += 44.f)
            c.fillRect({x, coach.y0 + 5.f, x + 12.f, coach.y1 - 5.f}, rgb(0xaab0b4));
    }
}

void paintRiver(Canvas& c)
{
    const float w = static_cast<float>(Width);
    c.fillRect({0.f, 848.f, w, 870.f}, rgb(0xa8a296));      // quay promenade
    c.fillRect({0.f, 866.f, w, 870.f}, rgb(0x7c776e));      // quay edge
    c.fillRect({0.f, 870.f, w, static_cast<float>(Height)}, rgb(0x587f90));
    c.grain({0.f, 870.f, w, static_cast<float>(Height)}, 5.f, 14.f, 31u);
    // Ripples: short pale strokes along the current.
    for (int i = 0; i < 140; ++i)
    {
        const float x = hash01(i, 0, 33u) * w;
        const float y = 880.f + hash01(i, 1, 33u) * 110.f;
        c.capsule({x, y}, {x + 14.f + hash01(i, 2, 33u) * 20.f, y}, 1.f, rgb(0xa8c4cc, 90));
    }
    // A moored barge.
    const Box barge{620.f, 880.f, 860.f, 914.f};
    c.fillRoundRect(barge.moved(3.f, 3.f), 12.f, GroundShadow);
    c.fillRoundRect(barge, 12.f, rgb(0x4e4a46));
    c.fillRect(barge.inset(6.f), rgb(0x7a6a52));
    c.fillRect({barge.x1 - 50.f, barge.y0 + 8.f, barge.x1 - 22.f, barge.y1 - 8.f}, rgb(0xd8d6ce));
    for (float x = 40.f; x < w; x += 110.f)
        paintTreeCrown(c, {x, 834.f}, 11.f, hash32(static_cast<int>(x), 0, 35u));
}

void paintOutskirts(Canvas& c)
{
    c.fillRect(c.bounds(), Ground);
    c.grain(c.bounds(), 7.f, 10.f, 1u);
    // Woods on the west and along the embankments: a jittered 24 px grid.
    for (float y = 12.f; y < static_cast<float>(Height); y += 24.f)
        for (float x = 12.f; x < static_cast<float>(Width); x += 24.f)
        {
            const bool woods = x < Play.x0 - 16.f && y > 150.f && y < 840.f;
            const bool hedge = y < 50.f || (y > 150.f && y < 164.f);
            const int ix = static_cast<int>(x);
            const int iy = static_cast<int>(y);
            if ((woods || hedge) && hash01(ix, iy, 41u) < 0.8f)
                paintTreeCrown(c, {x + (hash01(iy, ix, 42u) - 0.5f) * 12.f, y}, 10.f + hash01(ix, iy, 43u) * 6.f,
                               hash32(ix, iy, 44u));
        }
    paintRailway(c);
    paintRiver(c);
    // Warehouses on the east side.
    paintRoof(c, {2252.f, 196.f, 2388.f, 470.f}, RoofStyle::Flat, rgb(0x8a8d90), 51u);
    paintRoof(c, {2252.f, 500.f, 2388.f, 640.f}, RoofStyle::Solar, rgb(0x7a7c80), 52u);
    paintRoof(c, {2252.f, 668.f, 2388.f, 810.f}, RoofStyle::Gable, rgb(0x8c7a6a), 53u);
}

// The boundary wall, 8 px thick, just outside the play area.
void paintWall(Canvas& c)
{
    const Box outer = Play.inset(-8.f);
    c.fillRect(outer.inset(-3.f).moved(2.f, 2.f), GroundShadow);
    c.fillRect(outer, rgb(0x6e6a62));
    c.fillRect(outer.inset(2.f), rgb(0xd2ccbe)); // the lit coping stones on top
    c.fillRect(Play.inset(-2.f), rgb(0x6e6a62));
}

} // namespace

Canvas paintCityMap()
{
    Canvas c(Width, Height);
    paintOutskirts(c);
    paintWall(c);
    paintCityGrid(c);
    return c;
}
} // namespace tamrow
