#include "files/Screenshot.hpp"

#include "files/AtomicFile.hpp"
#include "files/PngBytes.hpp"

#include <SFML/Graphics/Image.hpp>
#include <SFML/Graphics/Texture.hpp>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

namespace tamrow
{
namespace
{
/// Long enough for "tamrow-YYYY-MM-DD_HH-MM-SS.png" and its terminating zero.
constexpr std::size_t NameLength = 64;

std::string fromEnvironment(const char* name)
{
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

/// The PNG of what `window` has drawn, written whole to `path` or not at all;
/// empty on success, else why not in words.
std::string savePicture(const sf::RenderWindow& window, const std::string& path)
{
    sf::Texture copy;
    const sf::Vector2u size = window.getSize();
    if (!copy.create(size.x, size.y))
        return "no texture of the window's size could be made";
    copy.update(window);
    const std::string png = pngBytes(copy.copyToImage());
    if (png.empty())
        return "out of memory while compressing it";
    return writeFileAtomically(path, png);
}
} // namespace

std::string picturesFolder()
{
    const std::string pictures = fromEnvironment("XDG_PICTURES_DIR");
    if (!pictures.empty())
        return pictures;
    const std::string home = fromEnvironment("HOME");
    std::error_code error;
    if (!home.empty() && std::filesystem::is_directory(home + "/Pictures", error))
        return home + "/Pictures";
    return ".";
}

std::string screenshotName(std::time_t when)
{
    std::tm local{};
    localtime_r(&when, &local);
    std::array<char, NameLength> name{};
    std::strftime(name.data(), name.size(), "tamrow-%Y-%m-%d_%H-%M-%S.png", &local);
    return name.data();
}

std::string saveScreenshot(const sf::RenderWindow& window, const std::string& folder)
{
    const std::string name = screenshotName(std::time(nullptr));
    std::string path = folder + "/" + name;
    std::error_code error;
    for (int taken = 2; std::filesystem::exists(path, error); ++taken)
        path = folder + "/" + name.substr(0, name.size() - 4) + "-" + std::to_string(taken) + ".png";

    const std::string failure = savePicture(window, path);
    if (failure.empty())
    {
        std::fprintf(stderr, "tamrow: screenshot saved to %s\n", path.c_str());
        return path;
    }
    std::fprintf(stderr, "tamrow: cannot save the screenshot to %s (%s); playing on\n", path.c_str(), failure.c_str());
    return "";
}
} // namespace tamrow
