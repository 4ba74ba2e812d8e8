#include "hud/SystemFont.hpp"

#include <fontconfig/fontconfig.h>

#include <cstdio>

namespace tamrow
{
namespace
{
/// The family asked for: whatever the system reads best as plain text.
const char* const FontFamily = "sans-serif";
} // namespace

std::optional<std::string> findSystemFont()
{
    FcConfig* config = FcInitLoadConfigAndFonts();
    if (config == nullptr)
        return std::nullopt;
    std::optional<std::string> file;
    FcPattern* wanted = FcNameParse(reinterpret_cast<const FcChar8*>(FontFamily));
    FcConfigSubstitute(config, wanted, FcMatchPattern);
    FcDefaultSubstitute(wanted);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(config, wanted, &result);
    FcChar8* path = nullptr;
    if (match != nullptr && FcPatternGetString(match, FC_FILE, 0, &path) == FcResultMatch)
        file = reinterpret_cast<const char*>(path);
    if (match != nullptr)
        FcPatternDestroy(match);
    FcPatternDestroy(wanted);
    FcConfigDestroy(config);
    return file;
}

bool loadSystemFont(sf::Font& font)
{
    const std::optional<std::string> file = findSystemFont();
    if (file && font.loadFromFile(*file))
        return true;
    std::fprintf(stderr, "tamrow: no font found through fontconfig (install fonts-dejavu-core); "
                         "playing without the status panel\n");
    return false;
}
} // namespace tamrow
