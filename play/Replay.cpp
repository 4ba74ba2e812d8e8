#include "play/Replay.hpp"

#include "life/Simulation.hpp"
#include "life/StateHash.hpp"
#include "play/ReplayBytes.hpp"
#include "play/ReplayFormat.hpp"

#include <algorithm>
#include <cinttypes>
#include <cstdio>
#include <fstream>
#include <iterator>

namespace tamrow
{
namespace
{
/// Reads a replay's bytes front to back, never past `end`.
class Cursor
{
public:
    Cursor(const std::vector<unsigned char>& bytes, std::size_t end)
        : bytes_(bytes)
        , end_(end)
    {
    }

    /// Whether `count` more bytes are there; once not, ranOut() says so.
    bool has(std::size_t count)
    {
        ranOut_ = ranOut_ || end_ - at_ < count;
        return !ranOut_;
    }
    bool atEnd() const { return at_ == end_; }
    /// A has() found fewer bytes than it asked for: the bytes stop short.
    bool ranOut() const { return ranOut_; }
    std::size_t at() const { return at_; }
    /// Passes by `count` bytes known to be there.
    void skip(std::size_t count) { at_ += count; }
    unsigned char byte() { return bytes_[at_++]; }
    std::uint32_t u32() { return static_cast<std::uint32_t>(take(sizeof(std::uint32_t))); }
    std::uint64_t u64() { return take(sizeof(std::uint64_t)); }

private:
    std::uint64_t take(std::size_t width)
    {
        const std::uint64_t value = ReplayBytes::readLittleEndian(bytes_.data() + at_, width);
        at_ += width;
        return value;
    }

