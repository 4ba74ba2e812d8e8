#pragma once

#include "city/City.hpp"
#include "play/ControlRules.hpp"
#include "play/FrameInput.hpp"
#include "play/GameSpeed.hpp"
#include "play/PhysicsWorld.hpp"
#include "play/Session.hpp"

#include <cstdint>
#include <functional>

namespace tamrow
{
/// The part of the player's input that changes the game, apart from any window:
/// pause, start again, the speed, walking and recruiting, and the steps they allow. The
/// window's frame and the headless replay both play through it, so a recorded
/// game plays the same in either. Refers to the city and the world it is given;
/// they must outlive it.
class Play
{
public:
    Play(City& level, PhysicsWorld& physicsWorld);
    Play(const Play&) = delete;
    Play& operator=(const Play&) = delete;

    /// What `event` does to the game: pause, start_again, slower and faster
    /// act, the rest is for the window and does nothing here.
    void obey(const InputEvent& event);
    /// Walks the character (actor 0) and recruits the people next to it from
    /// the keys of `input`, leaving in `recruited` what Q and E did; nothing
    /// while paused or with no actor at all.
    void steer(const FrameInput& input);
    /// The world step and the city's turn unless paused; `stepped` as advanceCity
    /// has it. True if the game moved on.
    bool advance(const std::function<void()>& stepped = {});
    /// One whole shown frame without a window: the events in order, then the
    /// steps the speed gives the frame (one at x1), each with the frame's keys,
    /// each told to `taken` if given (see playFrameAtSpeed).
    void playFrame(const FrameInput& input, const StepTaken& taken = {});

    /// pause: while paused nothing steps or updates and the keys
    /// neither walk nor recruit.
    void togglePause();
    /// start_again: a fresh world and city from `session`, the same game as a fresh start
    /// of the program, unpaused and at x1; does nothing without a session.
    void startAgain();
    /// recruit_hooligans: people in the character's cell or the eight around it become hooligans.
    void recruitHooligans();
    /// recruit_police: people in the character's cell or the eight around it become police.
    void recruitPolice();

    City* city;               ///< not owned
    PhysicsWorld* physics;    ///< not owned
    std::int32_t moveX = 0;   ///< character's horizontal speed (m/s): 0 or 11..20 either way
    std::int32_t moveY = 0;   ///< character's vertical speed (m/s), positive down the screen
    bool paused = false;
    GameSpeed speed;            ///< slower and faster; read once per shown frame
    Session* session = nullptr; ///< what F5 builds afresh; not owned
    Recruiting recruited;       ///< what the last steer's Q and E did

private:
    /// One frame of one walking axis (m/s): `back` (up or left) held ramps
    /// `axisSpeed` toward -WalkTopSpeed, else `forth` toward +WalkTopSpeed, and
    /// either applies the velocity; neither leaves it alone.
    void walkAxis(std::int32_t& axisSpeed, bool back, bool forth);
    void applyWalkingVelocity();
    void recruit(Faction side, TextureId image);
    /// Q and E as held in `input`, `pressed` if either went down this frame:
    /// recruits and tells in `recruited` whose side that changed.
    void recruitAndTell(const FrameInput& input, bool pressed);

    std::uint8_t keysHeld_ = 0;  ///< keyBits of the last steer, paused or not
};
} // namespace tamrow
