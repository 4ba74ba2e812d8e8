// City pieces seen from above, at map scale: 1 map px = 3.5 world px, about
// 0.12 m, so a car is ~37 x 16 px and a person ~6 px. Colours stay muted and
// mid-toned so the saturated people stand out on top of them. Light comes
// from the top-left: shadows fall 2-5 px to the bottom-right.

#include "Painters.hpp"

#include <algorithm>
#include <cmath>

namespace tamrow
{
namespace
{

const sf::Color Grass = rgb(0x7d9460);
const sf::Color Sand = rgb(0xc4b596);
const sf::Color Paving = rgb(0xb4ada0);
const sf::Color Water = rgb(0x5f8c9e);
const sf::Color Stone = rgb(0xcfc8b8);
const sf::Color Tarmac = rgb(0x64676c);
const sf::Color Paint = rgb(0xdedbd0);
const sf::Color Wood = rgb(0x8a6a48);

// Maps roof-local coordinates (u along the long side, v across) to the map.
struct Frame
{
    Box box;
    bool alongX;
    float length() const { return alongX ? box.width() : box.height(); }
    float breadth() const { return alongX ? box.height() : box.width(); }
    Pt at(float u, float v) const { return alongX ? Pt{box.x0 + u, box.y0 + v} : Pt{box.x0 + v, box.y0 + u}; }
};

void paintFlatDetails(Canvas& c, const Box& inner, std::uint32_t seed)
{
    // About one air-conditioning box or vent per 40 x 40 px of roof.
    const int count = std::clamp(static_cast<int>(inner.width() * inner.height() / 1600.f), 1, 8);
    for (int i = 0; i < count; ++i)
    {
        const float x = inner.x0 + 6.f + hash01(i, 1, seed) * std::max(1.f, inner.width() - 24.f);
        const float y = inner.y0 + 6.f + hash01(i, 2, seed) * std::max(1.f, inner.height() - 22.f);
        if (hash01(i, 3, seed) < 0.55f)
        {
            const Box unit{x, y, x + 12.f, y + 9.f};
            c.fillRect(unit.moved(2.f, 2.f), GroundShadow);
            c.fillRect(unit, rgb(0xc6c6c0));
            c.fillCircle(unit.centre(), 3.f, rgb(0x5a5a5a));
        }
        else if (hash01(i, 4, seed) < 0.5f)
        {
            c.fillCircle({x + 4.f, y + 4.f}, 4.f, GroundShadow);
            c.fillCircle({x + 3.f, y + 3.f}, 3.5f, rgb(0x9a9a96));
        }
        else
        {
            // Skylight: pale glass in a light frame.
            c.fillRect({x, y, x + 10.f, y + 14.f}, rgb(0xd0d0c8));
            c.fillRect({x + 1.5f, y + 1.5f, x + 8.5f, y + 12.5f}, rgb(0x8ea4ae));
        }
    }
}

void paintFlatRoof(Canvas& c, const Box& b, sf::Color colour, std::uint32_t seed, bool solar)
{
    c.fillRect(b, lighter(colour, 0.22f)); // parapet, 3 px wide
    const Box inner = b.inset(3.f);
    c.fillRect(inner, colour);
    c.fillRect({inner.x0, inner.y0, inner.x1, inner.y0 + 2.f}, darker(colour, 0.18f)); // parapet shadow
    c.grain(inner, 5.f, 7.f, seed);
    if (!solar)
    {
        paintFlatDetails(c, inner, seed);
        return;
    }
    // Rows of 8 x 12 px panels with 2 px walkways.
    for (float y = inner.y0 + 5.f; y + 12.f <= inner.y1 - 4.f; y += 15.f)
        for (float x = inner.x0 + 5.f; x + 8.f <= inner.x1 - 4.f; x += 10.f)
            c.fillRect({x, y, x + 8.f, y + 12.f}, rgb(0x34425e));
}

void paintGableRoof(Canvas& c, const Frame& f, sf::Color colour)
{
    const float l = f.length();
    const float half = f.breadth() * 0.5f;
    c.fillPolygon({f.at(0, 0), f.at(l, 0), f.at(l, half), f.at(0, half)}, lighter(colour, 0.08f));
    c.fillPolygon({f.at(0, half), f.at(l, half), f.at(l, 2 * half), f.at(0, 2 * half)}, darker(colour, 0.18f));
    // Tile courses every 5 px, parallel to the ridge.
    for (float v = 4.f; v < 2.f * half - 2.f; v += 5.f)
        c.capsule(f.at(1.f, v), f.at(l - 1.f, v), 0.5f, withAlpha(darker(colour, 0.4f), 70));
    c.capsule(f.at(1.f, half), f.at(l - 1.f, half), 1.5f, lighter(colour, 0.3f));
}

void paintHipRoof(Canvas& c, const Frame& f, sf::Color colour)
{
    const float l = f.length();
    const float w = f.breadth();
    const float h = w * 0.5f;
    const Pt r0 = f.at(h, h);
    const Pt r1 = f.at(l - h, h);
    c.fillPolygon({f.at(0, 0), f.at(l, 0), r1, r0}, lighter(colour, 0.1f));
    c.fillPolygon({f.at(0, w), f.at(l, w), r1, r0}, darker(colour, 0.2f));
    c.fillPolygon({f.at(0, 0), r0, f.at(0, w)}, colour);
    c.fillPolygon({f.at(l, 0), r1, f.at(l, w)}, darker(colour, 0.1f));
    const sf::Color edge = lighter(colour, 0.3f);
    for (const Pt corner : {f.at(0, 0), f.at(0, w)})
        c.capsule(corner, r0, 1.f, edge);
    for (const Pt corner : {f.at(l, 0), f.at(l, w)})
        c.capsule(corner, r1, 1.f, edge);
    c.capsule(r0, r1, 1.5f, edge);
}

// Distance from p to the segment a..b, px.
float segmentDistance(Pt p, Pt a, Pt b)
{
    const float bx = b.x - a.x;
    const float by = b.y - a.y;
    const float t = std::clamp(((p.x - a.x) * bx + (p.y - a.y) * by) / std::max(bx * bx + by * by, 1e-6f), 0.f, 1.f);
    return std::hypot(p.x - a.x - bx * t, p.y - a.y - by * t);
}

void paintBench(Canvas& c, Pt centre, bool alongX)
{
    const Box seat = alongX ? Box{centre.x - 7.f, centre.y - 2.f, centre.x + 7.f, centre.y + 2.f}
                            : Box{centre.x - 2.f, centre.y - 7.f, centre.x + 2.f, centre.y + 7.f};
    c.fillRect(seat.moved(1.f, 1.f), GroundShadow);
    c.fillRect(seat, Wood);
}

} // namespace

void paintRoof(Canvas& c, const Box& b, RoofStyle style, sf::Color colour, std::uint32_t seed)
{
    c.fillRect(b.moved(5.f, 5.f), GroundShadow);
    const Frame frame{b, b.width() >= b.height()};
    switch (style)
    {
    case RoofStyle::Flat:
    case RoofStyle::Solar:
        paintFlatRoof(c, b, colour, seed, style == RoofStyle::Solar);
        break;
    case RoofStyle::Gable:
        paintGableRoof(c, frame, colour);
        break;
    case RoofStyle::Hip:
        paintHipRoof(c, frame, colour);
        break;
    }
}

void paintTreeCrown(Canvas& c, Pt centre, float radius, std::uint32_t seed)
{
    const sf::Color greens[] = {rgb(0x4f7d3c), rgb(0x5b8842), rgb(0x46733f), rgb(0x6a8a3e)};
    const sf::Color leaf = greens[hash32(0, 0, seed) % 4u];
    c.fillCircle({centre.x + radius * 0.35f, centre.y + radius * 0.35f}, radius, GroundShadow);
    c.fillCircle(centre, radius * 0.92f, darker(leaf, 0.3f));
    // Seven lumps round the rim make the crown look leafy instead of a disc.
    const float turn = hash01(0, 1, seed) * 6.2832f;
    for (int i = 0; i < 7; ++i)
    {
        const float a = turn + static_cast<float>(i) * 0.8976f; // 2 pi / 7
        c.fillCircle({centre.x + std::cos(a) * radius * 0.5f, centre.y + std::sin(a) * radius * 0.5f}, radius * 0.48f,
                     i % 2 == 0 ? leaf : darker(leaf, 0.1f));
    }
    c.fillCircle({centre.x - radius * 0.22f, centre.y - radius * 0.22f}, radius * 0.42f, lighter(leaf, 0.12f));
    c.fillCircle({centre.x - radius * 0.32f, centre.y - radius * 0.34f}, radius * 0.2f, lighter(leaf, 0.28f));
}

void paintCar(Canvas& c, Pt centre, bool alongX, sf::Color body)
{
    // 37 x 16 px body; u runs from the front (0) to the back (37).
    const Frame f{alongX ? Box{centre.x - 18.5f, centre.y - 8.f, centre.x + 18.5f, centre.y + 8.f}
                         : Box{centre.x - 8.f, centre.y - 18.5f, centre.x + 8.f, centre.y + 18.5f},
                  alongX};
    c.fillRoundRect(f.box.moved(2.f, 2.f), 4.f, GroundShadow);
    c.fillRoundRect(f.box, 4.f, body);
    const sf::Color glass = rgb(0x2c3440);
    c.fillPolygon({f.at(9, 2), f.at(14, 3), f.at(14, 13), f.at(9, 14)}, glass);
    c.fillPolygon({f.at(27, 3), f.at(31, 2), f.at(31, 14), f.at(27, 13)}, glass);
    c.fillPolygon({f.at(14, 3), f.at(27, 3), f.at(27, 13), f.at(14, 13)}, lighter(body, 0.12f));
}

void paintPark(Canvas& c, const Box& b, std::uint32_t seed)
{
    c.fillRect(b, Grass);
    c.grain(b, 7.f, 9.f, seed);
    // A diagonal path and a round pond on the other diagonal.
    const Pt a{b.x0, b.y0 + b.height() * 0.2f};
    const Pt z{b.x1, b.y1 - b.height() * 0.15f};
    c.capsule(a, z, 6.f, Sand);
    const Pt pond{b.x0 + b.width() * 0.7f, b.y0 + b.height() * 0.3f};
    const float pondR = std::min(b.width(), b.height()) * 0.2f;
    c.fillEllipse(pond, pondR * 1.4f + 3.f, pondR + 3.f, Stone);
    c.fillEllipse(pond, pondR * 1.4f, pondR, Water);
    c.fillEllipse({pond.x - pondR * 0.3f, pond.y - pondR * 0.3f}, pondR * 0.5f, pondR * 0.25f, lighter(Water, 0.15f));
    for (float t : {0.3f, 0.6f})
        paintBench(c, {a.x + (z.x - a.x) * t, a.y + (z.y - a.y) * t - 11.f}, true);

    // Trees on a jittered 30 px grid, kept off the path and the pond.
    for (float y = b.y0 + 14.f; y < b.y1 - 10.f; y += 30.f)
        for (float x = b.x0 + 14.f; x < b.x1 - 10.f; x += 30.f)
        {
            const int ix = static_cast<int>(x);
            const int iy = static_cast<int>(y);
            const Pt p{x + (hash01(ix, iy, seed) - 0.5f) * 14.f, y + (hash01(iy, ix, seed) - 0.5f) * 14.f};
            const float r = 10.f + hash01(ix, iy, seed + 1u) * 7.f;
            const bool clear = segmentDistance(p, a, z) > r + 8.f &&
                               std::hypot((p.x - pond.x) / 1.4f, p.y - pond.y) > pondR + r + 4.f;
            if (clear && hash01(ix, iy, seed + 2u) < 0.7f)
                paintTreeCrown(c, p, r, hash32(ix, iy, seed));
        }
}

void paintPlaza(Canvas& c, const Box& b)
{
    c.fillRect(b, Paving);
    // 12 px stone slabs, just a hint of joints.
    for (float x = b.x0 + 12.f; x < b.x1; x += 12.f)
        c.fillRect({x, b.y0, x + 1.f, b.y1}, withAlpha(darker(Paving, 0.3f), 50));
    for (float y = b.y0 + 12.f; y < b.y1; y += 12.f)
        c.fillRect({b.x0, y, b.x1, y + 1.f}, withAlpha(darker(Paving, 0.3f), 50));
    const Pt mid = b.centre();
    c.ring(mid, 58.f, 50.f, 8.f, darker(Paving, 0.12f));
    // Fountain: stone rim, water, middle basin and the jet.
    c.fillCircle({mid.x + 3.f, mid.y + 3.f}, 34.f, GroundShadow);
    c.fillCircle(mid, 34.f, Stone);
    c.fillCircle(mid, 29.f, Water);
    c.ring(mid, 20.f, 20.f, 2.f, lighter(Water, 0.25f));
    c.fillCircle(mid, 10.f, Stone);
    c.fillCircle(mid, 5.f, rgb(0xe4eef0));
    // Trees in square planters near the corners, benches facing the fountain.
    for (float sx : {-1.f, 1.f})
        for (float sy : {-1.f, 1.f})
        {
            const Pt p{mid.x + sx * (b.width() * 0.5f - 24.f), mid.y + sy * (b.height() * 0.5f - 22.f)};
            c.fillRect({p.x - 10.f, p.y - 10.f, p.x + 10.f, p.y + 10.f}, rgb(0x8f8a80));
            c.fillRect({p.x - 8.f, p.y - 8.f, p.x + 8.f, p.y + 8.f}, rgb(0x6b5a44));
            paintTreeCrown(c, p, 15.f, hash32(static_cast<int>(sx), static_cast<int>(sy), 7u));
            paintBench(c, {mid.x + sx * 72.f, mid.y + sy * 22.f}, false);
        }
}

void paintCarPark(Canvas& c, const Box& b, std::uint32_t seed)
{
    c.fillRect(b, Tarmac);
    c.grain(b, 4.f, 5.f, seed);
    const sf::Color cars[] = {rgb(0x9b4a40), rgb(0x4d6680), rgb(0xd8d8d2), rgb(0xa6abb0),
                              rgb(0x2e3034), rgb(0x55705a), rgb(0xb8a98a)};
    // Two rows of 20 x 42 px bays facing a central aisle.
    const float depth = 42.f;
    const int bays = static_cast<int>((b.width() - 14.f) / 20.f);
    for (const float rowY : {b.y0 + 4.f, b.y1 - 4.f - depth})
    {
        for (int bay = 0; bay <= bays; ++bay)
        {
            const float x = b.x0 + 8.f + 20.f * static_cast<float>(bay);
            c.fillRect({x, rowY, x + 1.5f, rowY + depth}, Paint);
            const int key = bay + static_cast<int>(rowY);
            if (bay < bays && hash01(key, 5, seed) < 0.65f)
                paintCar(c, {x + 10.75f, rowY + depth * 0.5f}, false, cars[hash32(key, 6, seed) % 7u]);
        }
        const float aisleEdge = rowY < b.centre().y ? rowY + depth : rowY;
        c.fillRect({b.x0 + 8.f, aisleEdge - 0.75f, b.x0 + 9.5f + 20.f * static_cast<float>(bays), aisleEdge + 0.75f},
                   Paint);
    }
    // Aisle arrows: simple chevrons every 60 px point the one-way flow.
    for (float x = b.x0 + 40.f; x < b.x1 - 30.f; x += 60.f)
        c.fillPolygon({{x, b.centre().y - 6.f}, {x + 10.f, b.centre().y}, {x, b.centre().y + 6.f}},
                      withAlpha(Paint, 160));
}

void paintBusTerminal(Canvas& c, const Box& b)
{
    c.fillRect(b, Paving);
    // The bus lane along the bottom, 40 px wide, with two buses in their bays.
    const Box lane{b.x0, b.y1 - 48.f, b.x1, b.y1 - 8.f};
    c.fillRect(lane, Tarmac);
    for (float x = lane.x0 + 10.f; x < lane.x1 - 10.f; x += 18.f)
        c.fillRect({x, lane.y0 + 2.f, x + 10.f, lane.y0 + 4.f}, rgb(0xd8c060));
    for (int i = 0; i < 2; ++i)
    {
        const float x = lane.x0 + 20.f + static_cast<float>(i) * (lane.width() * 0.5f);
        const Box bus{x, lane.y0 + 8.f, x + 104.f, lane.y0 + 32.f}; // 12 x 2.8 m
        c.fillRoundRect(bus.moved(3.f, 3.f), 4.f, GroundShadow);
        c.fillRoundRect(bus, 4.f, rgb(0x3e7088));
        c.fillRect({bus.x0 + 4.f, bus.y0 + 4.f, bus.x1 - 4.f, bus.y1 - 4.f}, rgb(0xd6d8d4));
        for (float u : {20.f, 60.f})
            c.fillRect({bus.x0 + u, bus.y0 + 7.f, bus.x0 + u + 14.f, bus.y1 - 7.f}, rgb(0x9aa0a4));
    }
    // Platform canopy with roof ribs every 20 px.
    const Box canopy{b.x0 + 16.f, b.y0 + 22.f, b.x1 - 16.f, b.y0 + 62.f};
    c.fillRect(canopy.moved(4.f, 4.f), GroundShadow);
    c.fillRect(canopy, rgb(0xbfc3c2));
    for (float x = canopy.x0 + 10.f; x < canopy.x1; x += 20.f)
        c.fillRect({x, canopy.y0, x + 2.f, canopy.y1}, rgb(0xa3a8a8));
    c.fillRect({canopy.x0, canopy.y0 + 18.f, canopy.x1, canopy.y0 + 22.f}, rgb(0x9aa0a0));
    for (float x = canopy.x0 + 30.f; x < canopy.x1 - 20.f; x += 60.f)
        paintBench(c, {x, canopy.y1 + 14.f}, true);
}
} // namespace tamrow
