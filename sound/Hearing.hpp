#pragma once

#include "city/City.hpp"
#include "play/ControlRules.hpp"
#include "sound/SoundChoice.hpp"
#include "sound/SoundLevel.hpp"
#include "sound/SoundPlayer.hpp"

#include "play/Actions.hpp"

#include <optional>
#include <string>

namespace tamrow
{
/// The game heard: what each frame of the city brings (SoundChoice), played
/// (SoundPlayer) at the player's volume (SoundLevel). Reads the city, never
/// writes it.
class Hearing
{
public:
    /// Plays the sounds of `soundFolder`, or nothing (see SoundPlayer), at the
    /// volume `start` keeps.
    Hearing(const std::optional<std::string>& soundFolder, const Settings& start = Settings());

    /// Once per frame, after the city's turn: plays what the frame brought, as
    /// `changes` has just seen it in `city` and `recruited` tells of Q and E,
    /// or, while `paused`, holds every sound where it is.
    void hear(const City& city, const CityChanges& changes, const Recruiting& recruited, bool paused);
    /// F5: every sound stops, and the new city is heard from its start.
    void startAgain();
    /// mute, volume_down or volume_up acts and is answered true; any other action false.
    bool press(Action action);

    const SoundLevel& level() const { return level_; }
    bool audible() const { return player_.audible(); }

private:
    SoundChoice choice_;
    SoundLevel level_;
    SoundPlayer player_;
    bool paused_ = false;
};
} // namespace tamrow
