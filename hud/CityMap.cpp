#include "hud/CityMap.hpp"

#include "hud/Palette.hpp"

#include <SFML/Graphics/Image.hpp>
#include <SFML/Graphics/Sprite.hpp>
#include <SFML/Graphics/VertexArray.hpp>

#include <algorithm>
#include <array>

namespace tamrow
{
namespace
{
constexpr float PersonDot = 4.0f;     ///< side of a person's dot (px)
constexpr float PersonEdge = 1.0f;    ///< dark band round it, apart from the map's own colours (px)
constexpr float CharacterDot = 7.0f;  ///< side of the character's dot (px), its dark edge included
constexpr float CharacterEdge = 1.5f; ///< px
constexpr float DeathDot = 5.0f;      ///< side of a fresh death's mark (px)
constexpr float FrameWidth = 1.0f;    ///< the map's edge and the window's outline (px)
const sf::Color PlainGround(40, 48, 40);
const sf::Color MapEdge(0, 0, 0, 200);
const sf::Color SeenOutline(255, 255, 255);
const sf::Color DeathColour(255, 255, 255);

/// `image` averaged down to `width` x `height`: each map pixel is the mean of
/// the image pixels it covers, so thin streets still read.
sf::Image averagedDown(const sf::Image& image, unsigned width, unsigned height)
{
    const sf::Vector2u from = image.getSize();
    sf::Image small;
    small.create(width, height, PlainGround);
    for (unsigned y = 0; y < height; ++y)
    {
        const unsigned top = y * from.y / height;
        const unsigned bottom = std::max(top + 1, (y + 1) * from.y / height);
        for (unsigned x = 0; x < width; ++x)
        {
            const unsigned left = x * from.x / width;
            const unsigned right = std::max(left + 1, (x + 1) * from.x / width);
            std::array<unsigned, 3> sum = {0, 0, 0};  // red, green, blue: the map is opaque
            for (unsigned v = top; v < bottom; ++v)
                for (unsigned u = left; u < right; ++u)
                {
                    const sf::Color pixel = image.getPixel(u, v);
                    sum[0] += pixel.r;
                    sum[1] += pixel.g;
                    sum[2] += pixel.b;
                }
            const unsigned count = (bottom - top) * (right - left);
            small.setPixel(x, y, sf::Color(static_cast<sf::Uint8>(sum[0] / count), static_cast<sf::Uint8>(sum[1] / count),
                                           static_cast<sf::Uint8>(sum[2] / count), 255));
        }
    }
    return small;
}

/// A square of side `side` centred on `centre`, moved inside `area` if it
/// sticks out, as two triangles.
void addSquare(sf::VertexArray& squares, const sf::FloatRect& area, sf::Vector2f centre, float side, sf::Color colour)
{
    const float half = side / 2.0f;
    centre.x = std::clamp(centre.x, area.left + half, area.left + area.width - half);
    centre.y = std::clamp(centre.y, area.top + half, area.top + area.height - half);
    const sf::Vector2f corners[] = {{centre.x - half, centre.y - half}, {centre.x + half, centre.y - half},
                                    {centre.x + half, centre.y + half}, {centre.x - half, centre.y + half}};
    for (const int corner : {0, 1, 2, 0, 2, 3})
        squares.append(sf::Vertex(corners[corner], colour));
}
/// An outline `width` px wide just inside `box`, as four thin bars of two
/// triangles each: nothing is drawn within it, so the rasteriser covers only the bars.
void addFrame(sf::VertexArray& bars, const sf::FloatRect& box, float width, sf::Color colour)
{
    const sf::FloatRect sides[] = {{box.left, box.top, box.width, width},
                                   {box.left, box.top + box.height - width, box.width, width},
                                   {box.left, box.top + width, width, box.height - 2.0f * width},
                                   {box.left + box.width - width, box.top + width, width, box.height - 2.0f * width}};
    for (const sf::FloatRect& side : sides)
    {
        const sf::Vector2f corners[] = {{side.left, side.top}, {side.left + side.width, side.top},
                                        {side.left + side.width, side.top + side.height},
                                        {side.left, side.top + side.height}};
        for (const int corner : {0, 1, 2, 0, 2, 3})
            bars.append(sf::Vertex(corners[corner], colour));
    }
}
} // namespace

CityMap::CityMap(const City& city)
{
    const sf::Texture* picture = city.map.sprite.getTexture();
    sf::Image small;
    if (picture != nullptr && picture->getSize().x > 0)
        small = averagedDown(picture->copyToImage(), Width, Height);
    else
        small.create(Width, Height, PlainGround);
    ground_.loadFromImage(small);
}

sf::IntRect CityMap::placeIn(sf::Vector2u windowSize, sf::IntRect keepClear)
{
    const sf::IntRect map(static_cast<int>(windowSize.x) - static_cast<int>(Width + Margin),
                          static_cast<int>(windowSize.y) - static_cast<int>(Height + Margin), static_cast<int>(Width),
                          static_cast<int>(Height));
    const sf::Vector2i centre(static_cast<int>(windowSize.x / 2), static_cast<int>(windowSize.y / 2));
    if (map.left < 0 || map.top < 0 || map.contains(centre) || (keepClear.width > 0 && map.intersects(keepClear)))
        return sf::IntRect();
    return map;
}

sf::Vector2f CityMap::toWindow(sf::Vector2f cityPx, sf::IntRect where)
{
    return sf::Vector2f(static_cast<float>(where.left) + cityPx.x * Scale,
                        static_cast<float>(where.top) + cityPx.y * Scale);
}

sf::Vector2f CityMap::toCity(sf::Vector2f windowPx, sf::IntRect where)
{
    return sf::Vector2f((windowPx.x - static_cast<float>(where.left)) / Scale,
                        (windowPx.y - static_cast<float>(where.top)) / Scale);
}

void CityMap::draw(sf::RenderTarget& target, const City& city, sf::FloatRect seen,
                   const std::vector<std::pair<sf::Vector2f, float>>& freshDeaths, sf::IntRect where) const
{
    if (where.width == 0)
        return;
    const sf::FloatRect area(where);
    // The picture is opaque: copied, not blended, which spares the rasteriser a read per pixel.
    sf::Sprite ground(ground_);
    ground.setPosition(area.left, area.top);
    target.draw(ground, sf::RenderStates(sf::BlendNone));

    sf::VertexArray dots(sf::Triangles);
    addFrame(dots, area, FrameWidth, MapEdge);
    // What the window shows, cut to the map: zoomed far out it is all of it.
    const sf::Vector2f seenLow = toWindow({seen.left, seen.top}, where);
    const sf::Vector2f seenHigh = toWindow({seen.left + seen.width, seen.top + seen.height}, where);
    sf::FloatRect shown;
    if (sf::FloatRect(seenLow, seenHigh - seenLow).intersects(area, shown))
        addFrame(dots, shown, std::min({FrameWidth, shown.width / 2.0f, shown.height / 2.0f}), SeenOutline);

    city.forEachOtherLiving([&](std::uint32_t i) {
        const Actor& person = city.actors[i];
        const sf::Vector2f place = toWindow(person.sprite.getPosition(), where);
        addSquare(dots, area, place, PersonDot + 2.0f * PersonEdge, MapEdge);
        addSquare(dots, area, place, PersonDot, SideColours[static_cast<std::size_t>(person.faction)]);
    });
    for (const auto& [place, left] : freshDeaths)
        addSquare(dots, area, toWindow(place, where), DeathDot,
                  sf::Color(DeathColour.r, DeathColour.g, DeathColour.b, static_cast<sf::Uint8>(255.0f * left)));
    if (!city.actors.empty())
    {
        const sf::Vector2f character = toWindow(city.actors[0].sprite.getPosition(), where);
        addSquare(dots, area, character, CharacterDot, MapEdge);
        addSquare(dots, area, character, CharacterDot - 2.0f * CharacterEdge, CharacterMarkColour);
    }
    target.draw(dots);
}
} // namespace tamrow
