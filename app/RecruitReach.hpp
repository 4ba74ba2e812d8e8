#pragma once

#include <box2d/box2d.h>

#include <cstdint>

/// People whose truncated cell is this close to the character's (whole m, strict) are recruited.
constexpr double RecruitRange = 2.0;

/// The whole-metre cell of a coordinate (m), truncated toward zero: cell 0 runs
/// from -1 to 1 m, two metres wide; every other cell is one metre wide.
std::int32_t cellOf(float coordinate);

/// The stretch of one axis that cell `cell` covers (m), ends included or not as
/// truncation has them; only drawn, never tested against.
struct CellSpan
{
    float low;
    float high;
};
CellSpan spanOf(std::int32_t cell);

/// The rule Q and E recruit by: a body at `other` (m) stands in the cell of the
/// character's body at `character` (m) or in one of the eight around it.
/// Bodies parked 100 km away are never in reach.
bool inRecruitReach(b2Vec2 character, b2Vec2 other);
