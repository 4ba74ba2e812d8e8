#include "play/ReplayWriter.hpp"

#include "play/ReplayBytes.hpp"
#include "play/ReplayFormat.hpp"
#include "files/SystemFile.hpp"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace tamrow
{
ReplayWriter::ReplayWriter(const std::string& path)
    : fd_(::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666))
    , checksum_(FnvOffsetBasis)
{
    if (fd_ < 0)
    {
        failure_ = systemErrorWords(errno);
        return;
    }
    std::vector<unsigned char> header(ReplayMagic.begin(), ReplayMagic.end());
    ReplayBytes::appendU32(header, ReplayVersion);
    checksum_ = fnv1a(checksum_, header.data(), header.size());
    put(header);
}

ReplayWriter::~ReplayWriter()
{
    if (fd_ >= 0)
        ::close(fd_);
}

void ReplayWriter::write(const FrameInput& input, const City& city)
{
    if (!ok())
        return;
    hash_.record(city);
    if (piece_.empty())
        pieceBegun_ = std::chrono::steady_clock::now();
    piece_.push_back(FrameTag);
    piece_.push_back(input.keys);
    ReplayBytes::appendU32(piece_, static_cast<std::uint32_t>(input.events.size()));
    for (const InputEvent& event : input.events)
    {
        piece_.push_back(eventCode(event));
        if (event.kind == InputEvent::Kind::Resize)
        {
            ReplayBytes::appendU32(piece_, event.width);
            ReplayBytes::appendU32(piece_, event.height);
        }
        else if (event.kind == InputEvent::Kind::Zoom)
        {
            ReplayBytes::appendU32(piece_, static_cast<std::uint32_t>(event.zoomSteps));
        }
    }
    ReplayBytes::appendU64(piece_, hash_.value());
    ++frames_;
    if (frames_ - framesKept_ >= FramesPerPiece || std::chrono::steady_clock::now() - pieceBegun_ >= MaxPieceWait)
        closePiece({CheckTag});
}

bool ReplayWriter::finish()
{
    if (!ok())
        return false;
    std::vector<unsigned char> end{EndTag};
    ReplayBytes::appendU64(end, frames_);
    closePiece(end);
    if (::close(fd_) != 0 && ok())
        failure_ = systemErrorWords(errno);
    fd_ = -1;
    return ok();
}

void ReplayWriter::closePiece(std::vector<unsigned char> tail)
{
    piece_.insert(piece_.end(), tail.begin(), tail.end());
    checksum_ = fnv1a(checksum_, piece_.data(), piece_.size());
    std::vector<unsigned char> sum;
    ReplayBytes::appendU64(sum, checksum_);
    checksum_ = fnv1a(checksum_, sum.data(), sum.size());
    piece_.insert(piece_.end(), sum.begin(), sum.end());
    put(piece_);
    piece_.clear();
    if (ok())
        framesKept_ = frames_;
}

void ReplayWriter::put(const std::vector<unsigned char>& bytes)
{
    const int code = writeWhole(fd_, bytes.data(), bytes.size());
    if (code != 0)
        failure_ = systemErrorWords(code);
    if (ok() && ::fdatasync(fd_) != 0)
        failure_ = systemErrorWords(errno);
    if (ok())
        bytesKept_ += static_cast<off_t>(bytes.size());
    else if (::ftruncate(fd_, bytesKept_) != 0)
        failure_ += " (and the piece cut short could not be taken back)";
}
} // namespace tamrow
