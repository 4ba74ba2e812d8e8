#pragma once

// Image folders gone wrong, laid out for real in a temporary folder: the
// repository's own images in every slot but the spoiled one.

#include "city/TextureBank.hpp"

#include <SFML/System/Vector2.hpp>

#include <cstddef>
#include <ostream>
#include <string>
#include <vector>

/// What is wrong with the image of a slot.
enum class Defect
{
    Intact,       ///< nothing: every image is the repository's
    NoFolder,     ///< resources/image/ itself is missing: every slot
    Missing,      ///< the file is not there
    Empty,        ///< zero bytes
    Truncated,    ///< the first half of the real file
    Text,         ///< a few words of text
    OtherFormat,  ///< a well-formed BMP picture under the .png name
    Directory,    ///< a directory stands where the file should be
    TooLarge,     ///< a good PNG one pixel wider than the graphics card takes
};

struct BadImage
{
    Defect defect = Defect::Intact;
    std::size_t slot = 0;  ///< the spoiled slot; unused for Intact and NoFolder

    /// Whether this leaves `slot` without its image.
    bool spoils(std::size_t slotOfImage) const;
    bool spoils(TextureId id) const { return spoils(static_cast<std::size_t>(id)); }
};

/// Every defect in every slot, then a whole folder missing and an intact one.
std::vector<BadImage> everyBadImage();

/// A name for test listings, e.g. "Truncated_08_map".
std::string caseName(const BadImage& bad);

/// Prints a case by its name, for GoogleTest's messages.
std::ostream& operator<<(std::ostream& out, const BadImage& bad);

/// Makes resources/image/ under `root` with the repository's images in it,
/// spoiled as `bad` says. Returns `root`.
std::string layOutImages(const std::string& root, const BadImage& bad);

/// The repository's own image of `slot`.
std::string repositoryImage(std::size_t slot);

/// Width and height a PNG file's header declares (px); (0, 0) if it has none.
sf::Vector2u pngSize(const std::string& path);
