// The pictures the game loads but shows nowhere yet. They are still real,
// small drawings (64 - 192 px) in the same style, so whoever uses one later
// gets something fitting. The roof and the tree reuse the map's painters.

#include "Painters.hpp"

namespace tamrow
{
namespace
{

const sf::Color Frame = rgb(0x4a4e52);

// A little bus pictogram on a round green sign, `r` px radius.
void paintBusSign(Canvas& c, Pt centre, float r)
{
    c.fillCircle(centre, r, sf::Color::White);
    c.fillCircle(centre, r - 2.f, rgb(0x2f7d4f));
    const float s = r * 0.5f;
    c.fillRoundRect({centre.x - s, centre.y - s * 0.8f, centre.x + s, centre.y + s * 0.6f}, 2.f, sf::Color::White);
    c.fillRect({centre.x - s + 2.f, centre.y - s * 0.5f, centre.x + s - 2.f, centre.y}, rgb(0x2f7d4f));
    for (float side : {-1.f, 1.f})
        c.fillCircle({centre.x + side * s * 0.55f, centre.y + s * 0.65f}, 2.f, sf::Color::White);
}

} // namespace

Canvas paintBuildingRoof()
{
    Canvas c(128, 128);
    paintRoof(c, {4.f, 4.f, 118.f, 118.f}, RoofStyle::Flat, rgb(0x8c6e5c), 101u);
    return c;
}

Canvas paintTree()
{
    Canvas c(128, 128);
    // Centre up-left of the middle: the shadow falls 17 px to the bottom-right.
    paintTreeCrown(c, {58.f, 58.f}, 50.f, 113u);
    return c;
}

Canvas paintPathTile()
{
    // 64 x 64 px of 16 x 8 px paving bricks in running bond; the pattern
    // repeats every 64 px, so the tile wraps seamlessly.
    Canvas c(64, 64, rgb(0x8a8478));
    const sf::Color tones[] = {rgb(0xb9b2a4), rgb(0xb0a898), rgb(0xc2baab), rgb(0xa9a192)};
    for (int row = 0; row < 8; ++row)
    {
        const int shift = row % 2 == 0 ? 0 : -8;
        for (int x = shift; x < 64; x += 16)
        {
            // Keyed on the wrapped column so a brick cut by the edge keeps one tone.
            const sf::Color tone = tones[hash32((x + 64) % 64, row, 10u) % 4u];
            const auto fx = static_cast<float>(x);
            const auto fy = static_cast<float>(row * 8);
            for (float wrap : {0.f, 64.f})
                c.fillRect({fx + wrap + 0.5f, fy + 0.5f, fx + wrap + 15.5f, fy + 7.5f}, tone);
        }
    }
    c.grain(c.bounds(), 4.f, 4.f, 10u);
    return c;
}

Canvas paintFence()
{
    // A 128 x 64 px palisade segment, front view: posts, two rails, pointed bars.
    Canvas c(128, 64);
    const sf::Color metal = rgb(0x3e5a48);
    c.fillRect({2.f, 58.f, 126.f, 63.f}, GroundShadow);
    for (float y : {20.f, 46.f})
        c.fillRect({4.f, y, 124.f, y + 4.f}, darker(metal, 0.2f));
    for (float x = 14.f; x < 116.f; x += 10.f)
    {
        c.fillRect({x, 10.f, x + 4.f, 60.f}, metal);
        c.fillPolygon({{x - 1.f, 11.f}, {x + 2.f, 4.f}, {x + 5.f, 11.f}}, metal);
        c.fillRect({x, 10.f, x + 1.5f, 60.f}, lighter(metal, 0.2f)); // lit left edge
    }
    for (float x : {3.f, 117.f})
    {
        c.fillRect({x, 4.f, x + 8.f, 62.f}, darker(metal, 0.3f));
        c.fillRect({x - 1.f, 2.f, x + 9.f, 6.f}, darker(metal, 0.45f));
    }
    return c;
}

Canvas paintBusShelter()
{
    // A 192 x 112 px shelter, front view: glass back wall, roof slab, bench,
    // and the stop sign on its pole at the right.
    Canvas c(192, 112);
    c.fillEllipse({90.f, 100.f}, 84.f, 8.f, GroundShadow);
    c.fillRect({14.f, 24.f, 166.f, 96.f}, rgb(0xa8c6d2, 130));
    for (float x : {14.f, 88.f, 162.f})
        c.fillRect({x, 20.f, x + 4.f, 98.f}, Frame);
    c.fillRect({14.f, 92.f, 166.f, 96.f}, Frame);
    // Reflections: two pale diagonal streaks on each pane.
    for (float x : {30.f, 104.f})
        c.fillPolygon({{x, 90.f}, {x + 10.f, 90.f}, {x + 34.f, 28.f}, {x + 24.f, 28.f}}, sf::Color(255, 255, 255, 60));
    c.fillRoundRect({6.f, 10.f, 174.f, 24.f}, 3.f, rgb(0x3a3e44));
    c.fillRect({6.f, 10.f, 174.f, 13.f}, rgb(0x5c6168));
    // Bench: seat and two legs.
    c.fillRect({36.f, 70.f, 144.f, 76.f}, rgb(0x9a6c40));
    for (float x : {44.f, 132.f})
        c.fillRect({x, 76.f, x + 4.f, 94.f}, Frame);
    c.fillRect({178.f, 30.f, 182.f, 104.f}, Frame);
    paintBusSign(c, {180.f, 24.f}, 11.f);
    return c;
}

Canvas paintShopFront()
{
    // A 160 x 128 px corner shop, front view.
    Canvas c(160, 128, rgb(0xb07a5a));
    c.grain(c.bounds(), 6.f, 3.f, 12u);
    // Sign board with blocky "lettering".
    c.fillRect({8.f, 6.f, 152.f, 26.f}, rgb(0x2e5e66));
    for (float x = 22.f; x < 136.f; x += 14.f)
        c.fillRect({x, 11.f, x + 9.f, 21.f}, rgb(0xf0e6c8));
    // Striped awning with a scalloped edge.
    for (int i = 0; i < 12; ++i)
    {
        const float x = 8.f + 12.f * static_cast<float>(i);
        const sf::Color stripe = i % 2 == 0 ? rgb(0xc0392b) : rgb(0xf2ead8);
        c.fillRect({x, 28.f, x + 12.f, 44.f}, stripe);
        c.fillCircle({x + 6.f, 44.f}, 6.f, stripe);
    }
    // Shop window: glass, two shelves of goods.
    c.fillRect({10.f, 56.f, 102.f, 118.f}, Frame);
    c.fillRect({14.f, 60.f, 98.f, 114.f}, rgb(0x9fbcc6));
    const sf::Color goods[] = {rgb(0xe0a030), rgb(0x4f8a5a), rgb(0xc85040), rgb(0x4a6fa8), rgb(0xe8d8b0)};
    for (float shelf : {84.f, 110.f})
    {
        c.fillRect({14.f, shelf, 98.f, shelf + 3.f}, rgb(0x6b5a44));
        for (int i = 0; i < 6; ++i)
        {
            const float x = 18.f + 13.f * static_cast<float>(i);
            const float h = 10.f + hash01(i, static_cast<int>(shelf), 12u) * 8.f;
            c.fillRect({x, shelf - h, x + 9.f, shelf}, goods[hash32(i, static_cast<int>(shelf), 13u) % 5u]);
        }
    }
    // Door with its own pane and handle.
    c.fillRect({110.f, 54.f, 150.f, 122.f}, rgb(0x5a3e2a));
    c.fillRect({116.f, 60.f, 144.f, 96.f}, rgb(0x9fbcc6));
    c.fillCircle({142.f, 102.f}, 2.5f, rgb(0xd8c070));
    c.fillRect({0.f, 122.f, 160.f, 128.f}, rgb(0x9a948a)); // the pavement
    return c;
}
} // namespace tamrow
