#include "desk/PlayKeyReader.hpp"

#include <algorithm>
#include <chrono>
#include <utility>

#include <poll.h>
#include <X11/XKBlib.h>
#include <X11/Xlib.h>

namespace
{
/// What XQueryKeymap fills: one bit per key code, 256 codes.
constexpr std::size_t KeymapBytes = 32;
constexpr unsigned BitsPerByte = 8;
/// The most presses heard and not yet matched: more is a window whose events
/// nobody reads, not play.
constexpr std::size_t MostWaiting = 256;
/// How long a press waits for the reader to hear what SFML heard: the server
/// sends both in the same breath, so this is only ever reached when it was not sent.
constexpr std::chrono::milliseconds PressPatience(200);

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
    // A held key's repeats then come as presses alone, as the key never went up.
    Bool detectable = False;
    XkbSetDetectableAutoRepeat(display, True, &detectable);
}

void PlayKeyReader::watch(unsigned long window)
{
    Display* display = display_.handle();
    if (display == nullptr)
        return;
    window_ = window;
    waiting_.clear();
    owed_ = 0;
    XSelectInput(display, window, KeyPressMask | KeyReleaseMask);
    XFlush(display);
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
        if (std::any_of(codes.begin(), codes.end(), [&](unsigned char code) { return code != 0 && isDown(keymap, code); }))
            keys = static_cast<std::uint8_t>(keys | keyBit(row.action));
    }
    return keys;
}

void PlayKeyReader::take()
{
    Display* display = display_.handle();
    // Every client is told of core mapping changes unasked, and of XKB's as asked.
    // XPending reads what has arrived without asking the server anything.
    bool changed = false;
    while (XPending(display) > 0)
    {
        XEvent event;
        XNextEvent(display, &event);
        if (event.type == MappingNotify)
            XRefreshKeyboardMapping(&event.xmapping);
        changed = changed || event.type == MappingNotify || (xkbEvents_ >= 0 && event.type == xkbEvents_);
        if ((event.type != KeyPress && event.type != KeyRelease) || event.xkey.window != window_)
            continue;
        if (event.type == KeyPress && owed_ > 0)
            --owed_;
        else if (waiting_.size() < MostWaiting)
            waiting_.push_back({event.type == KeyPress, static_cast<unsigned char>(event.xkey.keycode)});
    }
    if (changed)
        layout_.lookUp();
}

std::optional<Action> PlayKeyReader::press()
{
    Display* display = display_.handle();
    if (display == nullptr)
        return std::nullopt;
    const auto heard = [this] {
        return std::any_of(waiting_.begin(), waiting_.end(), [](const KeyChange& change) { return change.down; });
    };
    take();
    const auto giveUp = std::chrono::steady_clock::now() + PressPatience;
    while (!heard() && std::chrono::steady_clock::now() < giveUp)
    {
        pollfd connection{ConnectionNumber(display), POLLIN, 0};
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(giveUp - std::chrono::steady_clock::now());
        poll(&connection, 1, static_cast<int>(std::max<long long>(left.count(), 1)));
        take();
    }
    if (!heard())
    {
        ++owed_;
        return std::nullopt;
    }
    while (!waiting_.front().down)
    {
        down_.reset(waiting_.front().code);
        waiting_.pop_front();
    }
    const unsigned code = waiting_.front().code;
    waiting_.pop_front();
    const bool repeat = down_.test(code);
    down_.set(code);
    const std::optional<Action> action = layout_.actionOf(code);
    if (repeat || !action || rowOf(*action).press != Press::Once)
        return std::nullopt;
    return action;
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
