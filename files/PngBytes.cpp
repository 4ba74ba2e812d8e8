#include "files/PngBytes.hpp"

#include <zlib.h>

#include <array>
#include <cstdint>
#include <vector>

namespace tamrow
{
namespace
{
constexpr std::array<unsigned char, 8> PngSignature = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
constexpr unsigned char BitsPerChannel = 8;
constexpr unsigned char ColourTypeRgba = 6;
constexpr std::size_t BytesPerPixel = 4;
/// The filter byte that starts every row: the row as it is.
constexpr unsigned char FilterNone = 0;
constexpr unsigned BitsPerByte = 8;

void appendBigEndian(std::string& out, std::uint32_t value)
{
    for (int shift = 24; shift >= 0; shift -= static_cast<int>(BitsPerByte))
        out.push_back(static_cast<char>((value >> shift) & 0xffu));
}

/// One chunk: its length, its type, `data` and the CRC-32 of type and data.
void appendChunk(std::string& out, const char (&type)[5], const std::string& data)
{
    appendBigEndian(out, static_cast<std::uint32_t>(data.size()));
    const std::string body = std::string(type, 4) + data;
    out += body;
    appendBigEndian(out, static_cast<std::uint32_t>(
                             crc32(0, reinterpret_cast<const Bytef*>(body.data()), static_cast<uInt>(body.size()))));
}
} // namespace

std::string pngBytes(const sf::Image& image)
{
    const sf::Vector2u size = image.getSize();
    const std::size_t rowBytes = size.x * BytesPerPixel;
    std::vector<unsigned char> rows;
    rows.reserve((rowBytes + 1) * size.y);
    const sf::Uint8* pixels = image.getPixelsPtr();
    for (std::size_t y = 0; y < size.y; ++y)
    {
        rows.push_back(FilterNone);
        rows.insert(rows.end(), pixels + y * rowBytes, pixels + (y + 1) * rowBytes);
    }
    uLongf packedSize = compressBound(static_cast<uLong>(rows.size()));
    std::string packed(packedSize, '\0');
    if (compress2(reinterpret_cast<Bytef*>(packed.data()), &packedSize, rows.data(), static_cast<uLong>(rows.size()),
                  Z_DEFAULT_COMPRESSION) != Z_OK)
        return std::string();
    packed.resize(packedSize);

    std::string header;
    appendBigEndian(header, size.x);
    appendBigEndian(header, size.y);
    header += {static_cast<char>(BitsPerChannel), static_cast<char>(ColourTypeRgba), 0, 0, 0};
    std::string png(PngSignature.begin(), PngSignature.end());
    appendChunk(png, "IHDR", header);
    appendChunk(png, "IDAT", packed);
    appendChunk(png, "IEND", std::string());
    return png;
}
} // namespace tamrow
