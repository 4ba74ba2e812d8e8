#include "sound/SoundPlayer.hpp"

#include <AL/alc.h>
#include <SFML/Audio/Listener.hpp>
#include <SFML/Audio/Sound.hpp>
#include <SFML/Audio/SoundBuffer.hpp>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <limits>

#include <fcntl.h>
#include <unistd.h>

namespace tamrow
{
namespace
{
/// SFML's volumes are percentages.
constexpr float SfmlFullVolume = 100.0f;
/// What the loading says when OpenAL opened no device (no Sound has this value).
constexpr std::size_t NoDevice = SoundCount + 1;

/// Standard error sent to /dev/null while it lives: what ALSA and OpenAL print
/// of their own while probing for a device, line after line, is not the player's.
class QuietStandardError
{
public:
    QuietStandardError() : saved_(dup(STDERR_FILENO))
    {
        std::fflush(stderr);
        const int nowhere = open("/dev/null", O_WRONLY | O_CLOEXEC);
        if (nowhere >= 0)
        {
            dup2(nowhere, STDERR_FILENO);
            close(nowhere);
        }
    }
    ~QuietStandardError()
    {
        std::fflush(stderr);
        if (saved_ >= 0)
        {
            dup2(saved_, STDERR_FILENO);
            close(saved_);
        }
    }
    QuietStandardError(const QuietStandardError&) = delete;
    QuietStandardError& operator=(const QuietStandardError&) = delete;

private:
    int saved_;
};

/// Whether OpenAL opens a device at all: asked of OpenAL itself, so that a
/// machine without one costs one try, not a report of SFML's for every call.
bool openAlHasDevice()
{
    ALCdevice* device = alcOpenDevice(nullptr);
    if (device == nullptr)
        return false;
    alcCloseDevice(device);
    return true;
}

void sayOnce(const std::string& why)
{
    std::fprintf(stderr, "tamrow: %s; playing without sound\n", why.c_str());
}
} // namespace

/// What plays when there is sound: the loaded sounds, the voices and the hum.
struct SoundPlayer::Mixer
{
    std::array<sf::SoundBuffer, SoundCount> buffers;
    std::array<sf::Sound, VoiceCount> voices;
    std::array<float, VoiceCount> distances{};  ///< how far each voice's event was (m)
    sf::Sound ambience;
    std::array<bool, VoiceCount> pausedVoices{};
};

SoundPlayer::SoundPlayer(const std::optional<std::string>& folder)
{
    if (!folder)
    {
        sayOnce("no sounds found");
        return;
    }
    std::unique_ptr<Mixer> mixer;
    std::size_t failed = SoundCount;
    {
        const QuietStandardError quiet;
        if (!openAlHasDevice())
            failed = NoDevice;
        else
        {
            // SFML reports a bad file in lines of its own, unheard here: only ours is said.
            mixer = std::make_unique<Mixer>();
            for (std::size_t id = 0; id < SoundCount && failed == SoundCount; ++id)
            {
                if (!mixer->buffers[id].loadFromFile(*folder + SoundFiles[id]))
                    failed = id;
            }
        }
    }
    if (failed == NoDevice)
    {
        sayOnce("no audio device");
        return;
    }
    if (failed != SoundCount)
    {
        sayOnce(*folder + SoundFiles[failed] + " cannot be read");
        return;
    }
    for (sf::Sound& voice : mixer->voices)
    {
        voice.setRelativeToListener(true);
        voice.setAttenuation(0.0f);
    }
    mixer->ambience.setBuffer(mixer->buffers[static_cast<std::size_t>(Sound::Ambience)]);
    mixer->ambience.setLoop(true);
    mixer->ambience.setRelativeToListener(true);
    mixer->ambience.setAttenuation(0.0f);
    mixer->ambience.setVolume(AmbienceGain * SfmlFullVolume);
    mixer->ambience.play();
    mixer_ = std::move(mixer);
}

SoundPlayer::~SoundPlayer() = default;

void SoundPlayer::play(const std::vector<Cue>& cues)
{
    if (!mixer_)
        return;
    for (const Cue& cue : cues)
    {
        // A free voice, else the one whose event was farthest.
        std::size_t chosen = 0;
        float farthest = -1.0f;
        for (std::size_t v = 0; v < VoiceCount; ++v)
        {
            const bool free = mixer_->voices[v].getStatus() == sf::Sound::Stopped;
            const float distance = free ? std::numeric_limits<float>::infinity() : mixer_->distances[v];
            if (distance > farthest)
            {
                chosen = v;
                farthest = distance;
            }
        }
        if (!(farthest > cue.distance))
            continue;
        sf::Sound& voice = mixer_->voices[chosen];
        voice.stop();
        voice.setBuffer(mixer_->buffers[static_cast<std::size_t>(cue.sound)]);
        voice.setVolume(std::min(cue.gain, 1.0f) * SfmlFullVolume);
        // A direction on the unit circle in front of the listener: left -1, right +1.
        voice.setPosition(cue.pan, 0.0f, -std::sqrt(1.0f - cue.pan * cue.pan));
        voice.play();
        mixer_->distances[chosen] = cue.distance;
    }
}

void SoundPlayer::setPaused(bool paused)
{
    if (!mixer_)
        return;
    for (std::size_t v = 0; v < VoiceCount; ++v)
    {
        sf::Sound& voice = mixer_->voices[v];
        if (paused && voice.getStatus() == sf::Sound::Playing)
        {
            voice.pause();
            mixer_->pausedVoices[v] = true;
        }
        else if (!paused && mixer_->pausedVoices[v])
        {
            voice.play();
            mixer_->pausedVoices[v] = false;
        }
    }
    if (paused)
        mixer_->ambience.pause();
    else if (mixer_->ambience.getStatus() != sf::Sound::Playing)
        mixer_->ambience.play();
}

void SoundPlayer::stop()
{
    if (!mixer_)
        return;
    for (sf::Sound& voice : mixer_->voices)
        voice.stop();
    mixer_->pausedVoices.fill(false);
    mixer_->ambience.stop();
    mixer_->ambience.play();
}

void SoundPlayer::setVolume(float master)
{
    if (mixer_)
        sf::Listener::setGlobalVolume(master * SfmlFullVolume);
}
} // namespace tamrow
