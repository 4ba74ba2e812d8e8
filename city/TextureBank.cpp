#include "city/TextureBank.hpp"

#include <algorithm>
#include <fstream>
#include <string>

const char* const ImageFolder = "./resources/image/";

namespace
{
/// The eight bytes every PNG file begins with.
constexpr std::array<unsigned char, 8> PngSignature = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

/// Whether the file at `path` begins as a PNG does. The loader would also take a
/// BMP, JPEG or TGA under a .png name; such a file is not one of the game's images.
bool looksLikePng(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    std::array<char, PngSignature.size()> head{};
    file.read(head.data(), static_cast<std::streamsize>(head.size()));
    if (file.gcount() != static_cast<std::streamsize>(head.size()))
        return false;
    return std::equal(head.begin(), head.end(), PngSignature.begin(),
                      [](char byte, unsigned char expected) { return static_cast<unsigned char>(byte) == expected; });
}
} // namespace

void loadTextureBank(TextureBank& bank, const char* folder)
{
    bank.assign(TextureSlotCount, sf::Texture());
    for (std::size_t slot = 0; slot < ImageFileCount; ++slot)
    {
        // A failed load leaves the slot an empty texture, which draws nothing.
        const std::string path = std::string(folder) + ImageFiles[slot];
        if (looksLikePng(path))
            bank[slot].loadFromFile(path, sf::IntRect(0, 0, 0, 0));
    }
}
