#include "files/AtomicFile.hpp"

#include "files/SystemFile.hpp"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace tamrow
{
namespace
{
/// Read and write for all, less the umask, as any program's new file.
constexpr mode_t NewFileMode = 0666;

/// The folder part of `path` ("." for a bare name), where the temporary file goes.
std::string folderOf(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

/// Syncs the folder `folder`, so that a rename in it survives a power cut; 0 or the errno.
int syncFolder(const std::string& folder)
{
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return errno;
    const int code = ::fsync(fd) == 0 ? 0 : errno;
    ::close(fd);
    return code;
}
} // namespace

std::string writeFileAtomically(const std::string& path, const std::string& bytes)
{
    // Named for this process: two games saving at once never share one; the
    // permissions are those of any new file (0666 less the umask).
    const std::string temporary = path + ".part-" + std::to_string(::getpid());
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, NewFileMode);
    if (fd < 0)
        return systemErrorWords(errno);
    int code = writeWhole(fd, bytes.data(), bytes.size());
    if (code == 0 && ::fsync(fd) != 0)
        code = errno;
    // A close that fails may have lost what was written: it fails the save too.
    if (::close(fd) != 0 && code == 0)
        code = errno;
    if (code == 0 && std::rename(temporary.c_str(), path.c_str()) != 0)
        code = errno;
    if (code != 0)
    {
        ::unlink(temporary.c_str());
        return systemErrorWords(code);
    }
    // The file is whole under its name; a folder that cannot be synced does not undo that.
    static_cast<void>(syncFolder(folderOf(path)));
    return std::string();
}
} // namespace tamrow
