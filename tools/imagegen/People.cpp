// The person figures: one painter, many outfits. Every side shares the same
// silhouette so they look the same size in game; only colours and a few
// accessories (hood, cap, vest, scarf, bat) tell them apart.
//
// Figure layout on the 60 x 110 px image, seen from above and slightly tilted
// so the head, shoulders, arms and legs all show: head centred at (30, 22),
// torso 15..45 x 36..76, legs down to y = 100, shadow at the feet. The game
// shrinks it to 0.35x (about 21 x 38 px), so every feature is at least 4 px
// here and the whole figure gets a 2 px dark rim.

#include "Painters.hpp"

namespace tamrow
{
namespace
{

constexpr unsigned Width = 60;
constexpr unsigned Height = 110;
constexpr float MidX = 30.f;

const sf::Color Ink = rgb(0x161616);
const sf::Color Silver = rgb(0xdcdcd4); // reflective tape on the vests
const sf::Color Gold = rgb(0xe4b53a);

enum class Headwear
{
    Hair,      // bare head, hair seen from above
    Hood,      // hood up, in the jacket colour
    PeakedCap  // police cap with a coloured band and a black visor
};

// Everything that differs between the sides. A transparent colour means "none".
struct Outfit
{
    sf::Color skin = rgb(0xe0b090);
    sf::Color hair = rgb(0x4a3222);
    sf::Color jacket;
    sf::Color trousers;
    sf::Color shoes = rgb(0x202020);
    Headwear headwear = Headwear::Hair;
    sf::Color capBand = sf::Color::Transparent;
    sf::Color vest = sf::Color::Transparent;  // high-vis vest with two silver bands
    sf::Color scarf = sf::Color::Transparent;
    sf::Color badge = sf::Color::Transparent;
    bool regalia = false; // mayor: white collar, red sash, gold chain
    bool bat = false;     // baseball bat resting on the right shoulder
    bool halo = false;    // player marker: white rim and a ring at the feet
};

bool has(sf::Color c)
{
    return c.a > 0;
}

void paintHead(Canvas& f, const Outfit& o)
{
    const Pt head{MidX, 22.f};
    if (o.headwear == Headwear::Hood)
    {
        // Hood 14.5 px around the head, face peeking out lower down (tilted view).
        f.fillCircle(head, 14.5f, darker(o.jacket, 0.15f));
        f.fillCircle({MidX, 25.f}, 9.5f, o.skin);
        f.ring({MidX, 25.f}, 9.5f, 9.5f, 2.f, darker(o.jacket, 0.45f));
    }
    else
    {
        f.fillCircle(head, 12.f, o.skin);
        if (o.headwear == Headwear::PeakedCap)
        {
            f.fillEllipse({MidX, 17.f}, 14.f, 9.f, darker(o.jacket, 0.2f));
            f.capsule({19.f, 21.5f}, {41.f, 21.5f}, 2.4f, o.capBand);
            f.fillEllipse({MidX, 25.5f}, 10.f, 3.f, Ink);
        }
        else
        {
            // Hair covers the crown; the face shows as a strip below it.
            f.fillEllipse({MidX, 18.f}, 12.5f, 9.5f, o.hair);
        }
    }
    for (float side : {-1.f, 1.f})
        f.fillCircle({MidX + 4.f * side, 29.5f}, 1.3f, Ink);
}

void paintTorso(Canvas& f, const Outfit& o)
{
    // Darker copy first, lit copy shifted up-left: reads as light from top-left.
    f.fillRoundRect({15.f, 36.f, 45.f, 76.f}, 7.f, darker(o.jacket, 0.3f));
    f.fillRoundRect({15.f, 36.f, 42.f, 73.f}, 7.f, o.jacket);
    f.fillEllipse({MidX, 41.f}, 16.f, 7.5f, o.jacket);
    if (has(o.vest))
    {
        f.fillRoundRect({16.f, 38.f, 44.f, 74.f}, 6.f, o.vest);
        f.fillRect({28.5f, 40.f, 31.5f, 74.f}, darker(o.vest, 0.35f)); // the zip line
        for (float y : {51.f, 62.f})
            f.fillRect({16.f, y, 44.f, y + 4.f}, Silver);
    }
    if (has(o.badge))
        f.fillPolygon({{36.f, 44.f}, {41.f, 44.f}, {41.f, 49.f}, {38.5f, 51.5f}, {36.f, 49.f}}, o.badge);
    if (o.regalia)
    {
        f.fillPolygon({{25.f, 35.f}, {35.f, 35.f}, {30.f, 47.f}}, sf::Color::White);
        f.capsule({19.f, 41.f}, {41.f, 72.f}, 4.f, rgb(0xc8202c));
        f.ring({MidX, 40.f}, 8.5f, 6.f, 2.2f, Gold);
    }
    if (has(o.scarf))
    {
        f.capsule({20.f, 36.f}, {40.f, 36.f}, 4.f, o.scarf);
        f.capsule({35.f, 38.f}, {37.f, 52.f}, 3.5f, o.scarf);
    }
}

void paintArms(Canvas& f, const Outfit& o)
{
    for (float side : {-1.f, 1.f})
    {
        const Pt shoulder{MidX + 15.f * side, 43.f};
        const Pt hand{MidX + 17.f * side, 69.f};
        // A 1 px ink gap keeps each arm apart from the torso of the same colour.
        f.capsule(shoulder, hand, 6.5f, Ink);
        f.capsule(shoulder, hand, 5.5f, side < 0.f ? o.jacket : darker(o.jacket, 0.2f));
        f.fillCircle({hand.x, hand.y + 1.f}, 4.5f, o.skin);
    }
}

Canvas paintPerson(const Outfit& o)
{
    Canvas figure(Width, Height);
    for (float side : {-1.f, 1.f})
    {
        figure.capsule({MidX + 6.f * side, 70.f}, {MidX + 7.f * side, 93.f}, 6.f, o.trousers);
        figure.fillEllipse({MidX + 7.f * side, 97.f}, 6.f, 4.5f, o.shoes);
    }
    paintTorso(figure, o);
    if (o.bat)
    {
        // Handle in the right hand, barrel over the shoulder (4 px thin end, 7 px thick end).
        figure.capsule({48.f, 74.f}, {50.f, 56.f}, 2.2f, rgb(0x8a5a2e));
        figure.capsule({50.f, 56.f}, {54.f, 20.f}, 3.6f, rgb(0xd2a86a));
    }
    paintArms(figure, o);
    paintHead(figure, o);
    figure.outline(2.f, Ink);
    if (o.halo)
        figure.outline(3.f, sf::Color::White);

    // Ground layer: soft shadow and the player's ring go under the figure.
    Canvas image(Width, Height);
    image.fillEllipse({MidX, 99.f}, 19.f, 6.f, sf::Color(0, 0, 0, 90));
    if (o.halo)
        image.ring({MidX, 98.f}, 24.f, 8.f, 4.f, sf::Color::White);
    image.drawOver(figure);
    return image;
}

Outfit policeUniform()
{
    Outfit o;
    o.jacket = rgb(0x1e3274);
    o.trousers = rgb(0x141d40);
    o.headwear = Headwear::PeakedCap;
    o.capBand = sf::Color::White;
    return o;
}

} // namespace

Canvas paintPlayer()
{
    Outfit o;
    o.jacket = rgb(0xffd21a);
    o.trousers = rgb(0x2c4f8c);
    o.shoes = rgb(0xf2f2f2);
    o.halo = true;
    return paintPerson(o);
}

Canvas paintCivilian()
{
    Outfit o;
    o.hair = rgb(0x6b4a2c);
    o.jacket = rgb(0x7c8560);
    o.trousers = rgb(0x6a5542);
    o.shoes = rgb(0x3a2c22);
    return paintPerson(o);
}

Canvas paintHooligan()
{
    Outfit o;
    o.jacket = rgb(0xd81e1e);
    o.trousers = rgb(0x1a1a1a);
    o.shoes = rgb(0xf0f0f0);
    o.headwear = Headwear::Hood;
    o.scarf = rgb(0x101010);
    o.bat = true;
    return paintPerson(o);
}

Canvas paintPolice()
{
    Outfit o = policeUniform();
    o.badge = rgb(0xf4f4f4);
    return paintPerson(o);
}

Canvas paintVigilante()
{
    // Same force as 11_police, told apart by the fluorescent vest and cap band.
    Outfit o = policeUniform();
    o.jacket = rgb(0x1b2440);
    o.vest = rgb(0xc6f21e);
    o.capBand = o.vest;
    return paintPerson(o);
}

Canvas paintVigilanteVariant()
{
    Outfit o;
    o.hair = rgb(0x2a2a2a);
    o.jacket = rgb(0x3b3f48);
    o.trousers = rgb(0x25272d);
    o.headwear = Headwear::Hood;
    o.vest = rgb(0xff7a1c);
    return paintPerson(o);
}

Canvas paintMayor()
{
    Outfit o;
    o.hair = rgb(0xb8b8b8);
    o.jacket = rgb(0x34373f);
    o.trousers = rgb(0x2a2c33);
    o.regalia = true;
    return paintPerson(o);
}
} // namespace tamrow
