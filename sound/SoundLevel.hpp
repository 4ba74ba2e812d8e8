#pragma once

#include "settings/Settings.hpp"

#include <cstdint>
#include <string>

namespace tamrow
{
/// The volume in tenths: from VolumeSilent to VolumeFull, as the settings keep it.
constexpr std::int32_t VolumeSilent = ruleOf(Setting::Volume).least;
constexpr std::int32_t VolumeFull = ruleOf(Setting::Volume).most;
/// How long the status panel shows the volume after a change (frames of 1/60 s): two seconds.
constexpr std::int32_t VolumeNoticeFrames = 120;

/// How loud the game is, as the player sets it with N, minus and equals, and
/// the word the status panel shows for a moment after a change. No device.
class SoundLevel
{
public:
    /// The volume and mute as `start` keeps them.
    explicit SoundLevel(const Settings& start = Settings());

    /// N: muted, or back to the volume it had.
    void toggleMute();
    /// Minus and equals: a tenth quieter or louder, within silent and full; unmutes.
    void quieter();
    void louder();
    /// The loudness every sound is multiplied by: 0 when muted, else the volume (0..1).
    float master() const;
    /// "muted" or the volume as a percentage ("70%") for VolumeNoticeFrames
    /// frames after a change; empty otherwise.
    std::string notice() const;
    /// One frame passes.
    void age();

    std::int32_t tenths() const { return tenths_; }
    bool muted() const { return muted_; }

private:
    void changed();

    std::int32_t tenths_;
    bool muted_;
    std::int32_t noticeLeft_ = 0;
};
} // namespace tamrow
