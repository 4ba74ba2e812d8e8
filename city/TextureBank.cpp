#include "city/TextureBank.hpp"


const char* const ImageFolder = "./resources/image/";

const std::array<const char*, ImageFileCount> ImageFiles = {
    "01_building1.png", "02_busStation.png", "03_character.png", "04_civil.png",
    "04b_deadCivil.png", "05_fense.png", "06_hooli.png", "06b_deadHooli.png",
    "07_vigil.png", "07b_vigil.png", "08_map.png", "09_Mayor.png",
    "10_paths.png", "11_police.png", "11b_deadPolice.png", "12_shopping.png",
    "13_tree.png",
};

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
