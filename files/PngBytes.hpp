#pragma once

#include <SFML/Graphics/Image.hpp>

#include <string>

namespace tamrow
{
/// `image` as the bytes of a PNG file (8-bit RGBA, zlib-compressed), made in
/// memory so that writing it can be checked byte for byte (SFML 2.5 encodes
/// only straight to a file, and does not report a write that fell short).
/// Empty if zlib could not get the memory to compress it.
std::string pngBytes(const sf::Image& image);
} // namespace tamrow
