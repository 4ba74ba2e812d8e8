#pragma once
// Every picture the tool paints, and the city pieces that the map and the
// stand-alone props share. Sizes are in image px.

#include "Canvas.hpp"

namespace tamrow
{
// Every shadow cast on the ground, by roofs, trees, cars and props alike.
inline const sf::Color GroundShadow(0, 0, 0, 60);

// People (People.cpp): 60 x 110 px, transparent; the game draws them at 0.35x.
Canvas paintPlayer();
Canvas paintCivilian();
Canvas paintHooligan();
Canvas paintPolice();
Canvas paintVigilante();
Canvas paintVigilanteVariant();
Canvas paintMayor();

// Corpses (Corpses.cpp): 3000 x 1800 px, drawn at 1/150, so flat and bold.
Canvas paintDeadCivilian();
Canvas paintDeadHooligan();
Canvas paintDeadPolice();

// The city (CityMap.cpp): 2400 x 1000 px, drawn at 3.5x.
Canvas paintCityMap();

// The desktop icon (Icon.cpp): 128 x 128 px.
Canvas paintIcon();

// Props nothing shows (Props.cpp), 64 - 192 px.
Canvas paintBuildingRoof();
Canvas paintBusShelter();
Canvas paintFence();
Canvas paintPathTile();
Canvas paintShopFront();
Canvas paintTree();

// City pieces (CityBlocks.cpp). Each fills a box of the map seen from above.
enum class RoofStyle
{
    Flat,  // parapet, vents and air-conditioning boxes
    Gable, // two slopes meeting at a ridge along the long side
    Hip,   // four slopes
    Solar  // flat with rows of panels
};
void paintRoof(Canvas& c, const Box& b, RoofStyle style, sf::Color colour, std::uint32_t seed);
void paintTreeCrown(Canvas& c, Pt centre, float radius, std::uint32_t seed);
// A car seen from above, lying along x when `alongX`, 2 x 4.3 m at map scale.
void paintCar(Canvas& c, Pt centre, bool alongX, sf::Color body);
void paintPark(Canvas& c, const Box& b, std::uint32_t seed);
void paintPlaza(Canvas& c, const Box& b);
void paintCarPark(Canvas& c, const Box& b, std::uint32_t seed);
void paintBusTerminal(Canvas& c, const Box& b);
} // namespace tamrow
