// Without any image the game plays and shows the clear colour where the pictures would be.
#include "support/GameFixture.hpp"
#include "support/TestCity.hpp"

#include "play/Session.hpp"

namespace tamrow
{
namespace
{
using NoImagesTest = GameTest;

TEST_F(NoImagesTest, TheGamePlaysShowingTheClearColour)
{
    // The headless tests play whole runs without images; this draws them, from a folder without any.
    const TempFolder empty;
    Session session(empty.path + "/");
    game.play.session = &session;
    game.startAgain();
    game.play.city->population = 0;
    loop(120);
    EXPECT_GE(game.play.city->actors.size(), 15u) << "waves come";
    const sf::Image shown = presented();
    for (unsigned y = 0; y < 900; y += 30)
        for (unsigned x = 0; x < 1600; x += 30)
            ASSERT_TRUE(shown.getPixel(x, y) == ClearColour) << x << ", " << y;
}
} // namespace
} // namespace tamrow
