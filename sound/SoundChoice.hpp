#pragma once

#include "city/City.hpp"
#include "life/CityChanges.hpp"
#include "play/ControlRules.hpp"
#include "sound/SoundFiles.hpp"

#include <cstdint>
#include <vector>

namespace tamrow
{
/// Nothing farther than this from the character is heard (m): the window at
/// the start shows 26.7 m either side of the character and 15 m above and below.
constexpr float HearingRange = 40.0f;
/// A sound this far to one side (m) or farther is heard from that side alone.
constexpr float PanWidth = 20.0f;
/// Each more event of a kind in one frame makes its sound this much louder
/// (a share of its gain), up to GroupGainLimit times the gain.
constexpr float GroupGainStep = 0.1f;
constexpr float GroupGainLimit = 1.5f;

/// One sound to start: what, how loud (0 up to GroupGainLimit, before the
/// player's volume), from where (-1 all left, +1 all right), standing for how
/// many events of its kind, and how far the nearest of them was (m).
struct Cue
{
    Sound sound;
    float gain;
    float pan;
    std::int32_t count;
    float distance;
};

/// Which sounds a frame of the city brings, where, and how loud, heard from the
/// character (actor 0): a hit (a hooligan's blow or a baton, by the side struck),
/// a fall for each death, Q's shout or E's whistle for each person turned, a dry
/// knock for a press that turned nobody, and footsteps for each wave. Reads the
/// city, never writes it, as the overlays do: events are what `CityChanges` and
/// the frame's `Recruiting` tell of the frame. Needs no audio device.
class SoundChoice
{
public:
    /// Hears within `range` (m).
    explicit SoundChoice(float range = HearingRange);
    /// What `changes` has just seen happen in `city` (the founders arrive at
    /// the first look) and what `recruited` tells of the frame's Q and E, as at
    /// most one cue per sound, placed at the nearest event of its kind and
    /// louder for each more event; events beyond the range are not heard. A
    /// miss is heard at the character. Valid until the next call.
    const std::vector<Cue>& listen(const City& city, const CityChanges& changes, const Recruiting& recruited);

private:
    /// Adds one event of `sound` at `place` (m), heard from `listener`.
    void hear(Sound sound, b2Vec2 place, b2Vec2 listener);

    float range_;
    std::vector<Cue> cues_;
};
} // namespace tamrow
