#include "settings/Settings.hpp"

#include <ini.h>

#include <algorithm>
#include <charconv>
#include <cstring>

namespace
{
static_assert([] {
    for (std::size_t row = 0; row < SettingCount; ++row)
    {
        if (static_cast<std::size_t>(SettingRules[row].setting) != row)
            return false;
    }
    return true;
}(), "SettingRules holds each setting in its own row");

/// inih's handler: sets the named setting, or returns 0 (not understood).
int readLine(void* user, const char* section, const char* name, const char* value)
{
    const SettingRule* rule = std::find_if(std::begin(SettingRules), std::end(SettingRules),
                                           [name](const SettingRule& row) { return std::strcmp(row.name, name) == 0; });
    const char* end = value + std::strlen(value);
    int number = 0;
    const std::from_chars_result read = std::from_chars(value, end, number);
    if (*section != '\0' || rule == std::end(SettingRules) || read.ec != std::errc() || read.ptr != end ||
        number < rule->least || number > rule->most)
        return 0;
    static_cast<Settings*>(user)->set(rule->setting, number);
    return 1;
}
} // namespace

Settings::Settings()
{
    for (const SettingRule& rule : SettingRules)
        set(rule.setting, rule.initial);
}

void Settings::set(Setting setting, int value)
{
    const SettingRule& rule = ruleOf(setting);
    values_[static_cast<std::size_t>(setting)] = std::clamp(value, rule.least, rule.most);
}

std::string Settings::text() const
{
    std::string text;
    for (const SettingRule& rule : SettingRules)
        text += std::string(rule.name) + " = " + std::to_string(get(rule.setting)) + "\n";
    return text;
}

int Settings::read(const std::string& text)
{
    *this = Settings();
    // inih reads every line, the bad ones too, and tells the first bad one.
    const int firstBadLine = ini_parse_string(text.c_str(), readLine, this);
    return std::max(firstBadLine, 0);
}
