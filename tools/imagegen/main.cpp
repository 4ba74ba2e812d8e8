// tamrow_imagegen: paints every picture of the game into one folder.
//
//   tamrow_imagegen [folder]      (default: resources/image)
//
// The output depends on nothing but this code (no clock, no random device),
// so running it twice gives byte-identical files.

#include "Painters.hpp"
#include "tools/OutputFolder.hpp"

#include "city/TextureBank.hpp"

#include <array>
#include <optional>
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
    int status = 0;
    const std::optional<std::filesystem::path> folder = outputFolder(argc, argv, "resources/image", status);
    if (!folder)
        return status;
    const auto size = [](const Canvas& canvas) {
        return std::to_string(canvas.width()) + " x " + std::to_string(canvas.height());
    };
    for (std::size_t slot = 0; slot < ImageFileCount; ++slot)
    {
        const Canvas canvas = Painters[slot]();
        const std::filesystem::path file = *folder / ImageFiles[slot];
        if (!told(canvas.save(file.string()), file, size(canvas)))
            return ToolWriteError;
    }
    const Canvas drawn = paintIcon();
    for (const unsigned iconSize : kIconSizes)
    {
        const std::string side = std::to_string(iconSize);
        const std::filesystem::path iconFile = *folder / kIconFolder / (side + "x" + side) / "apps" / "tamrow.png";
        std::error_code error;
        std::filesystem::create_directories(iconFile.parent_path(), error);
        const Canvas icon = iconSize == drawn.width() ? drawn : drawn.resampled(iconSize);
        if (!told(!error && icon.save(iconFile.string()), iconFile, size(icon)))
            return ToolWriteError;
    }
    return 0;
}
