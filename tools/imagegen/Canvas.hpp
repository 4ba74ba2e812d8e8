#pragma once
// A small painter around sf::Image. Every shape is described by a signed
// distance (px, negative inside) and filled with a half-pixel soft edge, so
// that the people, which the game shrinks to 0.35x, keep clean borders.
// All coordinates are image pixels, x to the right, y downwards.

#include <SFML/Graphics/Color.hpp>
#include <SFML/Graphics/Image.hpp>

#include <cstdint>
#include <string>
#include <vector>

namespace tamrow
{
// A point in image px; float so shapes can sit between pixel centres.
struct Pt
{
    float x;
    float y;
};

// An axis-aligned rectangle in image px covering [x0, x1) x [y0, y1).
struct Box
{
    float x0;
    float y0;
    float x1;
    float y1;

    float width() const { return x1 - x0; }
    float height() const { return y1 - y0; }
    Pt centre() const { return {(x0 + x1) * 0.5f, (y0 + y1) * 0.5f}; }
    // The same box shrunk by `d` px on every side (grown when d < 0).
    Box inset(float d) const { return {x0 + d, y0 + d, x1 - d, y1 - d}; }
    Box moved(float dx, float dy) const { return {x0 + dx, y0 + dy, x1 + dx, y1 + dy}; }
};

// 0xRRGGBB plus an alpha, so palettes read like the hex codes they were picked as.
sf::Color rgb(std::uint32_t hex, std::uint8_t alpha = 255);
// Linear blend of all four channels, t = 0 gives a, t = 1 gives b.
sf::Color mix(sf::Color a, sf::Color b, float t);
// Towards black / white by t (0..1), alpha kept.
sf::Color darker(sf::Color c, float t);
sf::Color lighter(sf::Color c, float t);
sf::Color withAlpha(sf::Color c, std::uint8_t alpha);

// Fixed integer hash, so "random" choices are the same on every run.
std::uint32_t hash32(int x, int y, std::uint32_t seed);
// The same hash mapped to [0, 1).
float hash01(int x, int y, std::uint32_t seed);

class Canvas
{
public:
    Canvas(unsigned width, unsigned height, sf::Color background = sf::Color::Transparent);

    unsigned width() const { return image_.getSize().x; }
    unsigned height() const { return image_.getSize().y; }
    Box bounds() const;
    sf::Color at(unsigned x, unsigned y) const { return image_.getPixel(x, y); }

    // Hard-edged shapes (no anti-aliasing): for pictures shown so small that
    // a soft edge cannot be seen and would only cost PNG bytes.
    void setSoftEdges(bool soft) { softEdges_ = soft; }

    // Source-over blending of one pixel; `coverage` scales the colour's alpha.
    void blend(int x, int y, sf::Color c, float coverage = 1.f);

    void fillRect(const Box& b, sf::Color c);
    void fillRoundRect(const Box& b, float radius, sf::Color c);
    void fillEllipse(Pt centre, float rx, float ry, sf::Color c);
    void fillCircle(Pt centre, float r, sf::Color c) { fillEllipse(centre, r, r, c); }
    // An elliptic band `thickness` px wide centred on the ellipse (rx, ry).
    void ring(Pt centre, float rx, float ry, float thickness, sf::Color c);
    // A thick line with round caps: every point within `radius` px of a..b.
    void capsule(Pt a, Pt b, float radius, sf::Color c);
    // A simple (non self-crossing) polygon, corners in either winding.
    void fillPolygon(const std::vector<Pt>& corners, sf::Color c);

    // Smooth value noise added to the colour of the non-transparent pixels in
    // `b`: +-`amplitude` levels (of 255), features about `cellPx` px across.
    // Gives large flat areas a little life without pixel-level sparkle.
    void grain(const Box& b, float amplitude, float cellPx, std::uint32_t seed);

    // Puts a `widthPx` wide band of `c` behind the picture around every
    // mostly opaque shape (alpha >= 128), so figures separate from any ground.
    void outline(float widthPx, sf::Color c);

    // Draws `top` over this canvas with its top-left corner at (dx, dy).
    void drawOver(const Canvas& top, int dx = 0, int dy = 0);

    // This picture at `size` x `size` px (a square canvas): each new pixel the
    // average of the old pixels it covers, weighted by the area covered, in
    // premultiplied alpha, so that no dark fringe grows around shapes.
    Canvas resampled(unsigned size) const;

    bool save(const std::string& path) const { return image_.saveToFile(path); }

private:
    // Fills the pixels of `area` whose centre lies inside `signedDistance`
    // (px, negative inside), with a one pixel wide anti-aliased edge.
    template <class Sdf>
    void fillSdf(const Box& area, sf::Color c, Sdf signedDistance);

    sf::Image image_;
    bool softEdges_ = true;
};
} // namespace tamrow
