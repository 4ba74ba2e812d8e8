// libFuzzer: any bytes as a command line, the arguments split at zero bytes as
// the system hands them over. Every command line is either played, asked about
// or refused with one line, and no file name it keeps breaks a line.
#include "commandline/CommandLine.hpp"

#include <cstdint>
#include <cstdlib>

namespace tamrow
{
} // namespace tamrow

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace tamrow;
    std::vector<std::string> arguments(1);
    for (std::size_t k = 0; k < size; ++k)
    {
        if (data[k] == 0)
            arguments.emplace_back();
        else
            arguments.back().push_back(static_cast<char>(data[k]));
    }
    const CommandLine line = parseCommandLine(arguments);
    const bool refused = line.action == CommandLine::Action::Refuse;
    const std::string said = line.refusal + line.recordTo + line.replayFrom;
    if (refused != !line.refusal.empty() || said.find('\n') != std::string::npos)
        std::abort();
    return 0;
}
