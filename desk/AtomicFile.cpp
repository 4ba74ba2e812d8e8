#include "desk/AtomicFile.hpp"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace
{
/// rw-r--r--: what a file written by the player's programs usually is.
constexpr mode_t OrdinaryFileMode = 0644;

/// strerror's words with a lower-case first letter, to sit inside a sentence.
std::string reason(int error)
{
    std::string words = std::strerror(error);
    if (!words.empty() && words[0] >= 'A' && words[0] <= 'Z')
        words[0] = static_cast<char>(words[0] - 'A' + 'a');
    return words;
}

/// Writes all of `bytes` to `descriptor`, again after a short write or a signal.
bool writeAll(int descriptor, const std::string& bytes)
{
    std::size_t done = 0;
    while (done < bytes.size())
    {
        const ssize_t written = ::write(descriptor, bytes.data() + done, bytes.size() - done);
        if (written < 0 && errno != EINTR)
            return false;
        done += written > 0 ? static_cast<std::size_t>(written) : 0;
    }
    return true;
}
} // namespace

std::string writeFileAtomically(const std::string& path, const std::string& bytes)
{
    // mkstemp fills in the Xs and wants a writable buffer, NUL-terminated.
    const std::string pattern = path + ".XXXXXX";
    std::vector<char> temporary(pattern.begin(), pattern.end());
    temporary.push_back('\0');
    const int descriptor = ::mkstemp(temporary.data());
    if (descriptor < 0)
        return reason(errno);
    // mkstemp makes the file for its owner alone; the file it replaces is an ordinary one.
    const bool whole =
        ::fchmod(descriptor, OrdinaryFileMode) == 0 && writeAll(descriptor, bytes) && ::fsync(descriptor) == 0;
    const int writeError = errno;
    const bool closed = ::close(descriptor) == 0;
    const int closeError = errno;
    if (whole && closed && ::rename(temporary.data(), path.c_str()) == 0)
        return std::string();
    const int error = !whole ? writeError : !closed ? closeError : errno;
    ::unlink(temporary.data());
    return reason(error);
}
