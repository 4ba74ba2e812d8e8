// The texture catalogue: the seventeen image files of the game, and a city built
// where some or all of them are missing.

#include "CityChecks.hpp"

#include <SFML/Graphics/Image.hpp>

#include <array>
#include <filesystem>
#include <fstream>
#include <set>

namespace
{
/// Textures larger than this on a side do not load on every graphics card (px).
constexpr unsigned PortableTextureSide = 4096;

/// A city built in a fresh temporary working directory that holds, under
/// resources/image/, only the files a test puts there.
class BareFolderTest : public ::testing::Test
{
protected:
    TempFolder folder;

    std::filesystem::path imageFolder() const
    {
        return std::filesystem::path(folder.path) / "resources" / "image";
    }

    /// Copies the repository's image of `slot` into the temporary folder.
    void copyImage(std::size_t slot) const
    {
        std::filesystem::create_directories(imageFolder());
        std::filesystem::copy_file(repositoryImage(ImageFiles[slot]),
                                   imageFolder() / ImageFiles[slot]);
    }

    /// Writes a file under the name of `slot`'s image that is not a picture at all.
    void writeGarbage(std::size_t slot) const
    {
        std::filesystem::create_directories(imageFolder());
        std::ofstream(imageFolder() / ImageFiles[slot]) << "not a picture";
    }

    /// Checks that exactly the slots in `loaded` hold their repository image.
    static void expectLoadedExactly(const City& city, const std::set<std::size_t>& loaded)
    {
        ASSERT_EQ(city.textures.size(), 18u);
        for (std::size_t slot = 0; slot < city.textures.size(); ++slot)
        {
            const sf::Vector2u size = city.textures[slot].getSize();
            if (loaded.count(slot) == 0)
            {
                EXPECT_EQ(size, sf::Vector2u(0, 0)) << "slot " << slot << " should be empty";
                continue;
            }
            sf::Image original;
            ASSERT_TRUE(original.loadFromFile(repositoryImage(ImageFiles[slot])));
            EXPECT_EQ(size, original.getSize()) << "slot " << slot;
        }
    }

    /// The whole level is there whatever the images did.
    static void expectCompleteLevel(const City& city)
    {
        EXPECT_EQ(city.actors.size(), 3u);
        EXPECT_EQ(city.props.size(), 4u);
        EXPECT_EQ(city.population, 0);
        EXPECT_EQ(city.actors[0].body->GetPosition(), b2Vec2(60.0f, 30.0f));
        EXPECT_EQ(city.props[3].body->GetPosition(), b2Vec2(270.0f, 25.0f));
        EXPECT_EQ(city.map.sprite.getTexture(), &city.textures[10]);
        EXPECT_EQ(city.map.sprite.getScale(), sf::Vector2f(3.5f, 3.5f));
    }
};
} // namespace

TEST_F(CityTest, EveryImageFileLoadsIntoItsSlot)
{
    for (std::size_t slot = 0; slot < ImageFileCount; ++slot)
    {
        const sf::Vector2u size = city.textures[slot].getSize();
        EXPECT_GT(size.x, 0u) << ImageFiles[slot];
        EXPECT_GT(size.y, 0u) << ImageFiles[slot];
        EXPECT_LE(size.x, PortableTextureSide) << ImageFiles[slot];
        EXPECT_LE(size.y, PortableTextureSide) << ImageFiles[slot];
        EXPECT_LE(size.x, sf::Texture::getMaximumSize()) << ImageFiles[slot];
        EXPECT_LE(size.y, sf::Texture::getMaximumSize()) << ImageFiles[slot];
    }
    EXPECT_EQ(city.textures[17].getSize(), sf::Vector2u(0, 0)) << "the blank slot stays empty";
}

TEST_F(CityTest, SlotsHoldTheirOwnFilesInFileOrder)
{
    for (std::size_t slot = 0; slot < ImageFileCount; ++slot)
    {
        SCOPED_TRACE(ImageFiles[slot]);
        sf::Image original;
        ASSERT_TRUE(original.loadFromFile(repositoryImage(ImageFiles[slot])));
        EXPECT_EQ(city.textures[slot].getSize(), original.getSize());

        // Pixel for pixel the file's picture, not a neighbour's of the same size.
        const sf::Image shown = city.textures[slot].copyToImage();
        ASSERT_EQ(shown.getSize(), original.getSize());
        const sf::Vector2u size = original.getSize();
        for (unsigned y = 0; y < size.y; y += std::max(1u, size.y / 7))
            for (unsigned x = 0; x < size.x; x += std::max(1u, size.x / 7))
                ASSERT_EQ(shown.getPixel(x, y).toInteger(), original.getPixel(x, y).toInteger())
                    << "at (" << x << ", " << y << ")";
    }
}

