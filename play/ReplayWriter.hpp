#pragma once

#include "city/City.hpp"
#include "life/StateHash.hpp"
#include "play/FrameInput.hpp"

#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

/// Writes a game's replay file as it is played (format in ReplayFormat.hpp).
/// Never copied.
class ReplayWriter
{
public:
    /// Creates or truncates `path` and writes the header; see ok().
    explicit ReplayWriter(const std::string& path);
    ReplayWriter(const ReplayWriter&) = delete;
    ReplayWriter& operator=(const ReplayWriter&) = delete;

    /// Appends one frame: what it took and the state hash once `city` has
    /// played it (the city as the frame left it).
    void write(const FrameInput& input, const City& city);
    /// Writes the end record and closes the file; false if any write failed.
    bool finish();

    /// False once a write has failed.
    bool ok() const { return file_.good(); }
    /// The state hash of the frames written so far.
    std::uint64_t hash() const { return hash_.value(); }

private:
    void put(const std::vector<unsigned char>& bytes);

    std::ofstream file_;
    StateHash hash_;
    std::uint64_t checksum_;
    std::uint64_t frames_ = 0;
};
