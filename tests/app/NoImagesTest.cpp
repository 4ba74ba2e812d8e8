// Without any image the game plays and shows the clear colour where the pictures would be.
#include "support/GameFixture.hpp"
#include "support/TestCity.hpp"

#include <filesystem>

namespace
{
namespace fs = std::filesystem;

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

TEST_F(NoImagesTest, TheGamePlaysShowingTheClearColour)
{
    // The headless tests play whole runs without images; this draws them.
    city.waveCounter = 0;
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