TEST(ImageFiles, AreSeventeenPngFilesInSlotOrder)
{
    const std::array<const char*, 17> expected = {
        "01_building1.png", "02_busStation.png", "03_character.png", "04_civil.png",
        "04b_deadCivil.png", "05_fense.png", "06_hooli.png", "06b_deadHooli.png",
        "07_vigil.png", "07b_vigil.png", "08_map.png", "09_Mayor.png",
        "10_paths.png", "11_police.png", "11b_deadPolice.png", "12_shopping.png",
        "13_tree.png",
    };
    ASSERT_EQ(ImageFiles.size(), expected.size());
    EXPECT_STREQ(ImageFolder, "./resources/image/");
    for (std::size_t slot = 0; slot < expected.size(); ++slot)
    {
        EXPECT_STREQ(ImageFiles[slot], expected[slot]) << "slot " << slot;
        // Every one a real PNG: the eight-byte signature opens the file.
        std::ifstream file(repositoryImage(expected[slot]), std::ios::binary);
        ASSERT_TRUE(file.good()) << expected[slot] << " is missing";
        std::array<unsigned char, 8> head{};
        file.read(reinterpret_cast<char*>(head.data()), static_cast<std::streamsize>(head.size()));
        const std::array<unsigned char, 8> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
        EXPECT_EQ(head, png) << expected[slot];
    }
}

TEST_F(CityTest, CorpsesAreVisibleAtTheirTinyScale)
{
    // A corpse is drawn at 0.2 / 30 of its image: big pictures, or nothing shows.
    for (const TextureId corpse : {TextureId::DeadCivil, TextureId::DeadHooli, TextureId::DeadPolice})
    {
        const sf::Vector2u size = slot(corpse).getSize();
        EXPECT_GE(static_cast<float>(size.x) * 0.2f / 30.0f, 1.0f)
            << ImageFiles[static_cast<std::size_t>(corpse)] << " is under a pixel wide";
        EXPECT_GE(static_cast<float>(size.y) * 0.2f / 30.0f, 1.0f)
            << ImageFiles[static_cast<std::size_t>(corpse)] << " is under a pixel high";
    }
}

TEST_F(BareFolderTest, NoImagesStillBuildsTheWholeLevel)
{
    const ScopedWorkingDirectory inside(folder.path);
    const TestCity test;
    expectLoadedExactly(test.city, {});
    expectCompleteLevel(test.city);
    // Every sprite shows nothing, the map included.
    EXPECT_EQ(test.city.map.sprite.getTextureRect(), sf::IntRect(0, 0, 0, 0));
    EXPECT_EQ(test.city.actors[0].sprite.getGlobalBounds().width, 0.0f);
}

TEST_F(BareFolderTest, SomeImagesLeaveExactlyTheOthersEmpty)
{
    // The player, the map and the police corpse; everything else missing.
    const std::set<std::size_t> present = {2, 10, 14};
    for (const std::size_t slot : present)
        copyImage(slot);

    const ScopedWorkingDirectory inside(folder.path);
    const TestCity test;
    expectLoadedExactly(test.city, present);
    expectCompleteLevel(test.city);
    expectShowsWhole(test.city.actors[0].sprite, test.city.textures[2]);
    expectShowsWhole(test.city.map.sprite, test.city.textures[10]);
    EXPECT_EQ(test.city.actors[1].sprite.getTextureRect(), sf::IntRect(0, 0, 0, 0))
        << "the police image is missing";
}

TEST_F(BareFolderTest, UnreadableFileIsSkippedAndTheNextStillLoads)
{
    // A broken hooligan between a good civilian corpse and a good hooligan corpse.
    copyImage(4);
    writeGarbage(6);
    copyImage(7);
    copyImage(16);

    const ScopedWorkingDirectory inside(folder.path);
    const TestCity test;
    expectLoadedExactly(test.city, {4, 7, 16});
    expectCompleteLevel(test.city);
    EXPECT_EQ(test.city.actors[2].sprite.getTexture(), &test.city.textures[6]);
    EXPECT_EQ(test.city.actors[2].sprite.getTextureRect(), sf::IntRect(0, 0, 0, 0));
}

TEST_F(BareFolderTest, ImagesAreReadRelativeToTheWorkingDirectory)
{
    // A 3 x 5 px map of our own making, unlike any image of the repository.
    std::filesystem::create_directories(imageFolder());
    sf::Image tiny;
    tiny.create(3, 5, sf::Color(10, 200, 30));
    ASSERT_TRUE(tiny.saveToFile((imageFolder() / ImageFiles[10]).string()));

    const ScopedWorkingDirectory inside(folder.path);
    const TestCity test;
    expectCompleteLevel(test.city);
    EXPECT_EQ(test.city.textures[10].getSize(), sf::Vector2u(3, 5));
    EXPECT_EQ(test.city.textures[10].copyToImage().getPixel(2, 4), sf::Color(10, 200, 30));
    // Drawn 3.5 times as large: 10.5 x 17.5 world pixels.
    EXPECT_FLOAT_EQ(test.city.map.sprite.getGlobalBounds().width, 10.5f);
    EXPECT_FLOAT_EQ(test.city.map.sprite.getGlobalBounds().height, 17.5f);
    for (std::size_t slot = 0; slot < test.city.textures.size(); ++slot)
    {
        if (slot != 10)
        {
            EXPECT_EQ(test.city.textures[slot].getSize(), sf::Vector2u(0, 0)) << "slot " << slot;
        }
    }
}
