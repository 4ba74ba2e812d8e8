// libFuzzer: any bytes as a settings file's text. Whatever it holds, every
// setting comes out within its range, and what the game would write back reads
// again as the very same settings, with no line refused.
#include "settings/Settings.hpp"

#include <cstdint>
#include <cstdlib>
#include <string>

namespace tamrow
{
} // namespace tamrow

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace tamrow;
    Settings read;
    read.read(std::string(reinterpret_cast<const char*>(data), size));
    for (const SettingRule& rule : SettingRules)
    {
        if (read.get(rule.setting) < rule.least || read.get(rule.setting) > rule.most)
            std::abort();
    }
    Settings again;
    if (again.read(read.text()) != 0 || again != read)
        std::abort();
    return 0;
}
