#pragma once

#include "play/FrameInput.hpp"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

namespace tamrow
{
class Play;

/// How fast the game runs against the shown frames. The world always steps
/// TimeStep (1/60 s); the speed only says how many steps a shown frame runs:
/// at x4 four, each with that frame's keys; at x1/2 one every other frame.
/// A fresh game and F5 run at x1, the game exactly as it runs without speeds.
class GameSpeed
{
public:
    /// The speeds in order, slowest first: x1/4, x1/2, x1, x2, x4, x8.
    static constexpr std::size_t Count = 6;
    static constexpr std::size_t Normal = 2;  ///< x1

    /// One step slower or faster; stays at x1/4 and x8.
    void slower();
    void faster();
    /// Back to x1, as F5 and a fresh start are.
    void reset();

    /// World steps the next shown frame runs: 0 or 1 below x1, else the speed.
    /// Call once per shown frame: below x1 it counts the frames between steps.
    std::int32_t stepsThisFrame();

    std::size_t index() const { return index_; }
    /// The speed as "numerator/denominator" of x1: 1/4, 1/2, 1/1, 2/1, 4/1, 8/1.
    std::int32_t numerator() const;
    std::int32_t denominator() const;
    /// As the status panel shows it: "x1/4", "x1/2", "x1", "x2", "x4", "x8".
    std::string text() const;
    /// How far from the next-to-last step toward the last a frame is drawn, the
    /// frames between two steps below x1 evenly spread, one step late: 1 at x1
    /// and above, where a frame shows exactly what it stepped to.
    float drawnBetween() const;

private:
    std::size_t index_ = Normal;
    std::int32_t framesSinceStep_ = 0;  ///< below x1: shown frames since the last step
};

/// Called after each step of a frame played at speed, with what the step took
/// (the frame's events on its first step only) and whether the world moved on
/// (not while paused).
using StepTaken = std::function<void(const FrameInput& step, bool advanced)>;

/// One shown frame on `play`: the events obeyed, then `steps` times the keys
/// steered and the world stepped. With 0 steps the events still act (pause,
/// F5) and `taken`, if given, hears them once as a step that did not advance.
void playFrameAtSpeed(Play& play, const FrameInput& input, std::int32_t steps, const StepTaken& taken = {});
/// The steps part of playFrameAtSpeed alone, the frame's events already obeyed.
void playSteps(Play& play, const FrameInput& input, std::int32_t steps, const StepTaken& taken = {});
} // namespace tamrow
