// Image folders gone wrong: each image missing, empty, cut in half, not a picture,
// a directory, or too large for the graphics card, in every
// slot, and the whole folder missing. The spoiled slots stay empty and every other
// image loads; without any image the whole level is built and plays, showing the
// clear colour. One process loops over every case.
#include "support/GameFixture.hpp"
#include "support/TestCity.hpp"

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace
{
namespace fs = std::filesystem;

/// Writes a spoiled image file at `path`, made from the repository's `good` one.
using Spoiler = std::function<void(const fs::path& path, const fs::path& good)>;

void writeFile(const fs::path& path, const std::string& content)
{
    std::ofstream(path, std::ios::binary) << content;
}

const std::vector<std::pair<const char*, Spoiler>> Defects = {
    {"missing", [](const fs::path&, const fs::path&) {}},
    {"empty", [](const fs::path& path, const fs::path&) { writeFile(path, ""); }},
    {"cut in half",
     [](const fs::path& path, const fs::path& good) {
         const std::string whole = fileContent(good.string());
         writeFile(path, whole.substr(0, whole.size() / 2));
     }},
    {"text", [](const fs::path& path, const fs::path&) { writeFile(path, "not a picture\n"); }},
    {"a directory", [](const fs::path& path, const fs::path&) { fs::create_directory(path); }},
    {"too large for the graphics card",
     [](const fs::path& path, const fs::path&) {
         sf::Image image;
         image.create(sf::Texture::getMaximumSize() + 1, 1, sf::Color::Red);
         image.saveToFile(path.string());
     }},
};

const fs::path RepositoryImages = fs::path(TAMROW_SOURCE_DIR) / "resources/image";

TEST(BadImageTest, EverySpoiledSlotStaysEmptyAndEveryOtherImageLoads)
{
    std::vector<sf::Vector2u> goodSizes;
    for (const char* file : ImageFiles)
    {
        sf::Texture good;
        ASSERT_TRUE(good.loadFromFile((RepositoryImages / file).string()));
        goodSizes.push_back(good.getSize());
    }
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
                const sf::Vector2u expected = slot % 2 == parity ? sf::Vector2u() : goodSizes[slot];
                EXPECT_EQ(bank[slot].getSize(), expected) << ImageFiles[slot] << " " << defect;
            }
        }
    }
}

/// Base from member: a working directory without resources/image/ before the
/// GameTest builds its city there.
struct NoImageFolder
{
    NoImageFolder()
        : previous(fs::current_path())
    {
        fs::current_path(folder.path);
    }
    ~NoImageFolder() { fs::current_path(previous); }

    TempFolder folder;
    fs::path previous;
};

class NoImagesTest : private NoImageFolder, public GameTest
{
};

TEST_F(NoImagesTest, TheWholeLevelIsBuiltAndPlaysShowingTheClearColour)
{
    EXPECT_EQ(city.textures.size(), TextureSlotCount);
    for (const sf::Texture& texture : city.textures)
        EXPECT_EQ(texture.getSize(), sf::Vector2u());
    EXPECT_EQ(city.actors.size(), 3u);
    EXPECT_EQ(city.props.size(), 4u);
    city.population = 0;
    loop(120);
    EXPECT_GE(city.actors.size(), 15u) << "waves come";
    const sf::Image shown = presented();
    for (unsigned y = 0; y < 900; y += 30)
    {
        for (unsigned x = 0; x < 1600; x += 30)
            ASSERT_TRUE(shown.getPixel(x, y) == ClearColour) << x << ", " << y;
    }
}
} // namespace
