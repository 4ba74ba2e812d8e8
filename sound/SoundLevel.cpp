#include "sound/SoundLevel.hpp"

#include <algorithm>

namespace tamrow
{
SoundLevel::SoundLevel(const Settings& start)
    : tenths_(start.get(Setting::Volume))
    , muted_(start.get(Setting::Muted) != 0)
{
}

void SoundLevel::toggleMute()
{
    muted_ = !muted_;
    changed();
}

void SoundLevel::quieter()
{
    tenths_ = std::max(tenths_ - 1, VolumeSilent);
    muted_ = false;
    changed();
}

void SoundLevel::louder()
{
    tenths_ = std::min(tenths_ + 1, VolumeFull);
    muted_ = false;
    changed();
}

float SoundLevel::master() const
{
    return muted_ ? 0.0f : static_cast<float>(tenths_) / static_cast<float>(VolumeFull);
}

std::string SoundLevel::notice() const
{
    if (noticeLeft_ <= 0)
        return std::string();
    return muted_ ? "muted" : std::to_string(tenths_ * 100 / VolumeFull) + "%";
}

void SoundLevel::age()
{
    noticeLeft_ = std::max(noticeLeft_ - 1, 0);
}

void SoundLevel::changed()
{
    noticeLeft_ = VolumeNoticeFrames;
}
} // namespace tamrow
