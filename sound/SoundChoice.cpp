#include "sound/SoundChoice.hpp"

#include <algorithm>
#include <cmath>

namespace tamrow
{
namespace
{
/// How loud each sound is at the character's feet, by Sound, before the volume.
constexpr float BaseGain[SoundCount] = {0.55f, 0.55f, 0.8f, 0.7f, 0.6f, 0.5f, 0.0f, 0.6f};

/// The hit sound of whoever struck someone of `struck`'s side: police strike
/// hooligans, hooligans strike everyone else.
Sound hitOn(Faction struck)
{
    return isHostile(Faction::Police, struck) ? Sound::PoliceHit : Sound::HooliganHit;
}

/// Where a person stands (m); a dead one lies there until parked.
b2Vec2 placeOf(const Actor& actor)
{
    return actor.body != nullptr ? actor.body->GetPosition() : b2Vec2(0.0f, 0.0f);
}
} // namespace

SoundChoice::SoundChoice(float range) : range_(range)
{
}

const std::vector<Cue>& SoundChoice::listen(const City& city, const CityChanges& changes,
                                            const Recruiting& recruited)
{
    cues_.clear();
    if (city.actors.empty())
        return cues_;
    const b2Vec2 listener = placeOf(city.actors.front());
    // Newcomers: the founders are no wave; each WaveSize after them arrive together.
    for (std::size_t i = changes.firstArrival(); i < city.actors.size(); ++i)
    {
        if (i >= FounderCount && (i - FounderCount) % WaveSize == 0)
            hear(Sound::Wave, placeOf(city.actors[i]), listener);
    }
    for (const PersonChange& change : changes.changed())
    {
        const Actor& actor = city.actors[change.person];
        const b2Vec2 place = placeOf(actor);
        for (std::int32_t hit = 0; hit < change.hits; ++hit)
            hear(hitOn(actor.faction), place, listener);
        if (change.fell)
            hear(Sound::Fall, place, listener);
    }
    for (const std::uint32_t person : recruited.turned)
        hear(recruited.side == Faction::Police ? Sound::PoliceCall : Sound::HooliganCall,
             placeOf(city.actors[person]), listener);
    if (recruited.missed())
        hear(Sound::Miss, listener, listener);
    // Many of a kind play as one, a little louder.
    for (Cue& cue : cues_)
        cue.gain *= std::min(1.0f + GroupGainStep * static_cast<float>(cue.count - 1), GroupGainLimit);
    return cues_;
}

void SoundChoice::hear(Sound sound, b2Vec2 place, b2Vec2 listener)
{
    const b2Vec2 offset = place - listener;
    const float distance = offset.Length();
    if (!(distance < range_))
        return;
    const float nearness = 1.0f - distance / range_;
    const float gain = BaseGain[static_cast<std::size_t>(sound)] * nearness * nearness;
    const float pan = std::clamp(offset.x / PanWidth, -1.0f, 1.0f);
    const auto same = std::find_if(cues_.begin(), cues_.end(), [sound](const Cue& cue) { return cue.sound == sound; });
    if (same == cues_.end())
        cues_.push_back({sound, gain, pan, 1, distance});
    else if (distance < same->distance)
        *same = {sound, gain, pan, same->count + 1, distance};
    else
        ++same->count;
}
} // namespace tamrow
