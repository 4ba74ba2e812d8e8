#pragma once

#include "city/City.hpp"
#include "life/StateHash.hpp"
#include "play/FrameInput.hpp"

#include <chrono>
#include <cstdint>
#include <string>
#include <sys/types.h>
#include <vector>

namespace tamrow
{
/// Writes a game's replay file as it is played (format in ReplayFormat.hpp), a
/// piece at a time, each synced to the disk once its check is written. A write
/// that fails takes the file back to its last whole piece and stops the
/// recording: what is in the file still replays. Never copied.
class ReplayWriter
{
public:
    /// Creates or truncates `path` and writes the header; see ok().
    explicit ReplayWriter(const std::string& path);
    ~ReplayWriter();
    ReplayWriter(const ReplayWriter&) = delete;
    ReplayWriter& operator=(const ReplayWriter&) = delete;

    /// Appends one frame: what it took and the state hash once `city` has
    /// played it (the city as the frame left it). Does nothing once !ok().
    void write(const FrameInput& input, const City& city);
    /// Writes the last piece and the end record and closes the file; false if
    /// any write failed, now or before.
    bool finish();

    /// False once a write has failed.
    bool ok() const { return failure_.empty(); }
    /// Why the file could not be written, in words ("no space left on device"); empty while ok().
    const std::string& failure() const { return failure_; }
    /// Frames in the file in whole pieces, which replay.
    std::uint64_t framesKept() const { return framesKept_; }
    /// The state hash of the frames written so far.
    std::uint64_t hash() const { return hash_.value(); }

private:
    /// Closes the piece with `tail` (the check tag, or the end tag and the frame
    /// count), adds the checksum and writes it all.
    void closePiece(std::vector<unsigned char> tail);
    /// Writes `bytes` whole and syncs them, or takes the file back to its last
    /// whole piece and records why.
    void put(const std::vector<unsigned char>& bytes);

    int fd_ = -1;
    StateHash hash_;
    std::uint64_t checksum_;
    std::uint64_t frames_ = 0;
    std::uint64_t framesKept_ = 0;
    off_t bytesKept_ = 0;                     ///< the file's whole pieces and header
    std::vector<unsigned char> piece_;        ///< frame records not yet written
    std::chrono::steady_clock::time_point pieceBegun_;  ///< when piece_'s first frame came
    std::string failure_;
};
} // namespace tamrow
