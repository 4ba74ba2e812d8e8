#include "desktop/PlayKeyReader.hpp"

#include <chrono>
#include <utility>

#include <X11/Xlib.h>
#include <X11/keysym.h>

namespace
{
/// The key symbol of each PlayKey, in PlayKey order: the unshifted letters.
constexpr std::array<KeySym, PlayKeyCount> PlayKeySymbols = {XK_w, XK_a, XK_s, XK_d, XK_q, XK_e, XK_z, XK_x};
/// What XQueryKeymap fills: one bit per key code, 256 codes.
constexpr std::size_t KeymapBytes = 32;
constexpr unsigned BitsPerByte = 8;
} // namespace

PlayKeyReader::PlayKeyReader(PadReader pad)
    : display_(std::chrono::milliseconds(0))
    , pad_(std::move(pad))
{
    lookUpCodes();
}

std::uint8_t PlayKeyReader::read(bool focused)
{
    if (!focused)
        return 0;
    return static_cast<std::uint8_t>(readKeyboard() | padKeys(pad_()));
}

std::uint8_t PlayKeyReader::readKeyboard()
{
    Display* display = display_.handle();
    if (display == nullptr)
        return 0;
    // Every client is told of mapping changes unasked; nothing else comes here.
    // XPending reads what has arrived without asking the server anything.
    while (XPending(display) > 0)
    {
        XEvent event;
        XNextEvent(display, &event);
        if (event.type == MappingNotify)
        {
            XRefreshKeyboardMapping(&event.xmapping);
            lookUpCodes();
        }
    }
    char keymap[KeymapBytes] = {};
    XQueryKeymap(display, keymap);
    std::uint8_t keys = 0;
    for (std::uint8_t k = 0; k < PlayKeyCount; ++k)
    {
        const unsigned code = codes_[k];
        const unsigned byte = static_cast<unsigned char>(keymap[code / BitsPerByte]);
        if (code != 0 && ((byte >> (code % BitsPerByte)) & 1u) != 0)
            keys = static_cast<std::uint8_t>(keys | keyBit(static_cast<PlayKey>(k)));
    }
    return keys;
}

void PlayKeyReader::lookUpCodes()
{
    Display* display = display_.handle();
    for (std::size_t k = 0; k < PlayKeyCount; ++k)
        codes_[k] = display == nullptr ? 0 : XKeysymToKeycode(display, PlayKeySymbols[k]);
}
