#pragma once

// The arithmetic of the player's controls, apart from any window: the walking
// ramp, the zoom and its bounds, who stands within recruiting reach, and what
// a frame's recruiting did.

#include "city/Actor.hpp"

#include <box2d/box2d.h>
#include <SFML/System/Vector2.hpp>

#include <cstdint>
#include <vector>

namespace tamrow
{
/// Z widens the view by this per event (zoom out), X narrows it (zoom in).
constexpr float ZoomOutFactor = 1.1f;
constexpr float ZoomInFactor = 0.9f;
/// How far Z and X take the view from one view pixel per window pixel: at most
/// this many times wider or narrower. On the 1600 px window, 8 times out shows
/// 12800 px (427 m) across, the whole 8400 px map with room to spare and a
/// person under 5 px tall; 8 times in shows 200 px (6.7 m), a person 308 px
/// tall. Beyond that there is nothing more to see, and a held key would drive
/// the view's floats to infinity or to zero. A power of two, so the view at
/// either bound is the window's size times it exactly, aspect and all.
constexpr float ZoomLimit = 8.0f;
/// The smallest side a view is given (px): a window squeezed to nothing still
/// gets a view with an area, never a zero side that the projection divides by.
constexpr float MinViewSide = 1.0f;
/// Walking ramp (m/s): a standing or turning axis starts at WalkRampStart + 1
/// and gains 1 m/s per frame up to WalkTopSpeed.
constexpr std::int32_t WalkRampStart = 10;
constexpr std::int32_t WalkTopSpeed = 20;
/// People whose truncated cell is this close to the character's (whole m, strict) are recruited.
constexpr double RecruitRange = 2.0;

/// One frame of the walking ramp on one axis toward `direction` (-1 or +1):
/// the axis speed (m/s) after `speed`. From rest or from the other way it is
/// WalkRampStart + 1, then 1 m/s more per frame until WalkTopSpeed.
std::int32_t rampToward(std::int32_t speed, std::int32_t direction);

/// The view size (px) that shows one view pixel per window pixel on a window of
/// `windowSize` px, each side at least MinViewSide.
sf::Vector2f unzoomedViewSize(sf::Vector2u windowSize);

/// The view size after one zoom by `factor` from `size`, where `unzoomed` is
/// the window's one-to-one view size. A step that would pass ZoomLimit either
/// way stops on the bound, both sides together; a view at or past it stays.
sf::Vector2f zoomedViewSize(sf::Vector2f size, sf::Vector2f unzoomed, float factor);

/// Recruiting's whole-metre cell of a coordinate (m), truncated toward zero:
/// cell 0 runs from -1 to 1 m, two metres wide; every other cell is one metre wide.
std::int32_t recruitingCellOf(float coordinate);

/// The stretch of one axis that cell `cell` covers (m), for drawing it.
struct CellSpan
{
    float low;
    float high;
};
CellSpan spanOf(std::int32_t cell);

/// Whether a person at `other` (m) is recruited by the character at `character`
/// (m): their whole-metre cells, truncated toward zero, less than RecruitRange
/// apart, which is the character's cell and the eight around it.
bool withinRecruitingReach(b2Vec2 character, b2Vec2 other);

/// What one frame's Q and E did: the one account of who changed sides, which
/// the grid's number and the shouts both read.
struct Recruiting
{
    bool pressed = false;                ///< Q or E went down this frame (was not held the frame before)
    Faction side = Faction::Hooli;       ///< the side called to: E's when both are held
    std::vector<std::uint32_t> turned;   ///< people whose side changed, in index order

    /// A press that turned nobody: everyone in reach was of the side already, or nobody stood there.
    bool missed() const { return pressed && turned.empty(); }
};
} // namespace tamrow
