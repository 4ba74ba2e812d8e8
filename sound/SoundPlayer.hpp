#pragma once

#include "sound/SoundChoice.hpp"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace tamrow
{
/// Sounds playing at once at most; when all are busy the farthest gives way.
constexpr std::size_t VoiceCount = 16;
/// The street's hum under everything, before the volume (0..1).
constexpr float AmbienceGain = 0.5f;

/// The sounds played through SFML's audio (OpenAL underneath), or nothing at
/// all. Whether OpenAL has a device is asked once, before SFML's audio is
/// touched; without one, or without the sound files, or with a damaged one,
/// the constructor says so in one line on standard error and the player stays
/// silent for good, making no further audio call.
class SoundPlayer
{
public:
    /// Loads every sound of `folder` (ending with a slash) and starts the street's
    /// hum; nothing when `folder` is empty (no sound folder was found).
    explicit SoundPlayer(const std::optional<std::string>& folder);
    ~SoundPlayer();
    SoundPlayer(const SoundPlayer&) = delete;
    SoundPlayer& operator=(const SoundPlayer&) = delete;

    /// True when sounds are really played.
    bool audible() const { return mixer_ != nullptr; }
    /// Starts each cue on a free voice, or on the farthest playing one if the
    /// cue is nearer; otherwise the cue is dropped.
    void play(const std::vector<Cue>& cues);
    /// Pauses every voice and the hum, or resumes what was paused.
    void setPaused(bool paused);
    /// Silences every voice and starts the hum afresh (F5).
    void stop();
    /// The loudness of everything (0..1): SoundLevel::master.
    void setVolume(float master);

private:
    struct Mixer;
    std::unique_ptr<Mixer> mixer_;
};
} // namespace tamrow
