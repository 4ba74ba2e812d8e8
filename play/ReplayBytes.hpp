#pragma once

// The little-endian integers of a replay file.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace tamrow
{
namespace ReplayBytes
{
void appendU32(std::vector<unsigned char>& bytes, std::uint32_t value);
void appendU64(std::vector<unsigned char>& bytes, std::uint64_t value);
/// The `width` (4 or 8) bytes at `data` as a little-endian integer.
std::uint64_t readLittleEndian(const unsigned char* data, std::size_t width);
} // namespace ReplayBytes
} // namespace tamrow
