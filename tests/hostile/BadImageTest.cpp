// A city built from an image folder gone wrong: each image missing, empty,
// cut in half, not a picture, of another format, a directory, too large for the
// graphics card, or the whole folder missing. Each time the spoiled slot stays
// empty and the others load, the whole level is built, frames run, and where
// the spoiled image would show, the clear colour shows instead (or the map,
// where the map lies under it: so the people are looked at off the map).

#include "BadImageFiles.hpp"

#include "support/GameFixture.hpp"
#include "support/TestCity.hpp"

#include <algorithm>
#include <array>
#include <sstream>
#include <utility>
#include <vector>

namespace
{
/// Where the character starts (px): the camera's centre at the start.
const sf::Vector2f CharacterStart(1800.0f, 900.0f);
/// The character's sprite on the 1600 x 900 window at the start.
const sf::IntRect CharacterOnScreen(800, 450, 22, 40);
/// Half the window (px): the camera's centre shows there.
const sf::Vector2f HalfWindow(800.0f, 450.0f);

/// Places (m) for a scene well above and left of the map's top-left corner,
/// where nothing but the clear colour lies under the people: the character,
/// and around it, 10 m or more apart, the others and three corpses.
const b2Vec2 CharacterOffMap(-40.0f, -40.0f);
const b2Vec2 PoliceFounderAt(-50.0f, -45.0f);
const b2Vec2 HooliFounderAt(-30.0f, -45.0f);
const b2Vec2 CivilAt(-50.0f, -35.0f);
const b2Vec2 VigilAt(-30.0f, -35.0f);
const std::array<b2Vec2, 3> CorpseAt = {b2Vec2(-50.0f, -30.0f), b2Vec2(-40.0f, -30.0f), b2Vec2(-30.0f, -30.0f)};

/// Indices of the people of the first two waves: each wave is two hooligans,
/// a civilian and a police officer, after the three founders.
constexpr std::size_t FirstWaveCivil = 5;
constexpr std::size_t FirstWaveVigil = 6;
constexpr std::array<std::size_t, 3> SecondWaveDoomed = {7, 9, 10};  // a hooligan, the civilian, the officer

/// A sprite of the scene and the image it is meant to show.
struct Shown
{
    const sf::Sprite* sprite;
    TextureId image;
};

/// Base from member: the folder is laid out and made the working directory
/// before GameTest builds the city from it.
struct ImagesInTempFolder
{
    explicit ImagesInTempFolder(const BadImage& bad)
        : inFolder(layOutImages(folder.path, bad))
    {
    }

    TempFolder folder;
    ScopedWorkingDirectory inFolder;
};

class BadImageTest : private ImagesInTempFolder, public GameTest, public ::testing::WithParamInterface<BadImage>
{
protected:
    BadImageTest()
        : ImagesInTempFolder(GetParam())
    {
    }

    /// Two waves come; the people of every image are put in sight of the
    /// character, off the map, and three of them die where they stand. Returns
    /// what the last frame drew and which image each was meant to show.
    std::vector<Shown> stageEveryoneOffTheMap()
    {
        place(0, CharacterOffMap.x, CharacterOffMap.y);
        place(1, PoliceFounderAt.x, PoliceFounderAt.y);
        place(2, HooliFounderAt.x, HooliFounderAt.y);
        for (int wave = 0; wave < 2; ++wave)
        {
            city.population = PopulationLimit - 1;
            loop();
        }
        place(FirstWaveCivil, CivilAt.x, CivilAt.y);
        place(FirstWaveVigil, VigilAt.x, VigilAt.y);
        for (std::size_t i = 0; i < SecondWaveDoomed.size(); ++i)
        {
            const std::size_t doomed = SecondWaveDoomed[i];
            place(doomed, CorpseAt[i].x, CorpseAt[i].y);
            city.actors[doomed].health = 0;
            city.actors[doomed].dead = true;
        }
        // The corpses are laid in the first frame; in the second the dead
        // have gone from sight and the camera is on the character.
        loop(2);

        std::vector<Shown> shown = {
            {&city.actors[0].sprite, TextureId::Character},
            {&city.actors[1].sprite, TextureId::Police},
            {&city.actors[2].sprite, TextureId::Hooli},
            {&city.actors[FirstWaveCivil].sprite, TextureId::Civil},
            {&city.actors[FirstWaveVigil].sprite, TextureId::Vigil},
        };
        for (const Prop& prop : city.props)
        {
            for (TextureId corpse : {TextureId::DeadHooli, TextureId::DeadCivil, TextureId::DeadPolice})
            {
                if (prop.sprite.getTexture() == &city.texture(corpse))
                    shown.push_back({&prop.sprite, corpse});
            }
        }
        return shown;
    }

