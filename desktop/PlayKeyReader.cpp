#include "desktop/PlayKeyReader.hpp"

#include <algorithm>
#include <chrono>
#include <utility>

#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/keysym.h>

namespace tamrow
{
namespace
{
/// What XQueryKeymap fills: one bit per key code, 256 codes.
constexpr std::size_t KeymapBytes = 32;
constexpr unsigned BitsPerByte = 8;

/// The key code of the key SFML names `named` in the layout in force, 0 for
/// none: the key of its first symbol, as SFML names a key by it.
unsigned codeOf(Display* display, sf::Keyboard::Key named)
{
    using K = sf::Keyboard;
    KeySym symbol = NoSymbol;
    if (named >= K::A && named <= K::Z)
        symbol = XK_a + static_cast<KeySym>(named - K::A);
    else if (named >= K::Num0 && named <= K::Num9)
        symbol = XK_0 + static_cast<KeySym>(named - K::Num0);
    else if (named >= K::F1 && named <= K::F15)
        symbol = XK_F1 + static_cast<KeySym>(named - K::F1);
    const std::pair<K::Key, KeySym> others[] = {
        {K::Escape, XK_Escape},       {K::BackSpace, XK_BackSpace}, {K::Tab, XK_Tab},
        {K::Enter, XK_Return},        {K::Space, XK_space},         {K::Hyphen, XK_minus},
        {K::Equal, XK_equal},         {K::LBracket, XK_bracketleft}, {K::RBracket, XK_bracketright},
        {K::Semicolon, XK_semicolon}, {K::Comma, XK_comma},         {K::Period, XK_period},
        {K::Quote, XK_apostrophe},    {K::Slash, XK_slash},         {K::Backslash, XK_backslash},
        {K::Tilde, XK_grave},         {K::Left, XK_Left},           {K::Right, XK_Right},
        {K::Up, XK_Up},               {K::Down, XK_Down}};
    for (const auto& [key, other] : others)
        symbol = named == key ? other : symbol;
    return display == nullptr || symbol == NoSymbol ? 0 : XKeysymToKeycode(display, symbol);
}

/// Whether key code `code` is down in `keymap`, as XQueryKeymap fills it.
bool isDown(const char (&keymap)[KeymapBytes], unsigned code)
{
    return ((static_cast<unsigned char>(keymap[code / BitsPerByte]) >> (code % BitsPerByte)) & 1u) != 0;
}
} // namespace

PlayKeyReader::PlayKeyReader(std::vector<KeyLine> choices, PadReader pad)
    : display_(std::chrono::milliseconds(0))
    , pad_(std::move(pad))
    , layout_(display_.handle(), std::move(choices))
{
    Display* display = display_.handle();
    int opcode = 0, error = 0, major = XkbMajorVersion, minor = XkbMinorVersion;
    if (display == nullptr || !XkbQueryExtension(display, &opcode, &xkbEvents_, &error, &major, &minor))
    {
        xkbEvents_ = -1;
        return;
    }
    // A new keyboard or layout, and a switch of group, which changes the letters shown.
    XkbSelectEvents(display, XkbUseCoreKbd, XkbNewKeyboardNotifyMask | XkbMapNotifyMask,
                    XkbNewKeyboardNotifyMask | XkbMapNotifyMask);
    XkbSelectEventDetails(display, XkbUseCoreKbd, XkbStateNotify, XkbGroupStateMask, XkbGroupStateMask);
    // Looked up again now that changes are told: one made between the first
    // look, in layout_'s making, and the selection above is never told.
    layout_.lookUp();
}

std::uint8_t PlayKeyReader::read(bool focused)
{
    Display* display = display_.handle();
    if (!focused)
        return 0;
    std::uint8_t keys = padKeys(pad_());
    if (display == nullptr)
        return keys;
    take();
    char keymap[KeymapBytes] = {};
    XQueryKeymap(display, keymap);
    for (const ActionRow& row : Actions)
    {
        if (row.press != Press::Held || row.reach != Reach::Played)
            continue;
        const KeyLayout::Codes& codes = layout_.codesOf(row.action);
        if (std::any_of(codes.begin(), codes.end(),
                        [&](unsigned char code) { return code != 0 && isDown(keymap, code); }))
            keys = static_cast<std::uint8_t>(keys | keyBit(row.action));
    }
    return keys;
}

void PlayKeyReader::take()
{
    Display* display = display_.handle();
    // Every client is told of core mapping changes unasked, and of XKB's as asked;
    // nothing else comes here. XPending reads what has arrived without asking the server.
    bool changed = false;
    while (XPending(display) > 0)
    {
        XEvent event;
        XNextEvent(display, &event);
        if (event.type == MappingNotify)
            XRefreshKeyboardMapping(&event.xmapping);
        changed = changed || event.type == MappingNotify || (xkbEvents_ >= 0 && event.type == xkbEvents_);
    }
    if (changed)
        layout_.lookUp();
}

std::optional<Action> PlayKeyReader::press(sf::Keyboard::Key named)
{
    Display* display = display_.handle();
    if (display == nullptr)
        return std::nullopt;
    take();
    const unsigned code = codeOf(display, named);
    // A press while the key is down is the system repeating it.
    const bool repeat = down_.test(code);
    down_.set(code);
    const std::optional<Action> action = layout_.actionOf(code);
    if (repeat || !action || rowOf(*action).press != Press::Once)
        return std::nullopt;
    return action;
}

void PlayKeyReader::release(sf::Keyboard::Key named)
{
    down_.reset(codeOf(display_.handle(), named));
}

void PlayKeyReader::forgetAll()
{
    down_.reset();
}

void PlayKeyReader::forgetReleased()
{
    Display* display = display_.handle();
    if (display == nullptr)
        return;
    char keymap[KeymapBytes] = {};
    XQueryKeymap(display, keymap);
    for (unsigned code = 0; code < down_.size(); ++code)
    {
        if (!isDown(keymap, code))
            down_.reset(code);
    }
}
} // namespace tamrow
