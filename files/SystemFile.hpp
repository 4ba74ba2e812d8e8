#pragma once

// The system's file calls as the game's savers use them (the replay being
// recorded, screenshots, settings): every byte written or the reason why not.

#include <cstddef>
#include <string>

namespace tamrow
{
/// What the system's error number `code` (an errno value) means, in words
/// starting in lower case, as a line of the game puts it: "no space left on device".
std::string systemErrorWords(int code);

/// Writes all `size` bytes at `data` to the file `fd`, again after an
/// interruption or a short write. 0 on success, else the errno (ENOSPC for a
/// write that took nothing).
int writeWhole(int fd, const void* data, std::size_t size);
} // namespace tamrow
