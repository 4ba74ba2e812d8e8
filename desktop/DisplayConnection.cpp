#include "desktop/DisplayConnection.hpp"

#include <algorithm>
#include <cstdlib>
#include <thread>

#include <X11/Xlib.h>

namespace tamrow
{
namespace
{
/// The first pause between two tries, and the longest.
constexpr std::chrono::milliseconds FirstPause(10);
constexpr std::chrono::milliseconds LongestPause(250);

bool displayNamed()
{
    const char* name = std::getenv("DISPLAY");
    return name != nullptr && name[0] != '\0';
}
} // namespace

DisplayConnection::DisplayConnection(std::chrono::milliseconds patience)
{
    using Clock = std::chrono::steady_clock;
    const Clock::time_point deadline = Clock::now() + patience;
    std::chrono::milliseconds pause = FirstPause;
    display_ = XOpenDisplay(nullptr);
    while (display_ == nullptr && displayNamed() && Clock::now() + pause <= deadline)
    {
        std::this_thread::sleep_for(pause);
        pause = std::min(pause * 2, LongestPause);
        display_ = XOpenDisplay(nullptr);
    }
}

DisplayConnection::~DisplayConnection()
{
    if (display_ != nullptr)
        XCloseDisplay(display_);
}

std::string DisplayConnection::refusal(const std::string& program)
{
    const char* name = std::getenv("DISPLAY");
    const std::string setting = name == nullptr ? std::string("DISPLAY is not set") : "DISPLAY=" + std::string(name);
    return program + ": cannot open the X display (" + setting + "): is a desktop session running?";
}
} // namespace tamrow
