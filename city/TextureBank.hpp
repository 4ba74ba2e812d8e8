#pragma once

#include <SFML/Graphics/Texture.hpp>

#include <array>
#include <cstddef>
#include <string>
#include <vector>

namespace tamrow
{
/// The texture catalogue: exactly TextureSlotCount textures, given their slots
/// once before loading and never resized, because sprites point into it.
using TextureBank = std::vector<sf::Texture>;

/// Slot of the catalogue. Slots 0 to 16 hold the image files in file order;
/// BlankSlot receives no file and stays an empty texture.
enum class TextureId : std::size_t
{
    Building = 0,
    BusStation = 1,
    Character = 2,
    Civil = 3,
    DeadCivil = 4,
    Fence = 5,
    Hooli = 6,
    DeadHooli = 7,
    Vigil = 8,
    VigilAlt = 9,
    Map = 10,
    Mayor = 11,
    Paths = 12,
    Police = 13,
    DeadPolice = 14,
    Shopping = 15,
    Tree = 16,
    BlankSlot = 17
};

constexpr std::size_t ImageFileCount = 17;
constexpr std::size_t TextureSlotCount = ImageFileCount + 1;

/// Where the images are read from, relative to the working directory.
extern const char* const ImageFolder;

/// File names of slots 0 to 16, in slot order: what the game loads and what
/// tools/imagegen paints.
inline constexpr std::array<const char*, ImageFileCount> ImageFiles = {
    "01_building1.png", "02_busStation.png", "03_character.png", "04_civil.png",
    "04b_deadCivil.png", "05_fense.png", "06_hooli.png", "06b_deadHooli.png",
    "07_vigil.png", "07b_vigil.png", "08_map.png", "09_Mayor.png",
    "10_paths.png", "11_police.png", "11b_deadPolice.png", "12_shopping.png",
    "13_tree.png",
};

/// The map's file: a folder holding one so named is taken for the image folder.
inline constexpr const char* MapImageFile = ImageFiles[static_cast<std::size_t>(TextureId::Map)];
/// The map picture's size (image px), as tools/imagegen paints it.
constexpr unsigned MapImageWidth = 2400;
constexpr unsigned MapImageHeight = 1000;

/// Loads every image file of `folder` (which ends with a slash) into its slot
/// of `bank`, which has its TextureSlotCount slots already. A file that is
/// missing, cannot be decoded or is too large for the graphics card leaves its
/// slot empty; the next file is loaded anyway. Needs an X display.
void loadTextureBank(TextureBank& bank, const std::string& folder);
} // namespace tamrow
