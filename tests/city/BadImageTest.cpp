// Image folders gone wrong, in every slot: the spoiled slots stay empty, the rest loads.
#include "support/BuildPaths.hpp"
#include "support/GameFixture.hpp"
#include "support/TestCity.hpp"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <utility>

namespace tamrow
{
namespace
{
namespace fs = std::filesystem;

/// Each writes a spoiled image file at `path`, made from the repository's `good` one.
const std::pair<const char*, void (*)(const fs::path& path, const fs::path& good)> Defects[] = {
    {"missing", [](const fs::path&, const fs::path&) {}},
    {"empty", [](const fs::path& path, const fs::path&) { std::ofstream(path, std::ios::binary); }},
    {"cut in half", [](const fs::path& path, const fs::path& good) {
         const std::string whole = fileContent(good.string());
         std::ofstream(path, std::ios::binary) << whole.substr(0, whole.size() / 2);
     }},
    {"text", [](const fs::path& path, const fs::path&) { std::ofstream(path, std::ios::binary) << "not a picture\n"; }},
    {"a directory", [](const fs::path& path, const fs::path&) { fs::create_directory(path); }},
    {"too large for the graphics card", [](const fs::path& path, const fs::path&) {
         sf::Image image;
         image.create(sf::Texture::getMaximumSize() + 1, 1, sf::Color::Red);
         image.saveToFile(path.string());
     }},
};

const fs::path RepositoryImages = fs::path(SourceFolder) / "resources/image";

TEST(BadImageTest, EverySpoiledSlotStaysEmptyAndEveryOtherImageLoads)
{
    TextureBank good(TextureSlotCount);
    loadTextureBank(good, RepositoryImages.string() + "/");
    ASSERT_TRUE(std::none_of(good.begin(), good.begin() + ImageFileCount,
                             [](const sf::Texture& texture) { return texture.getSize() == sf::Vector2u(); }));
    for (const auto& [defect, spoil] : Defects)
    {
        // Even slots spoiled, then odd ones: each slot once, between good neighbours.
        for (std::size_t parity = 0; parity < 2; ++parity)
        {
            const TempFolder folder;
            for (std::size_t slot = 0; slot < ImageFileCount; ++slot)
            {
                const fs::path file = fs::path(folder.path) / ImageFiles[slot];
                if (slot % 2 == parity)
                    spoil(file, RepositoryImages / ImageFiles[slot]);
                else
                    fs::copy_file(RepositoryImages / ImageFiles[slot], file);
            }
            TextureBank bank(TextureSlotCount);
            loadTextureBank(bank, folder.path + "/");
            ASSERT_EQ(bank.size(), TextureSlotCount);
            for (std::size_t slot = 0; slot < ImageFileCount; ++slot)
            {
                const sf::Vector2u expected = slot % 2 == parity ? sf::Vector2u() : good[slot].getSize();
                EXPECT_EQ(bank[slot].getSize(), expected) << ImageFiles[slot] << " " << defect;
            }
        }
    }
}
} // namespace
} // namespace tamrow
