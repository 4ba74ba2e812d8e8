#include "city/ImageFolder.hpp"

#include "city/TextureBank.hpp"

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace tamrow
{
namespace
{
/// Where an installed game keeps its images, from the folder above its bin/.
constexpr const char* InstalledImages = "share/tamrow/image/";

/// The folder of the running program (its bin/ once installed), through the
/// kernel's own link: empty if the link cannot be read.
std::filesystem::path programFolder()
{
    std::error_code error;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::filesystem::path() : program.parent_path();
}

std::string asFolder(const std::filesystem::path& path)
{
    std::string folder = path.string();
    if (folder.empty() || folder.back() != '/')
        folder += '/';
    return folder;
}
} // namespace

std::vector<std::string> imageFolderCandidates()
{
    std::vector<std::string> candidates;
    const char* chosen = std::getenv("TAMROW_DATA_DIR");
    if (chosen != nullptr && chosen[0] != '\0')
        candidates.push_back(asFolder(chosen));
    candidates.push_back(ImageFolder);
    const std::filesystem::path bin = programFolder();
    if (!bin.empty())
        candidates.push_back(asFolder(bin.parent_path() / InstalledImages));
    candidates.push_back(TAMROW_BUILD_IMAGES);
    return candidates;
}

std::optional<std::string> firstFolderHolding(const std::vector<std::string>& folders, const std::string& marker)
{
    for (const std::string& folder : folders)
    {
        std::error_code error;
        if (std::filesystem::is_regular_file(folder + marker, error))
            return folder;
    }
    return std::nullopt;
}

std::optional<std::string> findImageFolder(const std::vector<std::string>& candidates)
{
    return firstFolderHolding(candidates, MapImageFile);
}
} // namespace tamrow