    /// Where on the window `item` shows, or would show with its image there.
    sf::IntRect onScreen(const Shown& item) const
    {
        const sf::Vector2u size = pngSize(repositoryImage(static_cast<std::size_t>(item.image)));
        const sf::Vector2f scale = item.sprite->getScale();
        const sf::Vector2f corner = item.sprite->getPosition() - game.window.getView().getCenter() + HalfWindow;
        return sf::IntRect(static_cast<int>(corner.x), static_cast<int>(corner.y),
                           static_cast<int>(static_cast<float>(size.x) * scale.x) + 1,
                           static_cast<int>(static_cast<float>(size.y) * scale.y) + 1);
    }
};

/// How many pixels of `area` (clipped to the image) are not the clear colour, and how many were looked at.
std::pair<int, int> countNotClear(const sf::Image& shown, const sf::IntRect& area)
{
    int notClear = 0;
    int looked = 0;
    const sf::Vector2u size = shown.getSize();
    for (int y = std::max(area.top, 0); y < std::min(area.top + area.height, static_cast<int>(size.y)); ++y)
    {
        for (int x = std::max(area.left, 0); x < std::min(area.left + area.width, static_cast<int>(size.x)); ++x)
        {
            ++looked;
            if (!coloursNear(pixelAt(shown, {x, y}), ClearColour, 1))
                ++notClear;
        }
    }
    return {notClear, looked};
}
} // namespace

TEST_P(BadImageTest, TheLevelIsBuiltAndTheClearColourShowsWhereTheImageWouldBe)
{
    const BadImage bad = GetParam();

    // Only the spoiled slot is empty; the whole level is there.
    ASSERT_EQ(city.textures.size(), TextureSlotCount);
    for (std::size_t slot = 0; slot < ImageFileCount; ++slot)
    {
        const sf::Vector2u expected = bad.spoils(slot) ? sf::Vector2u(0, 0) : pngSize(repositoryImage(slot));
        EXPECT_EQ(city.textures[slot].getSize(), expected) << "slot " << slot;
    }
    EXPECT_EQ(city.texture(TextureId::BlankSlot).getSize(), sf::Vector2u(0, 0));
    EXPECT_EQ(city.actors.size(), 3u);
    EXPECT_EQ(city.props.size(), 4u);

    // At the start, on the map: the map around the character, or the clear colour.
    loop(2);
    ASSERT_EQ(game.window.getView().getCenter(), CharacterStart);
    sf::Image map;
    if (!bad.spoils(TextureId::Map))
    {
        ASSERT_TRUE(map.loadFromFile(repositoryImage(static_cast<std::size_t>(TextureId::Map))));
    }
    const BackdropComparison backdrop = compareWithBackdrop(presented(), map, CharacterStart, CharacterOnScreen);
    EXPECT_GT(backdrop.compared, 3000);
    EXPECT_LT(backdrop.mismatched, backdrop.compared / 20) << backdrop.firstMismatches;

    // Off the map, every person and corpse image in sight at once.
    const std::vector<Shown> scene = stageEveryoneOffTheMap();
    ASSERT_EQ(scene.size(), 8u) << "five people and three corpses";
    const sf::Image shown = presented();
    for (const Shown& item : scene)
    {
        const sf::IntRect area = onScreen(item);
        const auto [notClear, looked] = countNotClear(shown, area);
        std::ostringstream where;
        where << "image slot " << static_cast<std::size_t>(item.image) << " at (" << area.left << ", " << area.top
              << ") size " << area.width << " x " << area.height;
        ASSERT_GT(looked, 100) << where.str() << " is not on the window";
        if (bad.spoils(item.image))
            EXPECT_EQ(notClear, 0) << where.str() << " shows something";
        else
            EXPECT_GT(notClear, looked / 10) << where.str() << " shows too little";
    }
}

INSTANTIATE_TEST_SUITE_P(EveryImage, BadImageTest, ::testing::ValuesIn(everyBadImage()),
                         [](const ::testing::TestParamInfo<BadImage>& test) { return caseName(test.param); });
