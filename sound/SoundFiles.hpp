#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tamrow
{
/// The game's sounds, one file each, in the order of SoundFiles.
enum class Sound : std::uint8_t
{
    HooliganHit = 0,  ///< a hooligan's blow landing
    PoliceHit = 1,    ///< a police baton landing
    Fall = 2,         ///< someone dies and falls
    HooliganCall = 3, ///< Q reaches someone: a rough shout
    PoliceCall = 4,   ///< E reaches someone: a police whistle
    Wave = 5,         ///< newcomers arrive: hurried footsteps
    Ambience = 6,     ///< the street, looped while the game runs
    Miss = 7          ///< Q or E pressed and nobody turned: a dry double knock
};
constexpr std::size_t SoundCount = 8;

/// File names in Sound order: what the game loads and what tools/soundgen makes.
inline constexpr std::array<const char*, SoundCount> SoundFiles = {
    "hooligan-hit.wav", "police-hit.wav", "fall.wav", "hooligan-call.wav",
    "police-call.wav",  "wave.wav",       "ambience.wav",  "miss.wav",
};

/// The sounds' folder, named beside the image folder it goes with.
inline constexpr const char* SoundFolderName = "sound";

/// The folder beside image folder `imageFolder` (ending with a slash) where its
/// sounds lie: `.../image/` gives `.../sound/`.
std::string soundFolderBeside(const std::string& imageFolder);

/// The sound folder beside the first of `imageCandidates` (city/ImageFolder's
/// search) that holds the ambience file; nothing when none does.
std::optional<std::string> findSoundFolder(const std::vector<std::string>& imageCandidates);
} // namespace tamrow
