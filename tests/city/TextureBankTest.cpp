// The texture catalogue: the seventeen image files of the game, and a city built
// where some or all of them are missing.

#include "CityChecks.hpp"

#include <SFML/Graphics/Image.hpp>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <set>

namespace
{
/// A city built in a fresh temporary working directory that holds, under
/// resources/image/, only the files a test puts there.
class BareFolderTest : public ::testing::Test
{
protected:
    TempFolder folder;

    std::filesystem::path imageFolder() const
    {
        std::filesystem::create_directories(std::filesystem::path(folder.path) / "resources" / "image");
        return std::filesystem::path(folder.path) / "resources" / "image";
    }

    void copyImage(std::size_t slot) const
    {
        std::filesystem::copy_file(repositoryImage(ImageFiles[slot]), imageFolder() / ImageFiles[slot]);
    }

    /// Checks that exactly the slots in `loaded` hold their repository image,
    /// and that the whole level is there whatever the images did.
    static void expectLoadedExactly(const City& city, const std::set<std::size_t>& loaded)
    {
        ASSERT_EQ(city.textures.size(), 18u);
        for (std::size_t slot = 0; slot < city.textures.size(); ++slot)
        {
            sf::Image original;
            if (loaded.count(slot) != 0)
            {
                ASSERT_TRUE(original.loadFromFile(repositoryImage(ImageFiles[slot])));
            }
            EXPECT_EQ(city.textures[slot].getSize(), original.getSize()) << "slot " << slot;
        }
        EXPECT_EQ(city.actors.size(), 3u);
        EXPECT_EQ(city.props.size(), 4u);
        EXPECT_EQ(city.actors[0].body->GetPosition(), b2Vec2(60.0f, 30.0f));
        EXPECT_EQ(city.props[3].body->GetPosition(), b2Vec2(270.0f, 25.0f));
        EXPECT_EQ(city.map.sprite.getScale(), sf::Vector2f(3.5f, 3.5f));
    }
};
} // namespace

TEST_F(CityTest, SlotsHoldTheirOwnFilesInFileOrder)
{
    for (std::size_t slot = 0; slot < ImageFileCount; ++slot)
    {
        SCOPED_TRACE(ImageFiles[slot]);
        sf::Image original;
        ASSERT_TRUE(original.loadFromFile(repositoryImage(ImageFiles[slot])));
        // Pixel for pixel the file's picture, not a neighbour's of the same size.
        const sf::Image shown = city.textures[slot].copyToImage();
        ASSERT_EQ(shown.getSize(), original.getSize());
        const sf::Vector2u size = original.getSize();
        // Larger textures do not load on every graphics card.
        EXPECT_LE(std::max(size.x, size.y), 4096u);
        for (unsigned y = 0; y < size.y; y += std::max(1u, size.y / 7))
            for (unsigned x = 0; x < size.x; x += std::max(1u, size.x / 7))
                ASSERT_EQ(shown.getPixel(x, y).toInteger(), original.getPixel(x, y).toInteger())
                    << "at (" << x << ", " << y << ")";
    }
    EXPECT_EQ(city.textures[17].getSize(), sf::Vector2u(0, 0)) << "the blank slot stays empty";
}

TEST_F(CityTest, CorpsesAreVisibleAtTheirTinyScale)
{
    // A corpse is drawn at 0.2 / 30 of its image: big pictures, or nothing shows.
    for (const TextureId corpse : {TextureId::DeadCivil, TextureId::DeadHooli, TextureId::DeadPolice})
    {
        const sf::Vector2u size = slot(corpse).getSize();
        EXPECT_GE(static_cast<float>(std::min(size.x, size.y)) * 0.2f / 30.0f, 1.0f)
            << ImageFiles[static_cast<std::size_t>(corpse)] << " is under a pixel";
    }
}

TEST_F(BareFolderTest, NoImagesStillBuildsTheWholeLevel)
{
    const ScopedWorkingDirectory inside(folder.path);
    const TestCity test;
    expectLoadedExactly(test.city, {});
    EXPECT_EQ(test.city.map.sprite.getTextureRect(), sf::IntRect(0, 0, 0, 0));
}

TEST_F(BareFolderTest, MissingOrUnreadableImagesLeaveExactlyTheirSlotsEmpty)
{
    // The player, the map and two corpses; a broken hooligan image before the
    // hooligan corpse, which must still load.
    const std::set<std::size_t> present = {2, 7, 10, 14};
    for (const std::size_t slot : present)
        copyImage(slot);
    std::ofstream(imageFolder() / ImageFiles[6]) << "not a picture";

    const ScopedWorkingDirectory inside(folder.path);
    const TestCity test;
    expectLoadedExactly(test.city, present);
    expectShowsWhole(test.city.actors[0].sprite, test.city.textures[2]);
    expectShowsWhole(test.city.map.sprite, test.city.textures[10]);
    EXPECT_EQ(test.city.actors[2].sprite.getTextureRect(), sf::IntRect(0, 0, 0, 0));
}

TEST_F(BareFolderTest, ImagesAreReadRelativeToTheWorkingDirectory)
{
    // A 3 x 5 px map of our own making, unlike any image of the repository.
    sf::Image tiny;
    tiny.create(3, 5, sf::Color(10, 200, 30));
    ASSERT_TRUE(tiny.saveToFile((imageFolder() / ImageFiles[10]).string()));

    const ScopedWorkingDirectory inside(folder.path);
    const TestCity test;
    EXPECT_EQ(test.city.textures[10].copyToImage().getPixel(2, 4), sf::Color(10, 200, 30));
    // Drawn 3.5 times as large: 10.5 x 17.5 world pixels.
    EXPECT_FLOAT_EQ(test.city.map.sprite.getGlobalBounds().width, 10.5f);
    EXPECT_FLOAT_EQ(test.city.map.sprite.getGlobalBounds().height, 17.5f);
}
