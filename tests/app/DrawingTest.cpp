// What a frame puts on the screen, read back from the window: the clear colour, the
// map, then props, then actors in index order, and a corpse in the frame it is laid.

#include "support/GameFixture.hpp"

#include <optional>

namespace
{
const sf::Color Red(255, 0, 0);
const sf::Color Green(0, 255, 0);
const sf::Color Blue(0, 0, 255);
const sf::Color Yellow(255, 255, 0);
const sf::Color White(255, 255, 255);
const sf::Color Magenta(255, 0, 255);

class DrawingTest : public GameTest
{
protected:
    /// The map's pixels as the catalogue holds them (empty if the file is missing).
    sf::Image mapImage() const { return city.textures[static_cast<std::size_t>(TextureId::Map)].copyToImage(); }

    /// Where the world pixel (`x`, `y`) lands in the window while the camera is
    /// centred on `centre` at one view pixel per window pixel.
    static sf::Vector2i onWindow(sf::Vector2f centre, float x, float y)
    {
        return sf::Vector2i(static_cast<int>(x - centre.x + 800.0f), static_cast<int>(y - centre.y + 450.0f));
    }

    /// Every sampled pixel outside `skip` shows the backdrop; returns how many were compared.
    int expectBackdrop(const sf::Image& shown, sf::Vector2f centre, sf::IntRect skip = sf::IntRect())
    {
        const BackdropComparison comparison = compareWithBackdrop(shown, mapImage(), centre, skip);
        EXPECT_EQ(comparison.mismatched, 0) << comparison.firstMismatches;
        return comparison.compared;
    }

    /// The window pixel `p` shows the backdrop, unless that is uncertain there.
    void expectBackdropAt(const sf::Image& shown, sf::Vector2f centre, sf::Vector2i p)
    {
        const std::optional<sf::Color> under = backdropAt(mapImage(), centre, p);
        if (under)
        {
            EXPECT_TRUE(coloursNear(pixelAt(shown, p), *under, 1)) << "at " << p.x << ", " << p.y;
        }
    }

    /// Gives actor `index` a plain square sprite, by default 70 px wide (200 px at scale 0.35).
    void paintActor(std::size_t index, sf::Color colour, unsigned imageSize = 200)
    {
        city.actors[index].sprite.setTexture(solidTexture(colour, {imageSize, imageSize}), true);
    }

    /// Adds a prop whose sprite is a plain square 70 px wide with its top-left
    /// corner at (`x`, `y`) m: a 40 px image at 52.5 / 30 = 1.75.
    void addSquareProp(float x, float y, sf::Color colour)
    {
        city.addProp(x * 30.0f, y * 30.0f, 0.05f, 0.05f, 52.5f, 52.5f, TextureId::BlankSlot);
        city.props.back().sprite.setTexture(solidTexture(colour, {40, 40}), true);
    }
};
} // namespace

TEST_F(DrawingTest, FirstFrameShowsTheMapCornerWithTheClearColourAboveAndLeftOfIt)
{
    loop();
    const sf::Image shown = presented();
    ASSERT_EQ(shown.getSize(), sf::Vector2u(1600, 900));
    // The camera is on (0, 0): the window's top-left quarter lies beyond the map.
    EXPECT_EQ(pixelAt(shown, {0, 0}), ClearColour);
    EXPECT_EQ(pixelAt(shown, {799, 449}), ClearColour);
    EXPECT_GT(expectBackdrop(shown, {0.0f, 0.0f}), 3000);
}

TEST_F(DrawingTest, LaterDrawsCoverEarlierOnes)
{
    // Four plain squares, 70 px wide, each 30 px down and right of the last:
    // two props, then two actors. Where they overlap the later one must show.
    addSquareProp(50.0f, 27.0f, Red);
    addSquareProp(51.0f, 28.0f, Green);
    paintActor(0, White);
    paintActor(1, Blue);
    paintActor(2, Yellow);
    // Civilians never move by themselves; their boxes do not touch the props'.
    city.actors[1].faction = Faction::Civil;
    city.actors[2].faction = Faction::Civil;
    place(1, 52.0f, 29.0f);
    place(2, 53.0f, 30.0f);
    loop(2);

    const sf::Vector2f centre(1800.0f, 900.0f);
    ASSERT_EQ(game.window.getView().getCenter(), centre);
    const sf::Image shown = presented();
    const auto at = [&](float x, float y) { return pixelAt(shown, onWindow(centre, x, y)); };
    EXPECT_EQ(at(1500.0f, 810.0f), Red) << "a prop's top-left corner is its body's origin";
    EXPECT_EQ(at(1535.0f, 845.0f), Green) << "the later prop covers the earlier";
    EXPECT_EQ(at(1565.0f, 875.0f), Blue) << "an actor covers the props";
    EXPECT_EQ(at(1595.0f, 905.0f), Yellow) << "the later actor covers the earlier";
    EXPECT_EQ(pixelAt(shown, {800, 450}), White) << "the character's corner is the window's centre";
    // And the map lies under all of it, right up to the squares' edges.
    for (const sf::Vector2i p : {onWindow(centre, 1499.0f, 809.0f), onWindow(centre, 1660.0f, 970.0f),
                                 sf::Vector2i(799, 449), sf::Vector2i(870, 520)})
        expectBackdropAt(shown, centre, p);
}

TEST_F(DrawingTest, CorpseIsDrawnInTheFrameItIsLaidUnderTheActors)
{
    // A hooligan with one health left beside a police officer: the officer
    // picks it in the first frame and strikes in the second.
    city.population = PopulationLimit + 1;  // the corpse takes it to the limit: no wave
    city.actors[2].health = 1;
    place(1, 53.5f, 30.2f);
    place(2, 53.0f, 30.0f);
    paintActor(1, Blue);
    paintActor(2, White, 20);  // 7 px
    // The dead-hooligan image made plain: 3000 x 1800 at 0.2 / 30 is 20 x 12 px.
    sf::Image corpseImage;
    corpseImage.create(3000, 1800, Magenta);
    city.textures[static_cast<std::size_t>(TextureId::DeadHooli)].loadFromImage(corpseImage);
    loop();
    ASSERT_EQ(city.actors[1].state, ActorState::Chasing);
    loop();
    ASSERT_TRUE(city.actors[2].corpseLaid);
    ASSERT_EQ(city.props.size(), 5u);
    EXPECT_EQ(city.population, PopulationLimit);

    const sf::Vector2f centre(1800.0f, 900.0f);
    sf::Image shown = presented();
    const auto at = [&](float x, float y) { return pixelAt(shown, onWindow(centre, x, y)); };
    EXPECT_EQ(at(1600.0f, 904.0f), Magenta) << "the corpse, with its corner where the hooligan fell";
    EXPECT_EQ(at(1609.0f, 911.0f), Blue) << "the officer stands over the corpse";
    // The dead hooligan's own 7 px sprite, dark red at alpha 100, is still
    // there in this frame, blended over its corpse: 100 * 100/255 + 255 * 155/255.
    EXPECT_TRUE(coloursNear(at(1592.0f, 902.0f), sf::Color(194, 0, 155)));
    expectBackdropAt(shown, centre, onWindow(centre, 1589.0f, 899.0f));

    // Next frame the dead sprite follows its parked body out of sight.
    loop();
    shown = presented();
    EXPECT_EQ(at(1592.0f, 902.0f), Magenta);
    EXPECT_EQ(at(1600.0f, 904.0f), Magenta);
}
