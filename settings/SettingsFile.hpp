#pragma once

#include "settings/Settings.hpp"

#include <optional>
#include <string>

namespace tamrow
{
/// The settings file: read once at start, written whenever what it holds
/// changes and when the game ends. Whatever goes wrong with it is one line on
/// standard error and the game plays on, with the initial values for what the
/// file could not give.
class SettingsFile
{
public:
    /// Files larger than this (bytes) are not read: no settings file is that big.
    static constexpr long LargestFile = 64 * 1024;

    /// Reads `path`. A missing file gives the initial values silently; a file
    /// too large, not text, a folder, unreadable, or with lines not understood
    /// gives one line naming the file (and the first such line).
    explicit SettingsFile(std::string path);

    const Settings& loaded() const { return loaded_; }

    /// Writes `now` atomically, its folder made first, unless the file is known
    /// to hold just that already (a missing or damaged file is written at the
    /// first call). A folder that cannot be written is one line, unless the
    /// file has had its line already: the settings file says one line a run at most.
    void keep(const Settings& now);

    /// $XDG_CONFIG_HOME/tamrow/settings.ini, else ~/.config/tamrow/settings.ini
    /// (an XDG_CONFIG_HOME that is not an absolute path is passed by, as the
    /// XDG base directory rules say); empty when neither is known.
    static std::string defaultPath();

private:
    /// `line` on standard error after "tamrow: ", unless one was said already.
    void say(const std::string& line);

    std::string path_;
    Settings loaded_;
    std::optional<Settings> written_;  ///< what the file holds, when the game knows
    bool complained_ = false;
};
} // namespace tamrow
