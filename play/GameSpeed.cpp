#include "play/GameSpeed.hpp"

#include "play/Play.hpp"

#include <array>

namespace tamrow
{
namespace
{
/// Each speed as a fraction of x1, slowest first.
constexpr std::array<std::int32_t, GameSpeed::Count> Numerators = {1, 1, 1, 2, 4, 8};
constexpr std::array<std::int32_t, GameSpeed::Count> Denominators = {4, 2, 1, 1, 1, 1};
} // namespace

void GameSpeed::slower()
{
    if (index_ > 0)
        --index_;
    framesSinceStep_ = 0;
}

void GameSpeed::faster()
{
    if (index_ + 1 < Count)
        ++index_;
    framesSinceStep_ = 0;
}

void GameSpeed::reset()
{
    index_ = Normal;
    framesSinceStep_ = 0;
}

std::int32_t GameSpeed::stepsThisFrame()
{
    // Below x1 the step comes on the last frame of each group, so a slowed
    // game first waits, as slow motion does.
    if (++framesSinceStep_ < denominator())
        return 0;
    framesSinceStep_ = 0;
    return numerator();
}

std::int32_t GameSpeed::numerator() const
{
    return Numerators[index_];
}

std::int32_t GameSpeed::denominator() const
{
    return Denominators[index_];
}

std::string GameSpeed::text() const
{
    return "x" + std::to_string(numerator()) + (denominator() == 1 ? "" : "/" + std::to_string(denominator()));
}

float GameSpeed::drawnBetween() const
{
    // Right after a step (framesSinceStep_ 0) a frame is a 1/denominator of the
    // way from the step before; the frame before the next step is at the last.
    return static_cast<float>(framesSinceStep_ + 1) / static_cast<float>(denominator());
}

void playFrameAtSpeed(Play& play, const FrameInput& input, std::int32_t steps, const StepTaken& taken)
{
    for (const InputEvent& event : input.events)
        play.obey(event);
    playSteps(play, input, steps, taken);
}

void playSteps(Play& play, const FrameInput& input, std::int32_t steps, const StepTaken& taken)
{
    FrameInput step;
    step.keys = input.keys;
    step.events = input.events;
    if (steps == 0 && taken)
        taken(step, false);
    for (std::int32_t k = 0; k < steps; ++k)
    {
        play.steer(input);
        const bool advanced = play.advance();
        if (taken)
            taken(step, advanced);
        step.events.clear();
    }
}
} // namespace tamrow
