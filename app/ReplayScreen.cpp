#include "app/ReplayScreen.hpp"

#include "life/Simulation.hpp"
#include "scene/Scene.hpp"

#include <algorithm>
#include <utility>

namespace tamrow
{
ReplayScreen::ReplayScreen(GameMaker make)
    : moments_(std::make_unique<InstantReplay>(std::move(make)))
{
}

void ReplayScreen::record(const FrameInput& step, bool advanced)
{
    if (!isOpen() && !watchesFile())
        moments_->record(step, advanced);
}

void ReplayScreen::showFile(const Replay& file, GameMaker make)
{
    // The live game's kept games go first: both sets at once would be twice the memory.
    moments_.reset();
    moments_ = std::make_unique<InstantReplay>(file, std::move(make));
    open(liveView_);
}

void ReplayScreen::open(const sf::View& live)
{
    liveView_ = live;
    moments_->open();
    speed_.reset();
    paused_ = false;
    following_ = true;
    blend_.forget();
}

sf::View ReplayScreen::close()
{
    moments_->close();
    return liveView_;
}

void ReplayScreen::act(Action action)
{
    // A jump on its way counts from where it goes.
    const std::size_t at = moments_->target();
    if (action == Action::Pause)
        paused_ = !paused_;
    else if (action == Action::Slower || action == Action::Faster)
    {
        if (action == Action::Slower)
            speed_.slower();
        else
            speed_.faster();
        blend_.forget();
    }
    else if (action == Action::JumpBack)
        jumpTo(at - std::min(at, InstantReplay::JumpSteps));
    else if (action == Action::JumpForward)
        jumpTo(at + InstantReplay::JumpSteps);
}

void ReplayScreen::jumpTo(std::size_t t)
{
    moments_->jump(t);
    blend_.forget();
}

void ReplayScreen::pan(std::uint8_t keys, sf::View& view, sf::Vector2u windowSize)
{
    const auto held = [keys](Action action) { return (keys & keyBit(action)) != 0; };
    // Up and left win, as they do for walking.
    const float across = held(Action::WalkLeft) ? -1.0f : held(Action::WalkRight) ? 1.0f : 0.0f;
    const float down = held(Action::WalkUp) ? -1.0f : held(Action::WalkDown) ? 1.0f : 0.0f;
    if (across == 0.0f && down == 0.0f)
        return;
    following_ = false;
    const float stride = PanSpeed * TimeStep * view.getSize().x / static_cast<float>(std::max(windowSize.x, 1u));
    view.move(across * stride, down * stride);
}

void ReplayScreen::lookAt(sf::Vector2f cityPx, sf::View& view)
{
    following_ = false;
    view.setCenter(cityPx);
}

std::int32_t ReplayScreen::advance()
{
    if (!moments_->arrives() || paused_)
        return 0;
    std::int32_t played = 0;
    for (const std::int32_t steps = speed_.stepsThisFrame(); played < steps; ++played)
    {
        if (speed_.denominator() > 1)
            blend_.keep(moments_->city());
        if (!moments_->stepForward())
        {
            paused_ = true;
            break;
        }
    }
    return played;
}

void ReplayScreen::blendIn()
{
    const float between = blend_.holds() ? speed_.drawnBetween() : 1.0f;
    if (between < 1.0f)
        blend_.place(moments_->city(), between);
}

void ReplayScreen::blendOut()
{
    blend_.restore(moments_->city());
}

void ReplayScreen::aim(sf::View& view) const
{
    if (following_)
        centreOnCharacter(view, moments_->city());
}

ReplayClock ReplayScreen::clock() const
{
    ReplayClock clock;
    // The bar spans the window shown again, ending at the live moment; the
    // earliest moment kept moves on with the shown one.
    clock.at = moments_->at();
    clock.goingTo = moments_->target();
    clock.last = moments_->live();
    clock.first = std::min(clock.at, moments_->start());
    clock.speed = speed_.text();
    clock.paused = paused_;
    return clock;
}
} // namespace tamrow
