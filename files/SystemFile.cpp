#include "files/SystemFile.hpp"

#include <cctype>
#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace tamrow
{
std::string systemErrorWords(int code)
{
    std::string words = std::strerror(code);
    if (!words.empty())
        words[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(words[0])));
    return words;
}

int writeWhole(int fd, const void* data, std::size_t size)
{
    const char* from = static_cast<const char*>(data);
    std::size_t done = 0;
    while (done < size)
    {
        const ssize_t wrote = ::write(fd, from + done, size - done);
        if (wrote < 0 && errno == EINTR)
            continue;
        if (wrote < 0)
            return errno;
        if (wrote == 0)
            return ENOSPC;
        done += static_cast<std::size_t>(wrote);
    }
    return 0;
}
} // namespace tamrow
