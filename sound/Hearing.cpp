#include "sound/Hearing.hpp"

namespace tamrow
{
Hearing::Hearing(const std::optional<std::string>& soundFolder, const Settings& start)
    : level_(start)
    , player_(soundFolder)
{
    player_.setVolume(level_.master());
}

void Hearing::hear(const City& city, const CityChanges& changes, const Recruiting& recruited, bool paused)
{
    level_.age();
    if (paused != paused_)
        player_.setPaused(paused);
    paused_ = paused;
    // Nothing happens in a paused city; and without sound nothing need be chosen.
    if (!paused && player_.audible())
        player_.play(choice_.listen(city, changes, recruited));
}

void Hearing::startAgain()
{
    player_.stop();
    paused_ = false;
}

bool Hearing::press(Action action)
{
    if (action == Action::Mute)
        level_.toggleMute();
    else if (action == Action::VolumeDown)
        level_.quieter();
    else if (action == Action::VolumeUp)
        level_.louder();
    else
        return false;
    player_.setVolume(level_.master());
    return true;
}
} // namespace tamrow
