#pragma once

#include "city/City.hpp"
#include "life/StateHash.hpp"
#include "play/FrameInput.hpp"
#include "play/Play.hpp"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tamrow
{
/// A recorded game read back whole (format in ReplayFormat.hpp), and the check
/// that playing it again gives the recorded state hash at every frame.
class Replay
{
public:
    /// Reads `path` whole and checks every count, length and value before any
    /// is used. On any fault: nothing, and `error` says in one line what is wrong.
    static std::optional<Replay> read(const std::string& path, std::string& error);
    /// The replay in `bytes`, a file's whole content, as read() takes it; `name`
    /// starts the line of `error`.
    static std::optional<Replay> fromBytes(const std::vector<unsigned char>& bytes, const std::string& name,
                                           std::string& error);

    /// Every recorded frame has been played and checked.
    bool done() const { return played_ == frames_.size(); }
    /// The frame to play now; only while not done().
    const FrameInput& next() const { return frames_[played_]; }
    /// Folds in `city` as the frame of next() left it and holds the hash against
    /// the recorded one: false at the first that differs (mismatch() says where).
    bool check(const City& city);
    /// Plays every remaining frame on `play`, without a window; false at the first mismatch.
    bool playWithoutWindow(Play& play);

    std::size_t frames() const { return frames_.size(); }
    /// What every recorded frame took from the player, in order.
    const std::vector<FrameInput>& inputs() const { return frames_; }
    /// The state hash recorded after each frame, in order.
    const std::vector<std::uint64_t>& hashes() const { return hashes_; }
    std::size_t played() const { return played_; }
    /// The state hash of the frames played so far.
    std::uint64_t hash() const { return hash_.value(); }
    /// False for a file that stops short, its end never written (the game that
    /// recorded it was killed): it holds the frames of its whole pieces.
    bool finished() const { return finished_; }
    /// One line: how far an unfinished recording goes, and that it was not finished.
    std::string unfinishedNote() const;
    /// One line: the frame whose hash differed, both hashes.
    const std::string& mismatch() const { return mismatch_; }

private:
    /// Reads a file of version 1, checked whole by its end record, past its
    /// header; an empty string, or what is wrong.
    std::string readWhole(const std::vector<unsigned char>& bytes);
    /// Reads a file of pieces, each checked as it comes, past its header; an
    /// empty string, or what is wrong. Stopping short is not wrong.
    std::string readPieces(const std::vector<unsigned char>& bytes);

    std::vector<FrameInput> frames_;
    std::vector<std::uint64_t> hashes_;  ///< recorded, one per frame
    std::size_t played_ = 0;
    StateHash hash_;
    std::string mismatch_;
    bool finished_ = true;
};

/// "0x" and 16 hex digits.
std::string hashText(std::uint64_t hash);
/// One line: frame `frame` (counted from 1) played to state hash `played`
/// where the recording has `recorded`.
std::string hashMismatch(std::size_t frame, std::uint64_t played, std::uint64_t recorded);
} // namespace tamrow
