#include "play/Play.hpp"

#include "life/Simulation.hpp"
#include "play/ControlRules.hpp"

namespace tamrow
{
Play::Play(City& level, PhysicsWorld& physicsWorld)
    : city(&level)
    , physics(&physicsWorld)
{
}

void Play::obey(const InputEvent& event)
{
    if (event.acts(Action::Pause))
        togglePause();
    else if (event.acts(Action::StartAgain))
        startAgain();
    else if (event.acts(Action::Slower))
        speed.slower();
    else if (event.acts(Action::Faster))
        speed.faster();
}

void Play::steer(const FrameInput& input)
{
    const auto calls = static_cast<std::uint8_t>(keyBit(Action::RecruitHooligans) | keyBit(Action::RecruitPolice));
    const bool pressed = (input.keys & ~keysHeld_ & calls) != 0;
    keysHeld_ = input.keys;
    recruited = Recruiting();
    if (city->actors.empty() || paused)
        return;

    // Up beats down and left beats right when both keys of an axis are held.
    walkAxis(moveY, input.holds(Action::WalkUp), input.holds(Action::WalkDown));
    walkAxis(moveX, input.holds(Action::WalkLeft), input.holds(Action::WalkRight));
    if (!input.holds(Action::WalkLeft) && !input.holds(Action::WalkRight))
        moveX = 0;
    if (!input.holds(Action::WalkUp) && !input.holds(Action::WalkDown))
    {
        moveY = 0;
        applyWalkingVelocity();
    }

    recruitAndTell(input, pressed);
}

bool Play::advance(const std::function<void()>& stepped)
{
    if (paused)
        return false;
    advanceCity(physics->world, *city, stepped);
    return true;
}

void Play::playFrame(const FrameInput& input, const StepTaken& taken)
{
    // The events first: a speed changed in this frame runs this frame.
    for (const InputEvent& event : input.events)
        obey(event);
    playSteps(*this, input, speed.stepsThisFrame(), taken);
}

void Play::togglePause()
{
    paused = !paused;
}

void Play::startAgain()
{
    if (session == nullptr)
        return;
    session->startAgain();
    city = &session->city();
    physics = &session->physics();
    moveX = 0;
    moveY = 0;
    paused = false;
    speed.reset();
}

void Play::walkAxis(std::int32_t& axisSpeed, bool back, bool forth)
{
    if (!back && !forth)
        return;
    axisSpeed = rampToward(axisSpeed, back ? -1 : +1);
    applyWalkingVelocity();
}

void Play::applyWalkingVelocity()
{
    city->actors[0].body->SetLinearVelocity(
        b2Vec2(static_cast<float>(moveX), static_cast<float>(moveY)));
}

void Play::recruitHooligans()
{
    recruit(Faction::Hooli, TextureId::Hooli);
}

void Play::recruitPolice()
{
    recruit(Faction::Police, TextureId::Police);
}

void Play::recruitAndTell(const FrameInput& input, bool pressed)
{
    const bool hooligans = input.holds(Action::RecruitHooligans);
    const bool police = input.holds(Action::RecruitPolice);
    if (!hooligans && !police)
        return;
    std::vector<Faction> before;
    before.reserve(city->actors.size());
    for (const Actor& actor : city->actors)
        before.push_back(actor.faction);
    // With both held, E comes last and wins: a police officer in reach is
    // turned to a hooligan and back, which is no change of side.
    if (hooligans)
        recruitHooligans();
    if (police)
        recruitPolice();
    recruited.pressed = pressed;
    recruited.side = police ? Faction::Police : Faction::Hooli;
    for (std::uint32_t i = 0; i < before.size(); ++i)
        if (city->actors[i].faction != before[i])
            recruited.turned.push_back(i);
}

void Play::recruit(Faction side, TextureId image)
{
    std::vector<Actor>& actors = city->actors;
    // Index 0 is the character itself and is never recruited.
    for (std::size_t i = 1; i < actors.size(); ++i)
    {
        if (withinRecruitingReach(actors[0].body->GetPosition(), actors[i].body->GetPosition()))
        {
            actors[i].faction = side;
            city->dress(actors[i].sprite, image);
        }
    }
}
} // namespace tamrow
