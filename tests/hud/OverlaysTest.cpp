// What is drawn over the city: the marks, the reach, the map, the pointer, the panel, the help card.
#include "city/Units.hpp"
#include "hud/HelpCard.hpp"
#include "hud/HistoryPlot.hpp"
#include "hud/StatusPanel.hpp"
#include "hud/SystemFont.hpp"
#include "hud/CityMap.hpp"
#include "hud/PeoplePointer.hpp"
#include "hud/Palette.hpp"
#include "support/BuildPaths.hpp"
#include "support/ChildProcess.hpp"
#include "support/GameFixture.hpp"
#include "support/TestCity.hpp"

#include "life/Simulation.hpp"

#include <SFML/Graphics/RenderTexture.hpp>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <tuple>
#include <vector>

namespace tamrow
{
namespace
{
class OverlaysTest : public GameTest
{
protected:
    OverlaysTest() { game.overlaysShown = true; }

    /// Appends a person of `side` with its body at (`x`, `y`) m; returns its index.
    std::size_t standAt(float x, float y, TextureId image, Faction side)
    {
        city.spawnActor(0.0f, 0.0f, image, side);
        place(city.actors.size() - 1, x, y);
        return city.actors.size() - 1;
    }

    /// The last frame drawn again from the same state, the city alone.
    sf::Image redrawn()
    {
        game.window.clear(ClearColour);
        game.paint(game.window, *game.play.city);
        game.window.display();
        return presented();
    }

    /// Where actor `index` is seen (px of the city): the middle of its sprite.
    sf::Vector2f middleOf(std::size_t index)
    {
        const sf::FloatRect bounds = city.actors[index].sprite.getGlobalBounds();
        return {bounds.left + bounds.width / 2.0f, bounds.top + bounds.height / 2.0f};
    }

