#include "city/TextureBank.hpp"

#include <string>

const char* const ImageFolder = "./resources/image/";

const std::array<const char*, ImageFileCount> ImageFiles = {
    "01_building1.png", "02_busStation.png", "03_character.png", "04_civil.png",
    "04b_deadCivil.png", "05_fense.png", "06_hooli.png", "06b_deadHooli.png",
    "07_vigil.png", "07b_vigil.png", "08_map.png", "09_Mayor.png",
    "10_paths.png", "11_police.png", "11b_deadPolice.png", "12_shopping.png",
    "13_tree.png",
};

void loadTextureBank(TextureBank& bank, const char* folder)
{
    bank.assign(TextureSlotCount, sf::Texture());
    for (std::size_t slot = 0; slot < ImageFileCount; ++slot)
    {
        // A failed load leaves the slot an empty texture, which draws nothing.
        bank[slot].loadFromFile(std::string(folder) + ImageFiles[slot], sf::IntRect(0, 0, 0, 0));
    }
}
