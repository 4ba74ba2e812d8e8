#include "desktop/KeyLayout.hpp"

#include <algorithm>
#include <cstring>
#include <utility>

#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/keysym.h>

struct _XDisplay;

namespace tamrow
{
namespace
{
/// What stands for a key the keyboard lacks.
const char* const NoKey = "?";
/// Key symbols of one character: Latin-1 as itself, the rest of Unicode above this.
constexpr KeySym UnicodeKeySyms = 0x01000000;
constexpr KeySym LastLatin1 = 0xff;
constexpr KeySym FirstPrinted = 0x20;
constexpr KeySym LastAscii = 0x7e;
constexpr KeySym FirstLatin1Printed = 0xa0;

/// `codePoint` in UTF-8.
std::string utf8(unsigned long codePoint)
{
    std::string out;
    if (codePoint < 0x80)
        out += static_cast<char>(codePoint);
    else if (codePoint < 0x800)
        out += {static_cast<char>(0xc0 | (codePoint >> 6)), static_cast<char>(0x80 | (codePoint & 0x3f))};
    else if (codePoint < 0x10000)
        out += {static_cast<char>(0xe0 | (codePoint >> 12)), static_cast<char>(0x80 | ((codePoint >> 6) & 0x3f)),
                static_cast<char>(0x80 | (codePoint & 0x3f))};
    else
        out += {static_cast<char>(0xf0 | (codePoint >> 18)), static_cast<char>(0x80 | ((codePoint >> 12) & 0x3f)),
                static_cast<char>(0x80 | ((codePoint >> 6) & 0x3f)), static_cast<char>(0x80 | (codePoint & 0x3f))};
    return out;
}

/// What a keyboard prints on a key whose first symbol is `symbol`: a letter in
/// capitals, another character as itself, else X's name of it ("F5", "Escape").
std::string printedOn(KeySym symbol)
{
    if (symbol == NoSymbol)
        return NoKey;
    if (symbol == XK_space)
        return "Space";
    if ((symbol > FirstPrinted && symbol <= LastAscii) || (symbol >= FirstLatin1Printed && symbol <= LastLatin1))
        return utf8(symbol >= XK_a && symbol <= XK_z ? symbol - XK_a + XK_A : symbol);
    if ((symbol & 0xff000000) == UnicodeKeySyms)
        return utf8(symbol & 0x00ffffff);
    const char* name = XKeysymToString(symbol);
    return name == nullptr ? NoKey : name;
}
} // namespace

KeyLayout::KeyLayout(struct _XDisplay* display, std::vector<KeyLine> choices)
    : display_(display)
    , choices_(std::move(choices))
{
    lookUp();
}

void KeyLayout::lookUp()
{
    codes_ = {};
    labels_ = {};
    problems_.clear();
    XkbDescPtr keyboard = display_ == nullptr ? nullptr : XkbGetMap(display_, 0, XkbUseCoreKbd);
    if (keyboard == nullptr || XkbGetNames(display_, XkbKeyNamesMask, keyboard) != Success)
    {
        if (keyboard != nullptr)
            XkbFreeKeyboard(keyboard, 0, True);
        return;
    }
    // Each key is shown as the group the player types in now prints it.
    XkbStateRec state{};
    XkbGetState(display_, XkbUseCoreKbd, &state);
    const auto placeCode = [keyboard](const char* place) -> unsigned char {
        for (unsigned code = keyboard->min_key_code; code <= keyboard->max_key_code && *place != '\0'; ++code)
        {
            if (std::strncmp(keyboard->names->keys[code].name, place, XkbKeyNameLength) == 0)
                return static_cast<unsigned char>(code);
        }
        return 0;
    };
    for (unsigned code = keyboard->min_key_code; code <= keyboard->max_key_code; ++code)
    {
        const auto keyCode = static_cast<KeyCode>(code);
        const KeySym inGroup = XkbKeycodeToKeysym(display_, keyCode, state.group, 0);
        labels_[code] = printedOn(inGroup != NoSymbol ? inGroup : XkbKeycodeToKeysym(display_, keyCode, 0, 0));
    }
    for (const ActionRow& row : Actions)
        codes_[static_cast<std::size_t>(row.action)] = {placeCode(row.key.xkbName), placeCode(row.otherKey.xkbName)};
    XkbFreeKeyboard(keyboard, 0, True);
    bindChoices();
}

void KeyLayout::bindChoices()
{
    const std::array<Codes, ActionCount> defaults = codes_;
    std::vector<std::pair<int, std::string>> wrong;
    const auto refuse = [&](const KeyLine& line, const std::string& why, std::optional<Action> action) {
        std::string keeps;
        if (action)
        {
            const Codes& kept = defaults[static_cast<std::size_t>(*action)];
            keeps = std::string("; ") + rowOf(*action).name + " keeps " + labelOf(kept[0]) +
                    (kept[1] == 0 ? "" : ", " + labelOf(kept[1]));
        }
        wrong.emplace_back(line.line, why + keeps);
    };
    struct Chosen
    {
        Action action;
        unsigned char code;
        const KeyLine* line;
    };
    std::vector<Chosen> chosen;
    for (const KeyLine& line : choices_)
    {
        const std::optional<Action> action = actionNamed(line.action);
        const KeySym symbol = XStringToKeysym(line.key.c_str());
        const KeyCode code = symbol == NoSymbol ? 0 : XKeysymToKeycode(display_, symbol);
        const bool given =
            std::any_of(chosen.begin(), chosen.end(), [&](const Chosen& c) { return c.action == action; });
        if (!action)
            refuse(line, "no action is named '" + line.action + "' (tamrow --help lists them); the line is passed by",
                   std::nullopt);
        else if (symbol == NoSymbol)
            refuse(line, "X names no key '" + line.key + "'", action);
        else if (code == 0)
            refuse(line, "the keyboard's layout has no key '" + line.key + "'", action);
        else if (given)
            refuse(line, line.action + " has its key on an earlier line already", action);
        else
            chosen.push_back({*action, static_cast<unsigned char>(code), &line});
    }
    for (const Chosen& c : chosen)
        codes_[static_cast<std::size_t>(c.action)] = {c.code, 0};
    // A key chosen for one action that another action plays (chosen, or by
    // default) is refused, the later line first; a refusal brings that action's
    // defaults back, which may clash in turn.
    for (bool clashed = true; clashed;)
    {
        clashed = false;
        for (std::size_t k = chosen.size(); k-- > 0 && !clashed;)
        {
            const Chosen c = chosen[k];
            for (const ActionRow& row : Actions)
            {
                const Codes& other = codes_[static_cast<std::size_t>(row.action)];
                if (row.action == c.action || std::find(other.begin(), other.end(), c.code) == other.end())
                    continue;
                refuse(*c.line, "'" + c.line->key + "' is the key of " + row.name + " already", c.action);
                codes_[static_cast<std::size_t>(c.action)] = defaults[static_cast<std::size_t>(c.action)];
                chosen.erase(chosen.begin() + static_cast<std::ptrdiff_t>(k));
                clashed = true;
                break;
            }
        }
    }
    std::stable_sort(wrong.begin(), wrong.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    for (const auto& [line, why] : wrong)
        problems_.push_back(std::to_string(line) + ": " + why);
}

std::optional<Action> KeyLayout::actionOf(unsigned code) const
{
    for (const ActionRow& row : Actions)
    {
        const Codes& codes = codesOf(row.action);
        if (code != 0 && std::find(codes.begin(), codes.end(), code) != codes.end())
            return row.action;
    }
    return std::nullopt;
}

std::string KeyLayout::keysOf(Action action) const
{
    const Codes& codes = codesOf(action);
    return labelOf(codes[0]) + (codes[1] == 0 ? "" : ", " + labelOf(codes[1]));
}

std::string KeyLayout::labelOf(unsigned code) const
{
    return code == 0 || labels_[code].empty() ? NoKey : labels_[code];
}
} // namespace tamrow
