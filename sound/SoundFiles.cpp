#include "sound/SoundFiles.hpp"

#include "city/ImageFolder.hpp"

#include <filesystem>

namespace tamrow
{
std::string soundFolderBeside(const std::string& imageFolder)
{
    // "a/image/" has the empty file name "": its parent is "a/image", whose parent is "a".
    const std::filesystem::path root = std::filesystem::path(imageFolder).parent_path().parent_path();
    return (root / SoundFolderName).string() + "/";
}

std::optional<std::string> findSoundFolder(const std::vector<std::string>& imageCandidates)
{
    std::vector<std::string> folders;
    for (const std::string& imageFolder : imageCandidates)
        folders.push_back(soundFolderBeside(imageFolder));
    return firstFolderHolding(folders, SoundFiles[static_cast<std::size_t>(Sound::Ambience)]);
}
} // namespace tamrow
