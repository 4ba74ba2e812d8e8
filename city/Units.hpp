#pragma once

namespace tamrow
{
/// Scale between the physics world and the screen: a body position in metres
/// times this is a sprite position in pixels. Screen and world y grow downward.
constexpr float PixelsPerMeter = 30.0f;
} // namespace tamrow
