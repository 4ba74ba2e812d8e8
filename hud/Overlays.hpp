#pragma once

#include "city/City.hpp"
#include "hud/Palette.hpp"
#include "life/CityChanges.hpp"
#include "play/ControlRules.hpp"

#include <SFML/Graphics/Color.hpp>
#include <SFML/Graphics/Font.hpp>
#include <SFML/Graphics/Rect.hpp>
#include <SFML/Graphics/RenderTarget.hpp>
#include <SFML/Graphics/Sprite.hpp>

#include <cstdint>
#include <utility>
#include <vector>

namespace tamrow
{
/// How long a hit flash shows (frames of 1/60 s): a fifth of a second.
constexpr std::int32_t HitFlashFrames = 12;
/// How long a death mark shows (frames of 1/60 s): a second and a half.
constexpr std::int32_t DeathMarkFrames = 90;
/// How long the reach grid answers Q or E (frames of 1/60 s): half a second.
constexpr std::int32_t PressAnswerFrames = 30;

/// People in reach while neither Q nor E is held.
const sf::Color ReachMarkColour(255, 255, 255);
/// The grid's answer to a press of Q or E that turned nobody: light, edged in
/// dark, to stand out on the street, grass and roofs alike.
const sf::Color MissMarkColour(235, 235, 235);

/// What lets a player read the fight, drawn over the city: a ring on the
/// character, the nine cells Q and E reach with the living people in them, a
/// ring in the hitter's colour where a hit lands and a mark where someone dies.
/// The cells are drawn where the people are seen: moved from the bodies' cells
/// by the offset from a body's origin to the middle of its picture. Reads the city, never
/// writes it: hits and deaths are what `CityChanges` tells of the frame. Marks keep their size on screen at every zoom, growing only
/// to go round a person zoomed in bigger than they are.
class Overlays
{
public:
    /// Notes this frame's hits and deaths, as `changes` has just seen them in
    /// `city`, and ages the marks by one frame. Call once per frame after the
    /// city's update, whether the overlays are shown or not, so that showing them
    /// brings no stale marks.
    void observe(const City& city, const CityChanges& changes);

    /// The living people Q and E would reach now (never the character), in
    /// index order: recruiting's own rule, on the bodies as they stand.
    std::vector<std::uint32_t> reachable(const City& city) const;

    /// The nine cells as drawn (px): a person whose picture's middle stands in
    /// it is one Q and E reach. Empty without a character.
    static sf::FloatRect drawnReach(const City& city);

    /// What a frame's Q and E did, as `recruited` tells it: the grid answers
    /// for PressAnswerFrames with the number of people turned, in their new
    /// side's colour, or, for a press that turned nobody, shakes under a miss
    /// mark. A frame that did neither leaves the last answer showing.
    void answer(const Recruiting& recruited);

    /// Where the deaths still marked happened (px, the fallen's sprite origin)
    /// and how much of their mark is left, from 1 down to 0.
    std::vector<std::pair<sf::Vector2f, float>> freshDeaths() const;

    /// Draws into `target` with the camera's view already applied, over the
    /// city. `hooligansCalled` and `policeCalled` tell whether Q and E are held:
    /// the people in reach show the colour they are turning to, E's if both.
    /// `font` letters the number a press turned; none when null.
    void draw(sf::RenderTarget& target, const City& city, const sf::Font* font, bool hooligansCalled,
              bool policeCalled) const;

private:
    /// A hit flash or a death mark, on the struck person as it stood then: the
    /// dead are parked out of sight by the next frame, their sprite with them.
    struct Mark
    {
        sf::Sprite struck;
        sf::Color colour;
        std::int32_t framesLeft;
        bool death;
    };

    /// The grid's answer to the last frame that turned people or missed.
    struct PressAnswer
    {
        sf::Color colour;
        std::size_t turned = 0;
        std::int32_t framesLeft = 0;
    };

    /// The reach cells and their answer: the number turned or the miss mark; sizes in px of the view.
    void drawReach(sf::RenderTarget& target, const City& city, const sf::Font* font, float screenPx) const;

    std::vector<Mark> marks_;  ///< those still showing
    PressAnswer answer_;
};
} // namespace tamrow
