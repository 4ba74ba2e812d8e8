#include "Canvas.hpp"

#include <algorithm>
#include <cmath>

namespace tamrow
{
namespace
{

std::uint8_t toByte(float v)
{
    return static_cast<std::uint8_t>(std::clamp(std::lround(v), 0L, 255L));
}

float length(float x, float y)
{
    return std::sqrt(x * x + y * y);
}

float smoothstep(float t)
{
    return t * t * (3.f - 2.f * t);
}

// Approximate signed distance to an axis-aligned ellipse at the origin; exact
// for circles and close enough (well under a pixel) for the shapes drawn here.
float ellipseDistance(float px, float py, float rx, float ry)
{
    const float k0 = length(px / rx, py / ry);
    const float k1 = length(px / (rx * rx), py / (ry * ry));
    if (k1 <= 0.f)
        return -std::min(rx, ry);
    return k0 * (k0 - 1.f) / k1;
}

} // namespace

sf::Color rgb(std::uint32_t hex, std::uint8_t alpha)
{
    return sf::Color(static_cast<sf::Uint8>((hex >> 16) & 0xFFu), static_cast<sf::Uint8>((hex >> 8) & 0xFFu),
                     static_cast<sf::Uint8>(hex & 0xFFu), alpha);
}

sf::Color mix(sf::Color a, sf::Color b, float t)
{
    const auto lerp = [t](sf::Uint8 u, sf::Uint8 v) {
        return toByte(static_cast<float>(u) + (static_cast<float>(v) - static_cast<float>(u)) * t);
    };
    return sf::Color(lerp(a.r, b.r), lerp(a.g, b.g), lerp(a.b, b.b), lerp(a.a, b.a));
}

sf::Color darker(sf::Color c, float t)
{
    return mix(c, sf::Color(0, 0, 0, c.a), t);
}

sf::Color lighter(sf::Color c, float t)
{
    return mix(c, sf::Color(255, 255, 255, c.a), t);
}

sf::Color withAlpha(sf::Color c, std::uint8_t alpha)
{
    c.a = alpha;
    return c;
}

std::uint32_t hash32(int x, int y, std::uint32_t seed)
{
    // A multiply-xorshift mix: cheap, well spread, and the same on every machine.
    std::uint32_t h = seed * 0x9E3779B9u ^ static_cast<std::uint32_t>(x) * 0x85EBCA6Bu ^
                      static_cast<std::uint32_t>(y) * 0xC2B2AE35u;
    h ^= h >> 16;
    h *= 0x7FEB352Du;
    h ^= h >> 15;
    h *= 0x846CA68Bu;
    h ^= h >> 16;
    return h;
}

float hash01(int x, int y, std::uint32_t seed)
{
    // The top 24 bits fit a float exactly.
    return static_cast<float>(hash32(x, y, seed) >> 8) / 16777216.f;
}

Canvas::Canvas(unsigned width, unsigned height, sf::Color background)
{
    image_.create(width, height, background);
}

Box Canvas::bounds() const
{
    return {0.f, 0.f, static_cast<float>(width()), static_cast<float>(height())};
}

void Canvas::blend(int x, int y, sf::Color c, float coverage)
{
    if (x < 0 || y < 0 || x >= static_cast<int>(width()) || y >= static_cast<int>(height()))
        return;
    const float sa = static_cast<float>(c.a) / 255.f * coverage;
    if (sa <= 0.f)
        return;
    const auto ux = static_cast<unsigned>(x);
    const auto uy = static_cast<unsigned>(y);
    const sf::Color d = image_.getPixel(ux, uy);
    const float da = static_cast<float>(d.a) / 255.f * (1.f - sa);
    const float outA = sa + da;
    const auto channel = [&](sf::Uint8 s, sf::Uint8 dst) {
        return toByte((static_cast<float>(s) * sa + static_cast<float>(dst) * da) / outA);
    };
    image_.setPixel(ux, uy, sf::Color(channel(c.r, d.r), channel(c.g, d.g), channel(c.b, d.b), toByte(outA * 255.f)));
}

template <class Sdf>
void Canvas::fillSdf(const Box& area, sf::Color c, Sdf signedDistance)
{
    // One pixel of margin so the soft edge is never cut off.
    const int xa = std::max(0, static_cast<int>(std::floor(area.x0)) - 1);
    const int ya = std::max(0, static_cast<int>(std::floor(area.y0)) - 1);
    const int xb = std::min(static_cast<int>(width()), static_cast<int>(std::ceil(area.x1)) + 1);
    const int yb = std::min(static_cast<int>(height()), static_cast<int>(std::ceil(area.y1)) + 1);
    for (int y = ya; y < yb; ++y)
        for (int x = xa; x < xb; ++x)
        {
            const float d = signedDistance(static_cast<float>(x) + 0.5f, static_cast<float>(y) + 0.5f);
            const float coverage = softEdges_ ? std::clamp(0.5f - d, 0.f, 1.f) : (d < 0.f ? 1.f : 0.f);
            if (coverage > 0.f)
                blend(x, y, c, coverage);
        }
}

void Canvas::fillRect(const Box& b, sf::Color c)
{
    fillRoundRect(b, 0.f, c);
}

void Canvas::fillRoundRect(const Box& b, float radius, sf::Color c)
{
    const Pt m = b.centre();
    const float hx = b.width() * 0.5f - radius;
    const float hy = b.height() * 0.5f - radius;
    fillSdf(b, c, [=](float x, float y) {
        const float qx = std::abs(x - m.x) - hx;
        const float qy = std::abs(y - m.y) - hy;
        return length(std::max(qx, 0.f), std::max(qy, 0.f)) + std::min(std::max(qx, qy), 0.f) - radius;
    });
}

void Canvas::fillEllipse(Pt centre, float rx, float ry, sf::Color c)
{
    fillSdf({centre.x - rx, centre.y - ry, centre.x + rx, centre.y + ry}, c,
            [=](float x, float y) { return ellipseDistance(x - centre.x, y - centre.y, rx, ry); });
}

void Canvas::ring(Pt centre, float rx, float ry, float thickness, sf::Color c)
{
    const float half = thickness * 0.5f;
    fillSdf({centre.x - rx - half, centre.y - ry - half, centre.x + rx + half, centre.y + ry + half}, c,
            [=](float x, float y) { return std::abs(ellipseDistance(x - centre.x, y - centre.y, rx, ry)) - half; });
}

void Canvas::capsule(Pt a, Pt b, float radius, sf::Color c)
{
    const float bax = b.x - a.x;
    const float bay = b.y - a.y;
    const float baba = std::max(bax * bax + bay * bay, 1e-6f);
    const Box area{std::min(a.x, b.x) - radius, std::min(a.y, b.y) - radius, std::max(a.x, b.x) + radius,
                   std::max(a.y, b.y) + radius};
    fillSdf(area, c, [=](float x, float y) {
        const float pax = x - a.x;
        const float pay = y - a.y;
        const float h = std::clamp((pax * bax + pay * bay) / baba, 0.f, 1.f);
        return length(pax - bax * h, pay - bay * h) - radius;
    });
}

void Canvas::fillPolygon(const std::vector<Pt>& corners, sf::Color c)
{
    if (corners.size() < 3)
        return;
    Box area{corners[0].x, corners[0].y, corners[0].x, corners[0].y};
    for (const Pt& p : corners)
        area = {std::min(area.x0, p.x), std::min(area.y0, p.y), std::max(area.x1, p.x), std::max(area.y1, p.y)};
    // Distance to the nearest edge, sign from the crossing-number inside test.
    fillSdf(area, c, [&corners](float x, float y) {
        float best = 1e30f;
        bool inside = false;
        for (std::size_t i = 0, j = corners.size() - 1; i < corners.size(); j = i++)
        {
            const Pt& p = corners[i];
            const Pt& q = corners[j];
            const float ex = q.x - p.x;
            const float ey = q.y - p.y;
            const float h = std::clamp(((x - p.x) * ex + (y - p.y) * ey) / std::max(ex * ex + ey * ey, 1e-6f), 0.f, 1.f);
            best = std::min(best, length(x - p.x - ex * h, y - p.y - ey * h));
            if ((p.y > y) != (q.y > y) && x < p.x + (y - p.y) * ex / ey)
                inside = !inside;
        }
        return inside ? -best : best;
    });
}

void Canvas::grain(const Box& b, float amplitude, float cellPx, std::uint32_t seed)
{
    const int xa = std::max(0, static_cast<int>(b.x0));
    const int ya = std::max(0, static_cast<int>(b.y0));
    const int xb = std::min(static_cast<int>(width()), static_cast<int>(b.x1));
    const int yb = std::min(static_cast<int>(height()), static_cast<int>(b.y1));
    for (int y = ya; y < yb; ++y)
        for (int x = xa; x < xb; ++x)
        {
            const auto ux = static_cast<unsigned>(x);
            const auto uy = static_cast<unsigned>(y);
            sf::Color p = image_.getPixel(ux, uy);
            if (p.a == 0)
                continue;
            // Bilinear value noise over a lattice `cellPx` px wide.
            const float fx = static_cast<float>(x) / cellPx;
            const float fy = static_cast<float>(y) / cellPx;
            const int cx = static_cast<int>(std::floor(fx));
            const int cy = static_cast<int>(std::floor(fy));
            const float tx = smoothstep(fx - static_cast<float>(cx));
            const float ty = smoothstep(fy - static_cast<float>(cy));
            const float top = hash01(cx, cy, seed) + (hash01(cx + 1, cy, seed) - hash01(cx, cy, seed)) * tx;
            const float bottom = hash01(cx, cy + 1, seed) + (hash01(cx + 1, cy + 1, seed) - hash01(cx, cy + 1, seed)) * tx;
            const float shift = ((top + (bottom - top) * ty) * 2.f - 1.f) * amplitude;
            p.r = toByte(static_cast<float>(p.r) + shift);
            p.g = toByte(static_cast<float>(p.g) + shift);
            p.b = toByte(static_cast<float>(p.b) + shift);
            image_.setPixel(ux, uy, p);
        }
}

void Canvas::outline(float widthPx, sf::Color c)
{
    const sf::Image source = image_;
    const int w = static_cast<int>(width());
    const int h = static_cast<int>(height());
    const int reach = static_cast<int>(std::ceil(widthPx)) + 1;
    const auto solid = [&](int x, int y) {
        return x >= 0 && y >= 0 && x < w && y < h &&
               source.getPixel(static_cast<unsigned>(x), static_cast<unsigned>(y)).a >= 128;
    };
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
        {
            if (solid(x, y))
                continue;
            float nearest = 1e30f;
            for (int dy = -reach; dy <= reach; ++dy)
                for (int dx = -reach; dx <= reach; ++dx)
                    if (solid(x + dx, y + dy))
                        nearest = std::min(nearest, length(static_cast<float>(dx), static_cast<float>(dy)));
            // A neighbour at distance 1 is the first outline pixel, hence "+ 0.5".
            const float coverage = std::clamp(widthPx + 0.5f - nearest, 0.f, 1.f);
            if (coverage <= 0.f)
                continue;
            // The band goes behind whatever soft edge the pixel already has.
            const auto ux = static_cast<unsigned>(x);
            const auto uy = static_cast<unsigned>(y);
            const sf::Color existing = source.getPixel(ux, uy);
            image_.setPixel(ux, uy, withAlpha(c, toByte(static_cast<float>(c.a) * coverage)));
            blend(x, y, existing);
        }
}

void Canvas::drawOver(const Canvas& top, int dx, int dy)
{
    for (unsigned y = 0; y < top.height(); ++y)
        for (unsigned x = 0; x < top.width(); ++x)
            blend(static_cast<int>(x) + dx, static_cast<int>(y) + dy, top.at(x, y));
}

Canvas Canvas::resampled(unsigned size) const
{
    Canvas result(size, size);
    const float scale = static_cast<float>(width()) / static_cast<float>(size);  // old px per new px
    for (unsigned y = 0; y < size; ++y)
    {
        for (unsigned x = 0; x < size; ++x)
        {
            // The new pixel covers [x0, x1) x [y0, y1) of the old one.
            const float x0 = static_cast<float>(x) * scale;
            const float y0 = static_cast<float>(y) * scale;
            float r = 0.f, g = 0.f, b = 0.f, a = 0.f;
            for (unsigned oy = static_cast<unsigned>(y0); oy < height() && static_cast<float>(oy) < y0 + scale; ++oy)
            {
                for (unsigned ox = static_cast<unsigned>(x0); ox < width() && static_cast<float>(ox) < x0 + scale; ++ox)
                {
                    const float cover = (std::min(static_cast<float>(ox + 1), x0 + scale) -
                                         std::max(static_cast<float>(ox), x0)) *
                                        (std::min(static_cast<float>(oy + 1), y0 + scale) -
                                         std::max(static_cast<float>(oy), y0));
                    const sf::Color c = at(ox, oy);
                    const float alpha = cover * c.a / 255.f;
                    r += alpha * c.r;
                    g += alpha * c.g;
                    b += alpha * c.b;
                    a += alpha;
                }
            }
            const auto level = [](float v) { return static_cast<sf::Uint8>(std::lround(std::clamp(v, 0.f, 255.f))); };
            const float area = scale * scale;
            result.image_.setPixel(x, y, a > 0.f ? sf::Color(level(r / a), level(g / a), level(b / a), level(255.f * a / area))
                                                 : sf::Color::Transparent);
        }
    }
    return result;
}
} // namespace tamrow
