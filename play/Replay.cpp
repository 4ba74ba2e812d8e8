#include "play/Replay.hpp"

#include "life/StateHash.hpp"
#include "play/ReplayBytes.hpp"
#include "play/ReplayFormat.hpp"

#include <algorithm>
#include <cinttypes>
#include <cstdio>
#include <fstream>
#include <iterator>

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

    bool has(std::size_t count) const { return end_ - at_ >= count; }
    bool atEnd() const { return at_ == end_; }
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
};

/// Reads one event's kind and values; an empty string when they are sound.
std::string readEvent(Cursor& in, InputEvent& event)
{
    if (!in.has(1))
        return "an event cut short";
    const unsigned char kind = in.byte();
    if (kind >= InputEvent::KindCount)
        return "an unknown event kind " + std::to_string(kind);
    event.kind = static_cast<InputEvent::Kind>(kind);
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

    if (bytes.size() < ReplayMagic.size() || !std::equal(ReplayMagic.begin(), ReplayMagic.end(), bytes.begin()))
    {
        error = path + ": not a replay (it does not start with TAMROWRP)";
        return std::nullopt;
    }
    if (bytes.size() < ReplayHeaderBytes)
    {
        error = path + ": replay cut short in its header";
        return std::nullopt;
    }
    const auto version = static_cast<std::uint32_t>(ReplayBytes::readLittleEndian(bytes.data() + ReplayMagic.size(), sizeof(std::uint32_t)));
    if (version != ReplayVersion)
    {
        error = path + ": replay of format version " + std::to_string(version) + ", this game plays version " +
                std::to_string(ReplayVersion);
        return std::nullopt;
    }
    const std::size_t end = bytes.size() - ReplayEndBytes;
    if (bytes.size() < ReplayHeaderBytes + ReplayEndBytes || bytes[end] != EndTag)
    {
        error = path + ": replay cut short (no end record: the game that wrote it did not finish it)";
        return std::nullopt;
    }
    const std::size_t summed = bytes.size() - sizeof(std::uint64_t);
    if (fnv1a(FnvOffsetBasis, bytes.data(), summed) !=
        ReplayBytes::readLittleEndian(bytes.data() + summed, sizeof(std::uint64_t)))
    {
        error = path + ": replay damaged (its checksum differs)";
        return std::nullopt;
    }

    Replay replay;
    Cursor in(bytes, end);
    in.skip(ReplayHeaderBytes);
    // The checksum held, so what fails below was written wrong, not damaged since.
    const auto fault = [&](const std::string& what) {
        error = path + ": replay damaged: frame " + std::to_string(replay.frames_.size() + 1) + " has " + what;
        return std::nullopt;
    };
    constexpr std::size_t FrameHeadBytes = 2 + sizeof(std::uint32_t);
    while (!in.atEnd())
    {
        if (!in.has(FrameHeadBytes) || in.byte() != FrameTag)
            return fault("no frame mark");
        FrameInput input;
        input.keys = in.byte();
        const std::uint32_t count = in.u32();
        // Every event takes at least its kind byte: no count larger than what is left.
        if (count > MaxEventsPerFrame || !in.has(count))
            return fault(std::to_string(count) + " events");
        input.events.resize(count);
        for (InputEvent& event : input.events)
        {
            const std::string wrong = readEvent(in, event);
            if (!wrong.empty())
                return fault(wrong);
        }
        if (!in.has(sizeof(std::uint64_t)))
            return fault("its state hash cut short");
        replay.hashes_.push_back(in.u64());
        replay.frames_.push_back(std::move(input));
    }
    const std::uint64_t told = ReplayBytes::readLittleEndian(bytes.data() + end + 1, sizeof(std::uint64_t));
    if (told != replay.frames_.size())
    {
        error = path + ": replay damaged: " + std::to_string(replay.frames_.size()) + " frames where its end says " +
                std::to_string(told);
        return std::nullopt;
    }
    return replay;
}

bool Replay::check(const City& city)
{
    hash_.record(city);
    const std::uint64_t recorded = hashes_[played_];
    ++played_;
    if (hash_.value() == recorded)
        return true;
    mismatch_ = "frame " + std::to_string(played_) + " plays to state hash " + hashText(hash_.value()) +
                " where the recording has " + hashText(recorded);
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

std::string hashText(std::uint64_t hash)
{
    char text[sizeof "0x" + 2 * sizeof hash];
    std::snprintf(text, sizeof text, "0x%016" PRIx64, hash);
    return text;
}
