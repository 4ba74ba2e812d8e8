// libFuzzer: any bytes as a replay file. The reader reads nothing outside them
// (AddressSanitizer), does nothing undefined, and either accepts them or
// refuses them with one line, never both nor neither.
#include "play/Replay.hpp"

#include <cstdint>
#include <cstdlib>

namespace tamrow
{
} // namespace tamrow

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace tamrow;
    std::string error;
    const std::optional<Replay> replay = Replay::fromBytes(std::vector<unsigned char>(data, data + size), "fuzz", error);
    const bool oneLine = !error.empty() && error.find('\n') == std::string::npos;
    if (replay ? !error.empty() : !oneLine)
        std::abort();
    return 0;
}
