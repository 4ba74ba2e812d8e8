// tamrow_imagegen: paints every picture of the game into one folder.
//
//   tamrow_imagegen [folder]      (default: resources/image)
//
// The output depends on nothing but this code (no clock, no random device),
// so running it twice gives byte-identical files.

#include "Painters.hpp"

#include "city/TextureBank.hpp"

#include <array>
#include <filesystem>
#include <iostream>

namespace tamrow
{
namespace
{

/// The painter of every image, in the catalogue's slot order (city/TextureBank.hpp).
const std::array<Canvas (*)(), ImageFileCount> Painters = {
    paintBuildingRoof, paintBusShelter, paintPlayer, paintCivilian, paintDeadCivilian, paintFence,
    paintHooligan, paintDeadHooligan, paintVigilante, paintVigilanteVariant, paintCityMap, paintMayor,
    paintPathTile, paintPolice, paintDeadPolice, paintShopFront, paintTree,
};

// The desktop icon, written beside the image folder in the hicolor theme's
// layout (resources/icon/hicolor/NxN/apps/tamrow.png), at the sizes desktops
// ask for, each resampled from the one drawing.
constexpr const char* kIconFolder = "../icon/hicolor";
constexpr std::array<unsigned, 4> kIconSizes = {48, 64, 128, 256};

} // namespace
} // namespace tamrow

int main(int argc, char** argv)
{
    using namespace tamrow;
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
    for (std::size_t slot = 0; slot < ImageFileCount; ++slot)
    {
        const Canvas canvas = Painters[slot]();
        const std::filesystem::path file = folder / ImageFiles[slot];
        if (!canvas.save(file.string()))
        {
            std::cerr << "cannot write " << file << '\n';
            return 1;
        }
        std::cout << file.string() << "  " << canvas.width() << " x " << canvas.height() << '\n';
    }
    const Canvas drawn = paintIcon();
    for (const unsigned size : kIconSizes)
    {
        const std::string side = std::to_string(size);
        const std::filesystem::path iconFile = folder / kIconFolder / (side + "x" + side) / "apps" / "tamrow.png";
        std::filesystem::create_directories(iconFile.parent_path(), error);
        const Canvas icon = size == drawn.width() ? drawn : drawn.resampled(size);
        if (error || !icon.save(iconFile.string()))
        {
            std::cerr << "cannot write " << iconFile << '\n';
            return 1;
        }
        std::cout << iconFile.string() << "  " << icon.width() << " x " << icon.height() << '\n';
    }
    return 0;
}
