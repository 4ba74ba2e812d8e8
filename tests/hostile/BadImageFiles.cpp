#include "BadImageFiles.hpp"

#include <SFML/Graphics/Image.hpp>
#include <SFML/Graphics/Texture.hpp>

#include <array>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace
{
namespace fs = std::filesystem;

/// The defects that spoil one slot at a time.
/// (A BMP or JPEG under a .png name is no defect: the loader reads it.)
constexpr std::array<Defect, 6> SlotDefects = {Defect::Missing, Defect::Empty, Defect::Truncated, Defect::Text,
                                               Defect::Directory, Defect::TooLarge};

/// Size of the BMP put in place of an image: a person's (px).
constexpr unsigned OtherFormatWidth = 60;
constexpr unsigned OtherFormatHeight = 110;

const char* defectName(Defect defect)
{
    switch (defect)
    {
    case Defect::Intact:
        return "Intact";
    case Defect::NoFolder:
        return "NoFolder";
    case Defect::Missing:
        return "Missing";
    case Defect::Empty:
        return "Empty";
    case Defect::Truncated:
        return "Truncated";
    case Defect::Text:
        return "Text";
    case Defect::OtherFormat:
        return "OtherFormat";
    case Defect::Directory:
        return "Directory";
    case Defect::TooLarge:
        return "TooLarge";
    }
    return "Unknown";
}

std::string readWhole(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void writeWhole(const fs::path& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

/// Puts the spoiled image of `bad` at `path`.
void spoil(const fs::path& path, const BadImage& bad)
{
    switch (bad.defect)
    {
    case Defect::Empty:
        writeWhole(path, "");
        break;
    case Defect::Truncated:
    {
        const std::string whole = readWhole(repositoryImage(bad.slot));
        writeWhole(path, whole.substr(0, whole.size() / 2));
        break;
    }
    case Defect::Text:
        writeWhole(path, "This is not a picture.\n");
        break;
    case Defect::OtherFormat:
    {
        sf::Image picture;
        picture.create(OtherFormatWidth, OtherFormatHeight, sf::Color::Red);
        const fs::path bmp = fs::path(path).replace_extension(".bmp");
        picture.saveToFile(bmp.string());
        fs::rename(bmp, path);
        break;
    }
    case Defect::Directory:
        fs::create_directory(path);
        break;
    case Defect::TooLarge:
    {
        sf::Image picture;
        picture.create(sf::Texture::getMaximumSize() + 1, 1, sf::Color::Red);
        picture.saveToFile(path.string());
        break;
    }
    case Defect::Intact:
    case Defect::NoFolder:
    case Defect::Missing:
        break;
    }
}
} // namespace

bool BadImage::spoils(std::size_t slotOfImage) const
{
    if (defect == Defect::Intact)
        return false;
    if (defect == Defect::NoFolder)
        return slotOfImage < ImageFileCount;
    return slotOfImage == slot;
}

std::vector<BadImage> everyBadImage()
{
    std::vector<BadImage> cases;
    for (Defect defect : SlotDefects)
    {
        for (std::size_t slot = 0; slot < ImageFileCount; ++slot)
            cases.push_back(BadImage{defect, slot});
    }
    cases.push_back(BadImage{Defect::NoFolder, 0});
    cases.push_back(BadImage{Defect::Intact, 0});
    return cases;
}

std::string caseName(const BadImage& bad)
{
    std::string name = defectName(bad.defect);
    if (bad.defect == Defect::Intact || bad.defect == Defect::NoFolder)
        return name;
    // "08_map.png" -> "_08_map": test names take letters, digits and underscores only.
    const std::string file = ImageFiles[bad.slot];
    return name + "_" + file.substr(0, file.find('.'));
}

std::ostream& operator<<(std::ostream& out, const BadImage& bad)
{
    return out << caseName(bad);
}

std::string layOutImages(const std::string& root, const BadImage& bad)
{
    if (bad.defect == Defect::NoFolder)
    {
        fs::create_directories(fs::path(root) / "resources");
        return root;
    }
    const fs::path folder = fs::path(root) / "resources" / "image";
    fs::create_directories(folder);
    for (std::size_t slot = 0; slot < ImageFileCount; ++slot)
    {
        if (bad.spoils(slot))
            spoil(folder / ImageFiles[slot], bad);
        else
            fs::copy_file(repositoryImage(slot), folder / ImageFiles[slot]);
    }
    return root;
}

std::string repositoryImage(std::size_t slot)
{
    return std::string(TAMROW_SOURCE_DIR) + "/resources/image/" + ImageFiles[slot];
}

sf::Vector2u pngSize(const std::string& path)
{
    // Signature (8 bytes), IHDR length and type (8), then width and height,
    // each four bytes, most significant first.
    std::string head(24, '\0');
    std::ifstream in(path, std::ios::binary);
    if (!in.read(head.data(), static_cast<std::streamsize>(head.size())))
        return sf::Vector2u(0, 0);
    const auto word = [&head](std::size_t at) {
        unsigned value = 0;
        for (std::size_t i = 0; i < 4; ++i)
            value = (value << 8) | static_cast<unsigned char>(head[at + i]);
        return value;
    };
    return sf::Vector2u(word(16), word(20));
}
