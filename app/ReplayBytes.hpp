#pragma once

// The little-endian integers and the checksum of a replay file.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace ReplayBytes
{
/// FNV-1a (64-bit) before any byte.
constexpr std::uint64_t ChecksumStart = 14695981039346656037ull;

void appendU32(std::vector<unsigned char>& bytes, std::uint32_t value);
void appendU64(std::vector<unsigned char>& bytes, std::uint64_t value);
/// `sum` carried on over the `size` bytes at `data`.
std::uint64_t checksum(std::uint64_t sum, const unsigned char* data, std::size_t size);
/// The `width` (4 or 8) bytes at `data` as a little-endian integer.
std::uint64_t readLittleEndian(const unsigned char* data, std::size_t width);
} // namespace ReplayBytes
