// tamrow_imagegen: paints every picture of the game into one folder.
//
//   tamrow_imagegen [folder]      (default: resources/image)
//
// The output depends on nothing but this code (no clock, no random device),
// so running it twice gives byte-identical files.

#include "Painters.hpp"

#include <filesystem>
#include <iostream>

namespace
{

struct ImageFile
{
    const char* name;
    Canvas (*paint)();
};

// The file names are the ones the game's texture catalogue loads.
const ImageFile kImages[] = {
    {"01_building1.png", paintBuildingRoof},
    {"02_busStation.png", paintBusShelter},
    {"03_character.png", paintPlayer},
    {"04_civil.png", paintCivilian},
    {"04b_deadCivil.png", paintDeadCivilian},
    {"05_fense.png", paintFence},
    {"06_hooli.png", paintHooligan},
    {"06b_deadHooli.png", paintDeadHooligan},
    {"07_vigil.png", paintVigilante},
    {"07b_vigil.png", paintVigilanteVariant},
    {"08_map.png", paintCityMap},
    {"09_Mayor.png", paintMayor},
    {"10_paths.png", paintPathTile},
    {"11_police.png", paintPolice},
    {"11b_deadPolice.png", paintDeadPolice},
    {"12_shopping.png", paintShopFront},
    {"13_tree.png", paintTree},
};

// The desktop icon, written beside the image folder: resources/icon/.
constexpr const char* kIconFile = "../icon/tamrow.png";

} // namespace

int main(int argc, char** argv)
{
    if (argc > 2)
    {
        std::cerr << "usage: " << argv[0] << " [output folder]\n";
        return 2;
    }
    const std::filesystem::path folder = argc == 2 ? argv[1] : "resources/image";
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error)
    {
        std::cerr << "cannot create " << folder << ": " << error.message() << '\n';
        return 1;
    }
    for (const ImageFile& image : kImages)
    {
        const Canvas canvas = image.paint();
        const std::filesystem::path file = folder / image.name;
        if (!canvas.save(file.string()))
        {
            std::cerr << "cannot write " << file << '\n';
            return 1;
        }
        std::cout << file.string() << "  " << canvas.width() << " x " << canvas.height() << '\n';
    }
    const Canvas icon = paintIcon();
    const std::filesystem::path iconFile = folder / kIconFile;
    std::filesystem::create_directories(iconFile.parent_path(), error);
    if (error || !icon.save(iconFile.string()))
    {
        std::cerr << "cannot write " << iconFile << '\n';
        return 1;
    }
    std::cout << iconFile.string() << "  " << icon.width() << " x " << icon.height() << '\n';
    return 0;
}
