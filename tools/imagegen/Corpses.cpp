// The fallen: a person spread out on its back inside a chalk line, one painter
// with one colour set per side.
//
// The game draws these 3000 x 1800 px pictures at 1/150 (20 x 12 px on screen)
// with no mipmaps, so one screen pixel samples a single image pixel out of
// every 150. Anything narrower than ~200 px would flicker in and out, hence:
// only flat colour areas, limbs at least 280 px thick, a 150 px chalk line and
// no texture. The figure fills the picture, so a corpse is as long on screen
// as a person is wide and tall together, and the pale chalk line parts it from
// asphalt, grass and pavement alike: dark ground shows the line, light ground
// shows the dark clothes inside it.

#include "Painters.hpp"

#include <vector>

namespace tamrow
{
namespace
{

constexpr unsigned Width = 3000;
constexpr unsigned Height = 1800;
constexpr float Chalk = 150.f; // pale line round the whole figure, px
constexpr float Ink = 50.f;    // dark hairline outside the chalk, for pale pavement


const sf::Color ChalkColour = rgb(0xf4f0e6);
const sf::Color InkColour = rgb(0x1a1414);
const sf::Color Blood = rgb(0x8a0f0f);
const sf::Color Skin = rgb(0xe0b090);

enum class Extra
{
    Bag,   // civilian: dropped shopping bag
    Scarf, // hooligan: black scarf round the neck, white trainers
    Cap    // police: white-banded cap fallen beside the head
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

// Draws the parts grown by `grow` px, in `ink` or, when it is transparent, in
// their own colours.
void paintParts(Canvas& c, const std::vector<Part>& parts, float grow, sf::Color ink)
{
    for (const Part& part : parts)
        for (std::size_t i = 1; i < part.joints.size(); ++i)
            c.capsule(part.joints[i - 1], part.joints[i], part.radius + grow, ink.a > 0 ? ink : part.fill);
}

// Head to the right, arms and legs thrown out: the shape of a person at a
// glance, as wide as the picture allows while the whole figure, chalk and
// hairline included, keeps 160 px of bare picture on every side: more than one
// screen pixel's worth, so the edge of a corpse's quad only ever samples
// transparent pixels, however it is rasterised (one sprite or many in one draw).
std::vector<Part> bodyOf(const CorpseStyle& s)
{
    return {
        {{{1250.f, 760.f}, {850.f, 560.f}, {600.f, 540.f}}, 180.f, s.legs},
        {{{1250.f, 1040.f}, {850.f, 1240.f}, {600.f, 1260.f}}, 180.f, s.legs},
        {{{540.f, 545.f}, {545.f, 545.f}}, 160.f, s.shoes},
        {{{540.f, 1255.f}, {545.f, 1255.f}}, 160.f, s.shoes},
        {{{1950.f, 640.f}, {2200.f, 520.f}}, 150.f, s.coat},
        {{{1950.f, 1160.f}, {2200.f, 1280.f}}, 150.f, s.coat},
        {{{2280.f, 510.f}, {2285.f, 510.f}}, 140.f, Skin},
        {{{2280.f, 1290.f}, {2285.f, 1290.f}}, 140.f, Skin},
        {{{1250.f, 900.f}, {2000.f, 900.f}}, 360.f, s.coat},
        {{{2400.f, 900.f}, {2405.f, 900.f}}, 235.f, s.hair},
    };
}

void paintExtra(Canvas& c, const CorpseStyle& s)
{
    switch (s.extra)
    {
    case Extra::Bag:
        c.fillRoundRect({2420.f, 1180.f, 2760.f, 1440.f}, 60.f, rgb(0xd8b67a));
        break;
    case Extra::Scarf:
        c.capsule({2150.f, 700.f}, {2150.f, 1100.f}, 120.f, rgb(0x101010));
        break;
    case Extra::Cap:
        c.fillEllipse({2660.f, 500.f}, 150.f, 120.f, sf::Color::White);
        c.fillEllipse({2660.f, 470.f}, 130.f, 80.f, s.coat);
        break;
    }
}

Canvas paintCorpse(const CorpseStyle& s)
{
    Canvas c(Width, Height);
    c.setSoftEdges(false);
    const std::vector<Part> body = bodyOf(s);
    paintParts(c, body, Chalk + Ink, InkColour);
    paintParts(c, body, Chalk, ChalkColour);
    // The pool spreads from under the chest and head, inside the chalk line.
    c.fillEllipse({1750.f, 950.f}, 600.f, 400.f, Blood);
    paintParts(c, body, 0.f, sf::Color::Transparent);
    paintExtra(c, s);
    // Face up: skin in the middle of the hair.
    c.fillCircle({2430.f, 900.f}, 165.f, Skin);
    return c;
}

} // namespace

Canvas paintDeadCivilian()
{
    return paintCorpse({rgb(0x9aa870), rgb(0x6a5542), rgb(0x3a2c22), rgb(0x6b4a2c), Extra::Bag});
}

Canvas paintDeadHooligan()
{
    return paintCorpse({rgb(0xe82020), rgb(0x1a1a1a), rgb(0xf0f0f0), rgb(0x3a2a1e), Extra::Scarf});
}

Canvas paintDeadPolice()
{
    return paintCorpse({rgb(0x2848b0), rgb(0x141d40), rgb(0x202020), rgb(0x4a3222), Extra::Cap});
}
} // namespace tamrow
