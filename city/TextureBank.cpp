#include "city/TextureBank.hpp"

namespace tamrow
{
const char* const ImageFolder = "./resources/image/";

void loadTextureBank(TextureBank& bank, const std::string& folder)
{
    for (std::size_t slot = 0; slot < ImageFileCount; ++slot)
    {
        // A failed load (no file, a folder, an image that does not decode or is
        // larger than the graphics card takes) leaves the slot an empty texture,
        // which draws nothing.
        bank[slot].loadFromFile(folder + ImageFiles[slot], sf::IntRect(0, 0, 0, 0));
    }
}
} // namespace tamrow
