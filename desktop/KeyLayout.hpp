#pragma once

#include "settings/Settings.hpp"
#include "play/Actions.hpp"

#include <array>
#include <optional>
#include <string>
#include <vector>

struct _XDisplay;

namespace tamrow
{
/// Which key codes of the X server's keyboard play which action, and what the
/// keyboard's layout prints on them. An action's default keys are found by
/// their place (Actions' KeyPlace, an XKB key name, the same on every layout);
/// a key the player chose in the settings' [keys] section by its name in the
/// layout in force. Xlib stays inside KeyLayout.cpp: its macros clash with SFML.
class KeyLayout
{
public:
    /// The most keys an action has.
    static constexpr std::size_t KeysPerAction = 2;
    /// Key codes 0 to 255, as X has them; 0 is no key.
    using Codes = std::array<unsigned char, KeysPerAction>;

    /// Binds every action on `display` (null: no key at all) with `choices`,
    /// the [keys] lines, where they can be followed.
    KeyLayout(struct _XDisplay* display, std::vector<KeyLine> choices);

    /// Looks every key up again: the keyboard, its layout or its group changed.
    void lookUp();

    /// The codes of `action`'s keys, 0 for none.
    const Codes& codesOf(Action action) const { return codes_[static_cast<std::size_t>(action)]; }
    /// The action played by key code `code`, if any.
    std::optional<Action> actionOf(unsigned code) const;
    /// What the keyboard prints on `action`'s keys now: "Z" on a French
    /// keyboard where a US one prints W, "P, Escape"; "?" for a key it lacks.
    std::string keysOf(Action action) const;
    /// One line for each [keys] line the last look-up could not follow:
    /// "LINE: what is wrong; ACTION keeps KEYS".
    const std::vector<std::string>& problems() const { return problems_; }

private:
    /// Binds the [keys] lines over the defaults now in codes_, as far as they go.
    void bindChoices();
    /// What the keyboard prints on the key of `code`, "?" for none.
    std::string labelOf(unsigned code) const;

    struct _XDisplay* display_;
    std::vector<KeyLine> choices_;
    std::array<Codes, ActionCount> codes_{};
    std::array<std::string, 256> labels_;  ///< by key code
    std::vector<std::string> problems_;
};
} // namespace tamrow
