#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <vector>

namespace tamrow
{
/// What the game remembers between runs, each a whole number. None of it
/// touches the game itself (the state hash, replays): only the window round it.
enum class Setting : std::size_t
{
    FullScreen,    ///< 1: full screen, 0: a window
    WindowWidth,   ///< the window's inside size (px) out of full screen
    WindowHeight,
    MarksShown,    ///< H: 1 shows the marks and the status panel, 0 hides them
    MapShown,      ///< M: 1 shows the city map, 0 hides it
    Volume,        ///< minus and equals: the sound's loudness in tenths of full
    Muted,         ///< N: 1 silences the sound, keeping the volume
    HelpSeen,      ///< 1 once the help card of the first start has gone
};

/// One setting: its name in the file, the least and most it may be, and its
/// value where the file does not say (or says something else).
struct SettingRule
{
    Setting setting;
    const char* name;
    int least;
    int most;
    int initial;
};

/// X's largest window side (px).
constexpr int LargestWindowSide = 16384;

/// Every setting, in the order the file lists them; one row each.
inline constexpr SettingRule SettingRules[] = {
    {Setting::FullScreen, "full_screen", 0, 1, 0},
    {Setting::WindowWidth, "window_width", 160, LargestWindowSide, 1600},
    {Setting::WindowHeight, "window_height", 90, LargestWindowSide, 900},
    {Setting::MarksShown, "marks_shown", 0, 1, 1},
    {Setting::MapShown, "map_shown", 0, 1, 1},
    {Setting::Volume, "volume", 0, 10, 8},
    {Setting::Muted, "muted", 0, 1, 0},
    {Setting::HelpSeen, "help_seen", 0, 1, 0},
};
constexpr std::size_t SettingCount = sizeof(SettingRules) / sizeof(SettingRules[0]);

/// The rule of `setting`: its row in SettingRules.
constexpr const SettingRule& ruleOf(Setting setting)
{
    return SettingRules[static_cast<std::size_t>(setting)];
}

/// One line of the settings file's [keys] section, "action = key", as the
/// player wrote it: an action's name and an X key name ("l", "semicolon",
/// "F5"), each of letters, digits and underscores. Whether the game has such an
/// action and such a key is for the keyboard to say.
struct KeyLine
{
    std::string action;
    std::string key;
    int line = 0;  ///< in the file, from 1

    bool operator==(const KeyLine& other) const { return action == other.action && key == other.key; }
};

/// The section of the settings file that binds keys to actions.
constexpr const char* KeysSection = "keys";

/// A value for every setting, each within its rule's range, and the player's own keys.
class Settings
{
public:
    /// Every setting at its initial value.
    Settings();

    int get(Setting setting) const { return values_[static_cast<std::size_t>(setting)]; }
    /// Sets `setting` to `value` brought into its range (a window squeezed to a
    /// pixel is remembered at the least size).
    void set(Setting setting, int value);

    /// The [keys] section's lines, in the file's order.
    const std::vector<KeyLine>& keys() const { return keys_; }

    /// The settings file's text: "name = value", one line each, in the rules' order,
    /// then the [keys] section's lines, if any, as they were read.
    std::string text() const;
    /// Reads a settings file's text with inih: the lines understood set their
    /// setting, the others leave it at its initial value. Returns the number of
    /// the first line that is not "name = value" with a known name and a whole
    /// number in range, nor a [keys] line of two words (of at most 64 letters,
    /// digits and underscores each), or 0 if none. Another
    /// [section] is not understood either.
    int read(const std::string& text);

    bool operator==(const Settings& other) const { return values_ == other.values_ && keys_ == other.keys_; }
    bool operator!=(const Settings& other) const { return !(*this == other); }

private:
    std::array<int, SettingCount> values_;
    std::vector<KeyLine> keys_;
};
} // namespace tamrow