    /// Window pixels within `radius` of `place` (px of the city) where `a` and `b` differ.
    int differencesAround(const sf::Image& a, const sf::Image& b, sf::Vector2f place, int radius)
    {
        const sf::Vector2i middle = game.window.mapCoordsToPixel(place);
        int differing = 0;
        for (int y = middle.y - radius; y <= middle.y + radius; ++y)
            for (int x = middle.x - radius; x <= middle.x + radius; ++x)
                differing += a.getPixel(static_cast<unsigned>(x), static_cast<unsigned>(y)) !=
                             b.getPixel(static_cast<unsigned>(x), static_cast<unsigned>(y));
        return differing;
    }
};

/// Compares `shown` pixel for pixel with the reviewed picture tests/golden/`name`.png;
/// on a difference what was shown is left in the build folder to be looked at.
/// TAMROW_ACCEPT_PICTURES=1 makes it the reviewed one, after a change made on purpose.
/// The pictures are lettered in DejaVu Sans: where it is not the system's sans-serif, none is compared.
::testing::AssertionResult looksAsReviewed(const sf::Image& shown, const std::string& name)
{
    static const bool reviewedFont = findSystemFont().value_or("").find("/DejaVuSans.ttf") != std::string::npos;
    if (!reviewedFont)
        return ::testing::AssertionSuccess();
    const std::string reviewedPath = std::string(SourceFolder) + "/tests/golden/" + name + ".png";
    if (const char* accept = std::getenv("TAMROW_ACCEPT_PICTURES"); accept != nullptr && std::string(accept) == "1")
        shown.saveToFile(reviewedPath);
    sf::Image reviewed;
    if (!reviewed.loadFromFile(reviewedPath) || reviewed.getSize() != shown.getSize())
        return ::testing::AssertionFailure() << "no reviewed picture of the window's size in " << reviewedPath;
    int differing = 0;
    for (unsigned y = 0; y < shown.getSize().y; ++y)
        for (unsigned x = 0; x < shown.getSize().x; ++x)
            differing += shown.getPixel(x, y) != reviewed.getPixel(x, y);
    if (differing == 0)
        return ::testing::AssertionSuccess();
    const std::string shownPath = std::string(BuildFolder) + "/" + name + ".shown.png";
    shown.saveToFile(shownPath);
    return ::testing::AssertionFailure() << name << ": " << differing << " pixels differ from the reviewed picture; "
                                         << "what was shown is in " << shownPath;
}
} // namespace

TEST_F(OverlaysTest, RingExactlyThePeopleQRecruitsAtTheCellEdges)
{
    // Cell (40, 30), then cell 0 on both axes, two metres wide.
    for (const sf::Vector2f character : {sf::Vector2f(40.5f, 30.5f), sf::Vector2f(0.5f, 0.5f)})
    {
        removeActorsFrom(1);
        place(0, character.x, character.y);
        const float cx = static_cast<float>(static_cast<int>(character.x));
        const float cy = static_cast<float>(static_cast<int>(character.y));
        for (const float offset : {-2.0001f, -1.9999f, -1.0001f, -0.9999f, 1.9999f, 2.0f, 2.0001f})
        {
            standAt(cx + offset, character.y, TextureId::Civil, Faction::Civil);
            standAt(character.x, cy + offset, TextureId::Civil, Faction::Civil);
        }
        const std::vector<std::uint32_t> ringed = Overlays().reachable(city);
        // Q makes hooligans; E, even with Q held, police; only the side and the image change.
        for (const auto& [keys, side, image] : {std::tuple{std::set{Action::RecruitHooligans}, Faction::Hooli, TextureId::Hooli},
                                                std::tuple{std::set{Action::RecruitHooligans, Action::RecruitPolice}, Faction::Police,
                                                           TextureId::Police}})
        {
            held = keys;
            game.handleInput();
            std::size_t recruited = 0;
            for (std::uint32_t i = 1; i < city.actors.size(); ++i)
            {
                const Actor& other = city.actors[i];
                const bool wasRinged = std::find(ringed.begin(), ringed.end(), i) != ringed.end();
                recruited += other.faction == side;
                EXPECT_EQ(wasRinged, other.faction == side && other.sprite.getTexture() == &city.texture(image))
                    << "at " << other.body->GetPosition().x << ", " << other.body->GetPosition().y;
                EXPECT_EQ(other.health, 10);
            }
            EXPECT_GT(recruited, 3u);
            EXPECT_LT(recruited, city.actors.size() - 4);
        }
        held.clear();
        EXPECT_EQ(city.actors[0].faction, Faction::Civil) << "the character is never recruited";
        EXPECT_EQ(city.actors[0].sprite.getTexture(), &city.texture(TextureId::Character));
    }
}

TEST_F(OverlaysTest, HitFlashesInTheFrameOfTheHitAndIsGoneASecondLater)
{
    removeActorsFrom(1);
    const std::size_t struck = standAt(64.0f, 30.0f, TextureId::Civil, Faction::Civil);
    const std::size_t hitter = standAt(65.5f, 30.0f, TextureId::Hooli, Faction::Hooli);
    int frames = 0;
    while (city.actors[struck].health == 10 && frames++ < 10)
        loop(1);
    ASSERT_EQ(city.actors[struck].health, 9);
    const sf::Image hitFrame = presented();
    const sf::Image cityAlone = redrawn();
    EXPECT_GT(differencesAround(hitFrame, cityAlone, middleOf(struck), 24), 200) << "no flash in the frame of the hit";
    EXPECT_EQ(differencesAround(hitFrame, cityAlone, middleOf(struck), 8), 0) << "the flash covers the person struck";

    // The hooligan lays down its quarrel: no more hits.
    city.actors[hitter].faction = Faction::Civil;
    city.actors[hitter].state = ActorState::Idle;
    place(hitter, 70.0f, 30.0f);
    loop(60);
    EXPECT_EQ(city.actors[struck].health, 9);
    const sf::Image later = presented();
    EXPECT_EQ(differencesAround(later, redrawn(), middleOf(struck), 24), 0);
}

TEST_F(OverlaysTest, StartingAgainLeavesNoMarkOfTheOldGame)
{
    // Someone falls beside the character, in sight of the next game's first camera.
    Session session{std::string(ImageFolder)};
    const sf::Vector2f firstSight = session.city().actors[0].sprite.getPosition() / PixelsPerMeter;
    const b2Vec2 spot(firstSight.x + 8.0f, firstSight.y + 8.0f);
    removeActorsFrom(1);
    place(0, spot.x + 4.0f, spot.y);
    const std::size_t dying = standAt(spot.x, spot.y, TextureId::Civil, Faction::Civil);
    city.actors[dying].health = 1;
    standAt(spot.x - 1.5f, spot.y, TextureId::Hooli, Faction::Hooli);
    int frames = 0;
    while (!city.actors[dying].dead && frames++ < 60)
        loop(1);
    const sf::Vector2f fell = middleOf(dying);
    const sf::Image crossed = presented();
    ASSERT_GT(differencesAround(crossed, redrawn(), fell, 14), 200) << "no cross where someone fell";

    game.play.session = &session;
    game.startAgain();  // what F5 plays
    loop(1);
    const sf::Image fresh = presented();
    EXPECT_EQ(differencesAround(fresh, redrawn(), fell, 14), 0);
}

TEST_F(OverlaysTest, TheMarksThePanelAndThePauseScreenLookAsReviewed)
{
    ASSERT_TRUE(game.desk.lettered);
    removeActorsFrom(1);
    const b2Vec2 character = city.actors[0].body->GetPosition();
    standAt(character.x + 1.5f, character.y, TextureId::Civil, Faction::Civil);
    const std::size_t dying = standAt(character.x - 4.0f, character.y, TextureId::Civil, Faction::Civil);
    city.actors[dying].health = 1;
    standAt(character.x - 5.5f, character.y, TextureId::Hooli, Faction::Hooli);
    const std::size_t arrested = standAt(character.x, character.y + 4.0f, TextureId::Hooli, Faction::Hooli);
    standAt(character.x, character.y + 5.5f, TextureId::Police, Faction::Police);
    int frames = 0;
    while ((!city.actors[dying].dead || city.actors[arrested].health == 10) && frames++ < 60)
        loop(1);
    // A death's cross, a police hit's flash, the ring, the reach with E held, the panel's counts.
    held = {Action::RecruitPolice};
    loop(1);
    held.clear();
    EXPECT_TRUE(looksAsReviewed(presented(), "fight-marks"));
    game.play.paused = true;
    loop(1);
    EXPECT_TRUE(looksAsReviewed(presented(), "paused"));
    game.overlaysShown = false;
    loop(1);
    EXPECT_TRUE(looksAsReviewed(presented(), "paused-marks-hidden")) << "H hides the panel when paused too";
    // Clear of the play in the top-left quarter, or not shown at all.
    EXPECT_EQ(StatusPanel::placeIn(sf::Vector2u(800, 450)), sf::IntRect(800 - 208, 8, 200, 138));
    EXPECT_EQ(StatusPanel::placeIn(sf::Vector2u(300, 100)).width, 0);
    EXPECT_EQ(StatusPanel::placeIn(sf::Vector2u(1000, 140)).width, 0) << "taller than the window";
    EXPECT_EQ(StatusPanel::placeIn(sf::Vector2u(414, 300)).width, 0) << "over the top-left quarter by a pixel";
    EXPECT_EQ(StatusPanel::placeIn(sf::Vector2u(415, 300)), sf::IntRect(207, 8, 200, 138));
}

TEST_F(OverlaysTest, TheDrawnReachHoldsThePicturesOfExactlyThePeopleQTurns)
{
    removeActorsFrom(1);
    place(0, 40.5f, 30.5f);
    for (float dy = -2.9f; dy < 3.0f; dy += 0.45f)
        for (float dx = -2.9f; dx < 3.0f; dx += 0.45f)
            standAt(40.5f + dx, 30.5f + dy, TextureId::Civil, Faction::Civil);
    // Sprites on their bodies, as the update leaves them before the keys are read.
    for (Actor& person : city.actors)
        person.sprite.setPosition(person.body->GetPosition().x * PixelsPerMeter,
                                  person.body->GetPosition().y * PixelsPerMeter);
    const sf::FloatRect drawn = Overlays::drawnReach(city);
    held = {Action::RecruitHooligans};
    game.handleInput();
    std::size_t turned = 0;
    for (std::uint32_t i = 1; i < city.actors.size(); ++i)
    {
        turned += city.actors[i].faction == Faction::Hooli;
        EXPECT_EQ(drawn.contains(middleOf(i)), city.actors[i].faction == Faction::Hooli) << "person " << i;
    }
    EXPECT_GT(turned, 10u);
}

TEST_F(OverlaysTest, APressShowsTheNumberItTurnsOrAMissSeenOnTheStreetGrassAndRoofs)
{
    ASSERT_TRUE(game.desk.lettered);
    // Q beside a hooligan and {the other}, the character on {ground} (m): the number turned, then misses.
    const std::tuple<Faction, b2Vec2, std::size_t> rows[] = {{Faction::Civil, {49.0f, 45.7f}, 1},  // street
                                                             {Faction::Hooli, {49.0f, 45.7f}, 0},
                                                             {Faction::Hooli, {134.2f, 33.3f}, 0},  // grass
                                                             {Faction::Hooli, {26.8f, 31.5f}, 0}};  // roof
    const sf::Vector2i crop(180, 200);  // window px round the grid and what stands above it
    sf::Image answers;
    answers.create(static_cast<unsigned>(crop.x) * std::size(rows), static_cast<unsigned>(crop.y));
    for (std::size_t r = 0; r < std::size(rows); ++r)
    {
        const auto& [other, ground, turned] = rows[r];
        removeActorsFrom(1);
        place(0, ground.x, ground.y);
        held.clear();
        loop(2);  // the camera follows the sprite a frame behind
        standAt(ground.x, ground.y + 0.5f, TextureId::Hooli, Faction::Hooli);
        standAt(ground.x + 0.6f, ground.y + 0.5f, TextureId::Civil, other);
        held = {Action::RecruitHooligans};
        loop(1);
        EXPECT_EQ(game.play.recruited.turned.size(), turned) << "row " << r;
        const sf::Image shown = presented();
        const sf::FloatRect grid = Overlays::drawnReach(city);
        const sf::Vector2f above(grid.left + grid.width / 2.0f, grid.top - 20.0f);
        EXPECT_GT(differencesAround(shown, redrawn(), above, 16), 150) << "row " << r << ": no answer seen";
        const sf::Vector2i corner = game.window.mapCoordsToPixel(above) - sf::Vector2i(crop.x / 2, crop.y / 2 - 30);
        answers.copy(shown, static_cast<unsigned>(crop.x * static_cast<int>(r)), 0, sf::IntRect(corner, crop));
    }
    EXPECT_TRUE(looksAsReviewed(answers, "press-answers"));
}

TEST_F(OverlaysTest, TheMapDotsPeopleByItsScaleOutlinesTheWindowAndLeavesTheRestToM)
{
    ASSERT_TRUE(game.desk.lettered);
    removeActorsFrom(1);
    const std::size_t police = standAt(150.0f, 100.0f, TextureId::Police, Faction::Police);
    standAt(60.0f, 40.0f, TextureId::Hooli, Faction::Hooli);
    standAt(250.0f, 70.0f, TextureId::Civil, Faction::Civil);
    loop(2);  // the camera follows the sprite a frame behind
    const sf::Vector2u size = game.window.getSize();
    const sf::IntRect where = CityMap::placeIn(size, StatusPanel::placeIn(size));
    ASSERT_EQ(where, sf::IntRect(1600 - 328, 900 - 141, 320, 133));
    const sf::Image shown = presented();
    const sf::Vector2f dot = CityMap::toWindow(city.actors[police].sprite.getPosition(), where);
    EXPECT_EQ(shown.getPixel(static_cast<unsigned>(dot.x), static_cast<unsigned>(dot.y)), SideColours[2]);
    sf::Image map;
    map.create(static_cast<unsigned>(where.width), static_cast<unsigned>(where.height));
    map.copy(shown, 0, 0, where);
    EXPECT_TRUE(looksAsReviewed(map, "city-map"));

    // M: the map goes, and nothing else changes (paused, so that nobody moves).
    game.play.paused = true;
    loop(1);
    const sf::Image before = presented();
    ASSERT_EQ(runCommand({"xdotool", "key", "m"}), 0);
    for (int frames = 0; game.mapShown && frames < 100; ++frames)
        loop(1);
    ASSERT_FALSE(game.mapShown);
    const sf::Image without = presented();
    game.play.paused = false;
    for (unsigned y = 0; y < size.y; ++y)
        for (unsigned x = 0; x < size.x; ++x)
            if (!where.contains(static_cast<int>(x), static_cast<int>(y)) &&
                before.getPixel(x, y) != without.getPixel(x, y))
                FAIL() << "M changed pixel " << x << ", " << y << " outside the map";

    // After a zoom and a resize the outline is the window's part of the city.
    game.mapShown = true;
    game.window.setSize(sf::Vector2u(1000, 600));
    ASSERT_TRUE(viewReaches(sf::Vector2f(1000.0f, 600.0f)));
    game.view.zoom(2.0f);
    loop(1);
    const sf::Vector2u resized = game.window.getSize();
    const sf::IntRect moved = CityMap::placeIn(resized, StatusPanel::placeIn(resized));
    const sf::Vector2f middle = CityMap::toWindow(game.view.getCenter(), moved);
    const sf::Vector2f left = CityMap::toWindow(game.view.getCenter() - game.view.getSize() / 2.0f, moved);
    EXPECT_EQ(presented().getPixel(static_cast<unsigned>(left.x), static_cast<unsigned>(middle.y)), sf::Color::White);

    // Too small to keep clear of the panel or of the window's middle: no map.
    EXPECT_EQ(CityMap::placeIn(sf::Vector2u(500, 280), sf::IntRect()).width, 0) << "over the middle";
    EXPECT_EQ(CityMap::placeIn(sf::Vector2u(700, 280), StatusPanel::placeIn(sf::Vector2u(700, 280))).width, 0)
        << "under the panel";
    EXPECT_EQ(CityMap::placeIn(sf::Vector2u(800, 450), StatusPanel::placeIn(sf::Vector2u(800, 450))).width, 320);
    EXPECT_EQ(CityMap::placeIn(sf::Vector2u(328, 900), sf::IntRect()), sf::IntRect(0, 759, 320, 133)) << "just fits";
    EXPECT_EQ(CityMap::placeIn(sf::Vector2u(327, 900), sf::IntRect()).width, 0) << "a pixel short";
}

TEST_F(OverlaysTest, ThePointerAimsAtTheNearestChaseFirstUntilSomeoneIsInSight)
{
    removeActorsFrom(1);
    place(0, 100.0f, 60.0f);
    const std::size_t near = standAt(60.0f, 60.0f, TextureId::Civil, Faction::Civil);
    const std::size_t far = standAt(100.0f, 120.0f, TextureId::Civil, Faction::Civil);
    game.helpFramesLeft = HelpCardFrames;
    loop(2);  // the camera follows the sprite a frame behind
    // The arrow and the distance, the reach at rest, the map and the help card of the first start.
    EXPECT_TRUE(looksAsReviewed(presented(), "pointer-and-help"));
    const sf::FloatRect seen(game.view.getCenter() - game.view.getSize() / 2.0f, game.view.getSize());
    std::optional<Pointing> pointing = PeoplePointer::aim(city, seen);
    ASSERT_TRUE(pointing);
    EXPECT_EQ(pointing->person, near);
    EXPECT_NEAR(pointing->direction.x, -1.0f, 1e-4f);
    EXPECT_NEAR(pointing->metres, 40.0f, 0.1f);
    const sf::Vector2u size = game.window.getSize();
    const sf::IntRect map = CityMap::placeIn(size, StatusPanel::placeIn(size));

    city.actors[far].state = ActorState::Chasing;
    pointing = PeoplePointer::aim(city, seen);
    ASSERT_TRUE(pointing);
    EXPECT_EQ(pointing->person, far) << "a chase comes first";
    EXPECT_NEAR(pointing->direction.y, 1.0f, 1e-4f);
    // Toward the map's corner it stops short of the map, which it never covers.
    const sf::Vector2f corner = PeoplePointer::tipIn(size, sf::Vector2f(0.8f, 0.6f), map);
    EXPECT_FALSE(sf::FloatRect(map).contains(corner));
    EXPECT_LT(corner.x, static_cast<float>(map.left));

    city.actors[far].state = ActorState::Idle;
    place(near, 110.0f, 60.0f);
    loop(1);
    EXPECT_FALSE(PeoplePointer::aim(city, seen)) << "someone in sight";
}
TEST(HistoryPlot, TheFightsHistoryIsPlottedBelowThePauseListAsReviewed)
{
    // Two minutes of a city left to itself, sampled as the game samples it.
    TestCity town;
    FightHistory history;
    runHeadless(town.world, town.city, 2 * 60 * FightHistory::StepsPerSecond,
                [&](std::int64_t) { history.observe(town.city); });
    ASSERT_GT(history.samples().back().deaths, 0) << "a fight to plot";
    // Below the pause list as it lies in a 1600 x 900 window, left of the middle.
    EXPECT_EQ(HistoryPlot::placeIn(sf::Vector2u(1600, 900), sf::FloatRect(16, 16, 650, 340)),
              sf::IntRect(16, 664, 560, 220));
    EXPECT_EQ(HistoryPlot::placeIn(sf::Vector2u(800, 450), sf::FloatRect(16, 16, 300, 340)).width, 0) << "no room";
    sf::Font font;
    ASSERT_TRUE(loadSystemFont(font));
    sf::RenderTexture target;
    ASSERT_TRUE(target.create(600, 260));
    target.clear(ClearColour);
    HistoryPlot::draw(target, &font, history, sf::IntRect(20, 20, 560, 220));
    target.display();
    EXPECT_TRUE(looksAsReviewed(target.getTexture().copyToImage(), "history-plot"));
}
} // namespace tamrow
