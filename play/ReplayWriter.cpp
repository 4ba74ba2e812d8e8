#include "play/ReplayWriter.hpp"

#include "play/ReplayBytes.hpp"
#include "play/ReplayFormat.hpp"

ReplayWriter::ReplayWriter(const std::string& path)
    : file_(path, std::ios::binary | std::ios::trunc)
    , checksum_(FnvOffsetBasis)
{
    std::vector<unsigned char> header(ReplayMagic.begin(), ReplayMagic.end());
    ReplayBytes::appendU32(header, ReplayVersion);
    put(header);
}

void ReplayWriter::write(const FrameInput& input, const City& city)
{
    hash_.record(city);
    std::vector<unsigned char> bytes{FrameTag, input.keys};
    ReplayBytes::appendU32(bytes, static_cast<std::uint32_t>(input.events.size()));
    for (const InputEvent& event : input.events)
    {
        bytes.push_back(static_cast<unsigned char>(event.kind));
        if (event.kind == InputEvent::Kind::Resize)
        {
            ReplayBytes::appendU32(bytes, event.width);
            ReplayBytes::appendU32(bytes, event.height);
        }
        else if (event.kind == InputEvent::Kind::Zoom)
        {
            ReplayBytes::appendU32(bytes, static_cast<std::uint32_t>(event.zoomSteps));
        }
    }
    ReplayBytes::appendU64(bytes, hash_.value());
    put(bytes);
    ++frames_;
}

bool ReplayWriter::finish()
{
    std::vector<unsigned char> end{EndTag};
    ReplayBytes::appendU64(end, frames_);
    put(end);
    std::vector<unsigned char> sum;
    ReplayBytes::appendU64(sum, checksum_);
    file_.write(reinterpret_cast<const char*>(sum.data()), static_cast<std::streamsize>(sum.size()));
    file_.close();
    return !file_.fail();
}

void ReplayWriter::put(const std::vector<unsigned char>& bytes)
{
    checksum_ = fnv1a(checksum_, bytes.data(), bytes.size());
    file_.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}
