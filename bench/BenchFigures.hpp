#pragma once

#include "city/City.hpp"
#include "life/StateHash.hpp"

#include <SFML/Graphics/Image.hpp>

#include <cstddef>
#include <cstdint>
#include <vector>

namespace tamrow
{
/// What one city of K dead showed over its timed frames.
struct CaseFigures
{
    std::vector<double> frame;  ///< ms per frame, in frame order
    std::vector<double> ownPart; ///< ms per frame outside the world step, in frame order
    double input = 0.0;         ///< mean ms taking the events and the keys, and playing them
    double step = 0.0;          ///< mean ms in the world step
    double update = 0.0;        ///< mean ms in the city update and prop sync
    double draw = 0.0;          ///< mean ms drawing, the rasteriser's work included
    double bytesPerDeath = 0.0; ///< heap the dead added, per death
    int cameraMoves = 0;        ///< frames whose camera stood elsewhere than the frame before
    std::uint64_t pixels = FnvOffsetBasis; ///< checksum of the checked frames' pixels
    std::uint64_t state = 0;    ///< hash of every actor's place, health and state
    /// ms drawing and presenting the frames that showed the city map and the
    /// pointer, and those that hid them; empty unless they were shown by turns
    std::vector<double> drawShown;
    std::vector<double> drawHidden;
    int pointedFrames = 0;      ///< of the frames in `drawShown`, those with a pointer drawn
};

/// Time to load the images and build the city, and the memory it took.
struct StartUp
{
    double seconds = 0.0;
    std::size_t residentBytes = 0;
};

/// The process's resident memory (bytes), read from /proc/self/statm. Freed
/// memory stays resident for reuse, so this only ever grows within a run.
std::size_t residentBytes();
/// Bytes in use on the heap right now, small blocks and mapped ones alike: what
/// the city's records, bodies and fixtures take, whether new or reused memory.
std::size_t heapBytes();
/// Builds one city from the images in ./resources/image/ and times it.
StartUp measureStartUp();

double median(std::vector<double> values);
double percentile90(std::vector<double> values);

/// Folds the pixels of `image` into `sum` (FNV-1a).
std::uint64_t mixPixels(std::uint64_t sum, const sf::Image& image);
/// The game's state hash (life/StateHash.hpp) of the city as it stands.
std::uint64_t gameStateHash(const City& city);

/// Median ms of one step of a world holding nothing but `corpses` static
/// corpse boxes on the streets: what keeping that many bodies costs a step at least.
double timeBareStep(std::size_t corpses);

void printStartUp(const StartUp& startUp);
void printFloorHead();
void printFloor(std::size_t deaths, double stepMs);
void printTableHead();
/// One line of the table; ratios are to `fresh`, the first city of the run.
void printRow(std::size_t deaths, const char* path, const CaseFigures& figures, const CaseFigures& fresh);
void printFindersHead();
/// The map and the pointer by turns: the medians of `figures.drawShown` and
/// `figures.drawHidden`, the median of the differences within each pair of
/// frames (what the two cost) and the frames pointed.
void printFinders(std::size_t deaths, const char* walk, const CaseFigures& figures);
/// Whether both paths drew the same pixels and left the same game.
void printSameness(const CaseFigures& game, const CaseFigures& plain);
} // namespace tamrow
