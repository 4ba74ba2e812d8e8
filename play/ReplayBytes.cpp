#include "play/ReplayBytes.hpp"

namespace tamrow
{
namespace
{
constexpr unsigned BitsPerByte = 8;
constexpr std::uint64_t ByteMask = 0xff;

void appendLittleEndian(std::vector<unsigned char>& bytes, std::uint64_t value, std::size_t width)
{
    for (std::size_t k = 0; k < width; ++k)
        bytes.push_back(static_cast<unsigned char>((value >> (BitsPerByte * k)) & ByteMask));
}
} // namespace

namespace ReplayBytes
{
void appendU32(std::vector<unsigned char>& bytes, std::uint32_t value)
{
    appendLittleEndian(bytes, value, sizeof value);
}

void appendU64(std::vector<unsigned char>& bytes, std::uint64_t value)
{
    appendLittleEndian(bytes, value, sizeof value);
}

std::uint64_t readLittleEndian(const unsigned char* data, std::size_t width)
{
    std::uint64_t value = 0;
    for (std::size_t k = 0; k < width; ++k)
        value |= static_cast<std::uint64_t>(data[k]) << (BitsPerByte * k);
    return value;
}
} // namespace ReplayBytes
} // namespace tamrow
