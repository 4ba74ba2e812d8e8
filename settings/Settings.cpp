#include "settings/Settings.hpp"

#include <ini.h>

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstring>

namespace tamrow
{
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

/// The text being read and the line inih has reached in it.
struct Reading
{
    Settings* settings;
    std::vector<KeyLine>* keys;
    const char* next;  ///< what is left of the text
    int line = 0;
};

/// inih's reader: the next line of the text, like fgets, counted.
char* nextLine(char* into, int room, void* stream)
{
    Reading& reading = *static_cast<Reading*>(stream);
    if (*reading.next == '\0' || room < 2)
        return nullptr;
    const char* end = std::strchr(reading.next, '\n');
    const std::size_t length =
        end == nullptr ? std::strlen(reading.next) : static_cast<std::size_t>(end - reading.next) + 1;
    const std::size_t taken = std::min(length, static_cast<std::size_t>(room - 1));
    std::memcpy(into, reading.next, taken);
    into[taken] = '\0';
    reading.next += taken;
    // A line longer than inih's buffer comes in parts; only the last ends the line.
    reading.line += taken == length;
    return into;
}

/// Whether `text` is one word of letters, digits and underscores.
/// The longest word a [keys] line may hold (characters). No action's or X
/// key's name comes near it, and two such words written back as
/// "action = key" stay well inside the 199 characters of a line inih reads
/// whole: a longer line would be cut in two there, and the file the game
/// writes would not read back.
constexpr std::size_t LongestKeyWord = 64;

bool isWord(const char* text)
{
    const std::size_t length = std::strlen(text);
    return length > 0 && length <= LongestKeyWord && std::all_of(text, text + length, [](char c) {
        return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '_';
    });
}

/// inih's handler: sets the named setting or keeps the [keys] line, or returns 0 (not understood).
int readLine(void* user, const char* section, const char* name, const char* value)
{
    Reading& reading = *static_cast<Reading*>(user);
    if (std::strcmp(section, KeysSection) == 0)
    {
        if (!isWord(name) || !isWord(value))
            return 0;
        // The line inih has just read; a line cut by its buffer counts where it ends.
        reading.keys->push_back({name, value, reading.line});
        return 1;
    }
    const SettingRule* rule = std::find_if(std::begin(SettingRules), std::end(SettingRules),
                                           [name](const SettingRule& row) { return std::strcmp(row.name, name) == 0; });
    const char* end = value + std::strlen(value);
    int number = 0;
    const std::from_chars_result read = std::from_chars(value, end, number);
    if (*section != '\0' || rule == std::end(SettingRules) || read.ec != std::errc() || read.ptr != end ||
        number < rule->least || number > rule->most)
        return 0;
    reading.settings->set(rule->setting, number);
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
    if (!keys_.empty())
        text += std::string("\n[") + KeysSection + "]\n";
    for (const KeyLine& key : keys_)
        text += key.action + " = " + key.key + "\n";
    return text;
}

int Settings::read(const std::string& text)
{
    *this = Settings();
    Reading reading{this, &keys_, text.c_str()};
    // inih reads every line, the bad ones too, and tells the first bad one.
    const int firstBadLine = ini_parse_stream(nextLine, &reading, readLine, &reading);
    return std::max(firstBadLine, 0);
}
} // namespace tamrow
