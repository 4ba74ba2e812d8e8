#include "sound/SoundFiles.hpp"

#include <filesystem>
#include <system_error>

std::string soundFolderBeside(const std::string& imageFolder)
{
    // "a/image/" has the empty file name "": its parent is "a/image", whose parent is "a".
    const std::filesystem::path root = std::filesystem::path(imageFolder).parent_path().parent_path();
    return (root / SoundFolderName).string() + "/";
}

std::optional<std::string> findSoundFolder(const std::vector<std::string>& imageCandidates)
{
    for (const std::string& imageFolder : imageCandidates)
    {
        const std::string folder = soundFolderBeside(imageFolder);
        std::error_code error;
        if (std::filesystem::is_regular_file(folder + SoundFiles[static_cast<std::size_t>(Sound::Ambience)], error))
            return folder;
    }
    return std::nullopt;
}
