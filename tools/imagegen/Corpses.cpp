// The fallen: a body sprawled on its side in a blood pool, one painter with
// one colour set per side.
//
// The game draws these 3000 x 1800 px pictures at 1/150 (about 20 x 12 px on
// screen) with no mipmaps, so one screen pixel samples a single image pixel
// out of every 150. Anything narrower than ~200 px would flicker in and out,
// hence: only flat colour areas, limbs at least 260 px thick, a 140 px rim,
// no texture. Flat areas also keep the PNGs small.

#include "Painters.hpp"

#include <vector>

namespace
{

constexpr unsigned Width = 3000;
constexpr unsigned Height = 1800;
constexpr float Rim = 140.f; // dark rim round the body and each dropped thing, px

const sf::Color Ink = rgb(0x1a1414);
const sf::Color Blood = rgb(0x5e0b0b);
const sf::Color BloodWet = rgb(0x7e1212); // the fresher middle of the pool
const sf::Color Skin = rgb(0xd8a888);

enum class Extra
{
    Bag,      // civilian: dropped shopping bag
    BatScarf, // hooligan: black scarf round the neck, bat on the ground
    Cap       // police: cap fallen off beside the head
};

struct CorpseStyle
{
    sf::Color coat;
    sf::Color legs;
    sf::Color shoes;
    sf::Color hair;
    Extra extra;
};

// A limb or the trunk: a bent line of round-capped segments, `radius` px.
struct Part
{
    std::vector<Pt> joints;
    float radius;
    sf::Color fill;
};

// Draws the parts grown by `grow` px in `ink`, or in their own colours when
// `ink` is transparent.
void paintParts(Canvas& c, const std::vector<Part>& parts, float grow, sf::Color ink)
{
    for (const Part& part : parts)
        for (std::size_t i = 1; i < part.joints.size(); ++i)
            c.capsule(part.joints[i - 1], part.joints[i], part.radius + grow, ink.a > 0 ? ink : part.fill);
}

// One rim round the whole group, then the fills: no rims inside the group,
// which at 1/150 would only add dark speckles.
void paintGroup(Canvas& c, const std::vector<Part>& parts)
{
    paintParts(c, parts, Rim, Ink);
    paintParts(c, parts, 0.f, sf::Color::Transparent);
}

void paintBloodPool(Canvas& c)
{
    // Overlapping discs under the chest and round the head make a lumpy pool
    // that shows well beyond the body, the first thing read on screen.
    const struct
    {
        Pt centre;
        float radius;
    } blobs[] = {{{2150.f, 950.f}, 520.f},  {{1750.f, 1200.f}, 420.f}, {{2600.f, 900.f}, 330.f},
                 {{1350.f, 1380.f}, 300.f}, {{2350.f, 520.f}, 300.f},  {{2450.f, 1400.f}, 330.f},
                 {{1950.f, 1450.f}, 300.f}, {{2780.f, 1250.f}, 180.f}};
    for (const auto& blob : blobs)
        c.fillCircle(blob.centre, blob.radius, Blood);
    c.fillEllipse({2100.f, 1330.f}, 480.f, 240.f, BloodWet);
}

void paintExtra(Canvas& c, const CorpseStyle& s)
{
    switch (s.extra)
    {
    case Extra::Bag:
    {
        const Box bag{250.f, 1250.f, 700.f, 1560.f};
        c.fillRoundRect(bag.inset(-Rim), 80.f + Rim, Ink);
        c.fillRoundRect(bag, 80.f, rgb(0xb89a6a));
        c.fillRoundRect({bag.x0, bag.y0, bag.x1, bag.y0 + 170.f}, 80.f, rgb(0x9a7e52)); // folded top
        break;
    }
    case Extra::BatScarf:
        paintGroup(c, {{{{700.f, 300.f}, {1450.f, 250.f}}, 105.f, rgb(0xd2a86a)}});
        break;
    case Extra::Cap:
        // Fallen cap seen from above: the white band shows below the crown.
        c.fillEllipse({2650.f, 420.f}, 230.f + Rim, 170.f + Rim, Ink);
        c.fillEllipse({2650.f, 420.f}, 230.f, 170.f, sf::Color::White);
        c.fillEllipse({2650.f, 370.f}, 210.f, 120.f, s.coat);
        break;
    }
}

Canvas paintCorpse(const CorpseStyle& s)
{
    Canvas c(Width, Height);
    c.setSoftEdges(false);
    paintBloodPool(c);
    paintExtra(c, s); // dropped things lie under the body

    // Lying on the left side, head to the right, limbs thrown out; parts go
    // from the far side (darker) to the near side so overlaps read as depth.
    const sf::Color farCoat = darker(s.coat, 0.25f);
    const sf::Color farLegs = darker(s.legs, 0.25f);
    std::vector<Part> body = {
        {{{1250.f, 820.f}, {950.f, 620.f}, {680.f, 640.f}}, 145.f, farLegs},
        {{{660.f, 640.f}, {580.f, 600.f}}, 150.f, s.shoes},
        {{{1800.f, 760.f}, {2000.f, 520.f}, {2220.f, 470.f}}, 130.f, farCoat},
        {{{2290.f, 470.f}, {2300.f, 470.f}}, 130.f, Skin},
        {{{1250.f, 900.f}, {1800.f, 870.f}}, 290.f, s.coat},
        {{{1250.f, 990.f}, {950.f, 1210.f}, {670.f, 1140.f}}, 150.f, s.legs},
        {{{650.f, 1140.f}, {570.f, 1190.f}}, 155.f, s.shoes},
        {{{1800.f, 1030.f}, {1980.f, 1270.f}, {2220.f, 1300.f}}, 135.f, s.coat},
        {{{2290.f, 1300.f}, {2300.f, 1300.f}}, 135.f, Skin},
        {{{2120.f, 870.f}, {2130.f, 870.f}}, 230.f, s.hair},
    };
    if (s.extra == Extra::BatScarf)
        body.insert(body.end() - 1, {{{1850.f, 1160.f}, {1960.f, 1000.f}, {1950.f, 720.f}}, 110.f, rgb(0x101010)});
    paintGroup(c, body);
    // Face turned down-left, the hair stays on the back of the skull.
    c.fillCircle({2070.f, 905.f}, 175.f, Skin);
    return c;
}

} // namespace

Canvas paintDeadCivilian()
{
    return paintCorpse({rgb(0x7c8560), rgb(0x6a5542), rgb(0x3a2c22), rgb(0x6b4a2c), Extra::Bag});
}

Canvas paintDeadHooligan()
{
    return paintCorpse({rgb(0xd81e1e), rgb(0x1a1a1a), rgb(0xf0f0f0), rgb(0x3a2a1e), Extra::BatScarf});
}

Canvas paintDeadPolice()
{
    return paintCorpse({rgb(0x1e3274), rgb(0x141d40), rgb(0x202020), rgb(0x4a3222), Extra::Cap});
}