    const std::vector<unsigned char>& bytes_;
    std::size_t end_;
    std::size_t at_ = 0;
    bool ranOut_ = false;
};

/// Reads one event's kind and values; an empty string when they are sound.
std::string readEvent(Cursor& in, InputEvent& event)
{
    if (!in.has(1))
        return "an event cut short";
    const unsigned char code = in.byte();
    const std::optional<InputEvent> coded = eventOfCode(code);
    if (!coded)
        return "an unknown event kind " + std::to_string(code);
    event = *coded;
    if (event.kind == InputEvent::Kind::Resize)
    {
        if (!in.has(2 * sizeof(std::uint32_t)))
            return "a resize cut short";
        event.width = in.u32();
        event.height = in.u32();
        if (event.width > MaxWindowSide || event.height > MaxWindowSide)
            return "a window size beyond any screen";
    }
    else if (event.kind == InputEvent::Kind::Zoom)
    {
        if (!in.has(sizeof(std::uint32_t)))
            return "a zoom cut short";
        event.zoomSteps = static_cast<std::int32_t>(in.u32());
        if (event.zoomSteps > MaxZoomSteps || event.zoomSteps < -MaxZoomSteps)
            return "a zoom of " + std::to_string(event.zoomSteps) + " wheel steps";
    }
    return std::string();
}

/// Reads a frame record after its tag; an empty string when it is sound.
std::string readFrame(Cursor& in, FrameInput& input, std::uint64_t& hash)
{
    if (!in.has(1 + sizeof(std::uint32_t)))
        return "its keys cut short";
    input.keys = in.byte();
    const std::uint32_t count = in.u32();
    // Every event takes at least its kind byte: no count larger than what is left.
    if (count > MaxEventsPerFrame || !in.has(count))
        return std::to_string(count) + " events";
    input.events.resize(count);
    for (InputEvent& event : input.events)
    {
        const std::string wrong = readEvent(in, event);
        if (!wrong.empty())
            return wrong;
    }
    if (!in.has(sizeof(std::uint64_t)))
        return "its state hash cut short";
    hash = in.u64();
    return std::string();
}
} // namespace

std::optional<Replay> Replay::read(const std::string& path, std::string& error)
{
    std::ifstream file(path, std::ios::binary | std::ios::ate);
    if (!file)
    {
        error = path + ": cannot be opened";
        return std::nullopt;
    }
    const std::streamoff size = file.tellg();
    if (size < 0 || static_cast<std::uint64_t>(size) > MaxReplayBytes)
    {
        error = path + ": not a replay (unreadable or larger than any recorded game)";
        return std::nullopt;
    }
    file.seekg(0);
    std::vector<unsigned char> bytes(static_cast<std::size_t>(size));
    if (!file.read(reinterpret_cast<char*>(bytes.data()), size))
    {
        error = path + ": cannot be read";
        return std::nullopt;
    }
    return fromBytes(bytes, path, error);
}

std::optional<Replay> Replay::fromBytes(const std::vector<unsigned char>& bytes, const std::string& name,
                                        std::string& error)
{
    if (bytes.size() < ReplayMagic.size() || !std::equal(ReplayMagic.begin(), ReplayMagic.end(), bytes.begin()))
    {
        error = name + ": not a replay (it does not start with TAMROWRP)";
        return std::nullopt;
    }
    if (bytes.size() < ReplayHeaderBytes)
    {
        error = name + ": replay cut short in its header";
        return std::nullopt;
    }
    const auto version = static_cast<std::uint32_t>(ReplayBytes::readLittleEndian(bytes.data() + ReplayMagic.size(), sizeof(std::uint32_t)));
    if (version < OldestReplayVersion || version > ReplayVersion)
    {
        error = name + ": replay of format version " + std::to_string(version) + ", this game plays versions " +
                std::to_string(OldestReplayVersion) + " to " + std::to_string(ReplayVersion);
        return std::nullopt;
    }
    Replay replay;
    const std::string wrong = version == OldestReplayVersion ? replay.readWhole(bytes) : replay.readPieces(bytes);
    if (!wrong.empty())
    {
        error = name + ": " + wrong;
        return std::nullopt;
    }
    return replay;
}

std::string Replay::readWhole(const std::vector<unsigned char>& bytes)
{
    const std::size_t end = bytes.size() - ReplayEndBytes;
    if (bytes.size() < ReplayHeaderBytes + ReplayEndBytes || bytes[end] != EndTag)
        return "replay cut short (no end record: the game that wrote it did not finish it)";
    const std::size_t summed = bytes.size() - sizeof(std::uint64_t);
    if (fnv1a(FnvOffsetBasis, bytes.data(), summed) !=
        ReplayBytes::readLittleEndian(bytes.data() + summed, sizeof(std::uint64_t)))
        return "replay damaged (its checksum differs)";

    Cursor in(bytes, end);
    in.skip(ReplayHeaderBytes);
    // The checksum held, so what fails below was written wrong, not damaged since.
    while (!in.atEnd())
    {
        FrameInput input;
        std::uint64_t hash = 0;
        const std::string wrong = in.byte() != FrameTag ? "no frame mark" : readFrame(in, input, hash);
        if (!wrong.empty())
            return "replay damaged: frame " + std::to_string(frames_.size() + 1) + " has " + wrong;
        hashes_.push_back(hash);
        frames_.push_back(std::move(input));
    }
    const std::uint64_t told = ReplayBytes::readLittleEndian(bytes.data() + end + 1, sizeof(std::uint64_t));
    if (told != frames_.size())
        return "replay damaged: " + std::to_string(frames_.size()) + " frames where its end says " +
               std::to_string(told);
    return std::string();
}

std::string Replay::readPieces(const std::vector<unsigned char>& bytes)
{
    Cursor in(bytes, bytes.size());
    in.skip(ReplayHeaderBytes);
    std::uint64_t sum = FnvOffsetBasis;
    std::size_t summedTo = 0;
    std::size_t checked = 0;  ///< frames of the pieces whose check held
    // Folds in the bytes before the checksum that follows, reads it and holds
    // the two together; the checksum itself is folded in for the next.
    const auto checkHolds = [&] {
        sum = fnv1a(sum, bytes.data() + summedTo, in.at() - summedTo);
        const std::uint64_t told = in.u64();
        summedTo = in.at();
        const bool holds = told == sum;
        sum = fnv1a(sum, bytes.data() + in.at() - sizeof told, sizeof told);
        return holds;
    };
    while (true)
    {
        if (!in.has(1))
            break;
        const unsigned char tag = in.byte();
        if (tag == FrameTag)
        {
            FrameInput input;
            std::uint64_t hash = 0;
            const std::string wrong = readFrame(in, input, hash);
            if (in.ranOut())
                break;
            if (!wrong.empty())
                return "replay damaged: frame " + std::to_string(frames_.size() + 1) + " has " + wrong;
            hashes_.push_back(hash);
            frames_.push_back(std::move(input));
        }
        else if (tag == CheckTag || tag == EndTag)
        {
            // The end record closes the last piece: its frame count comes before its checksum.
            const bool end = tag == EndTag;
            if (!in.has((end ? 2 : 1) * sizeof(std::uint64_t)))
                break;
            const std::uint64_t told = end ? in.u64() : 0;
            if (!checkHolds())
                return "replay damaged: " +
                       (checked == frames_.size() ? std::string("its end record")
                                                  : "frames " + std::to_string(checked + 1) + " to " +
                                                        std::to_string(frames_.size())) +
                       " fail the check (the checksum differs)";
            checked = frames_.size();
            if (!end)
                continue;
            if (told != frames_.size() || !in.atEnd())
                return "replay damaged: " + std::to_string(frames_.size()) + " frames where its end says " +
                       std::to_string(told) + (in.atEnd() ? "" : ", and bytes after it");
            return std::string();
        }
        else
        {
            return "replay damaged: frame " + std::to_string(frames_.size() + 1) + " has no frame mark";
        }
    }
    // The file stops short: the game that wrote it did not close it. Its whole pieces play.
    frames_.resize(checked);
    hashes_.resize(checked);
    finished_ = false;
    return std::string();
}

std::string Replay::unfinishedNote() const
{
    char seconds[32];
    std::snprintf(seconds, sizeof seconds, "%.1f", static_cast<double>(frames_.size()) * TimeStep);
    return "the recording goes to frame " + std::to_string(frames_.size()) + " (" + seconds +
           " s of play) and was not finished: the game that made it did not close it";
}

bool Replay::check(const City& city)
{
    hash_.record(city);
    const std::uint64_t recorded = hashes_[played_];
    ++played_;
    if (hash_.value() == recorded)
        return true;
    mismatch_ = hashMismatch(played_, hash_.value(), recorded);
    return false;
}

bool Replay::playWithoutWindow(Play& play)
{
    while (!done())
    {
        play.playFrame(next());
        if (!check(*play.city))
            return false;
    }
    return true;
}

std::string hashMismatch(std::size_t frame, std::uint64_t played, std::uint64_t recorded)
{
    return "frame " + std::to_string(frame) + " plays to state hash " + hashText(played) + " where the recording has " +
           hashText(recorded);
}

std::string hashText(std::uint64_t hash)
{
    char text[sizeof "0x" + 2 * sizeof hash];
    std::snprintf(text, sizeof text, "0x%016" PRIx64, hash);
    return text;
}
} // namespace tamrow
