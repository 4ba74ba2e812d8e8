#include "support/XSession.hpp"

#include "support/ChildProcess.hpp"
#include "support/TestCity.hpp"

#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/Xatom.h>
#include <X11/Xutil.h>

namespace tamrow
{
namespace
{
void collectTitled(Display* display, Window parent, const std::string& title, std::vector<XWindowId>& found)
{
    char* name = nullptr;
    if (XFetchName(display, parent, &name) != 0 && name != nullptr)
    {
        if (title == name)
            found.push_back(parent);
        XFree(name);
    }
    Window root = 0, grandparent = 0;
    Window* children = nullptr;
    unsigned count = 0;
    if (XQueryTree(display, parent, &root, &grandparent, &children, &count) == 0)
        return;
    for (unsigned i = 0; i < count; ++i)
        collectTitled(display, children[i], title, found);
    if (children != nullptr)
        XFree(children);
}
} // namespace

XSession::XSession(const std::string& displayName)
    : display_(XOpenDisplay(displayName.empty() ? nullptr : displayName.c_str()))
{
    // A window that vanished between listing and asking must not abort the test.
    XSetErrorHandler([](Display*, XErrorEvent*) { return 0; });
}

std::string XSession::keyNameOf(unsigned code)
{
    const char* name = display_ == nullptr ? nullptr
                                           : XKeysymToString(XkbKeycodeToKeysym(display_, static_cast<KeyCode>(code), 0, 0));
    return name == nullptr ? std::string() : name;
}

XSession::~XSession()
{
    if (display_ != nullptr)
        XCloseDisplay(display_);
}

std::vector<XWindowId> XSession::windowsTitled(const std::string& title)
{
    std::vector<XWindowId> found;
    if (display_ != nullptr)
        collectTitled(display_, DefaultRootWindow(display_), title, found);
    return found;
}

XWindowInfo XSession::info(XWindowId window)
{
    XWindowInfo result;
    XWindowAttributes attributes;
    if (display_ == nullptr || XGetWindowAttributes(display_, window, &attributes) == 0)
        return result;
    Window child = 0;
    XTranslateCoordinates(display_, window, DefaultRootWindow(display_), 0, 0, &result.x, &result.y, &child);
    result.width = attributes.width;
    result.height = attributes.height;
    result.viewable = attributes.map_state == IsViewable;
    return result;
}

bool XSession::requestClose(XWindowId window)
{
    if (display_ == nullptr)
        return false;
    XEvent message{};
    message.xclient.type = ClientMessage;
    message.xclient.window = window;
    message.xclient.message_type = XInternAtom(display_, "WM_PROTOCOLS", False);
    message.xclient.format = 32;
    message.xclient.data.l[0] = static_cast<long>(XInternAtom(display_, "WM_DELETE_WINDOW", False));
    message.xclient.data.l[1] = CurrentTime;
    const Status sent = XSendEvent(display_, window, False, NoEventMask, &message);
    XSync(display_, False);
    return sent != 0;
}

XWindowId XSession::focused()
{
    if (display_ == nullptr)
        return NoWindow;
    Window window = 0;
    int revertTo = 0;
    XGetInputFocus(display_, &window, &revertTo);
    return window == PointerRoot ? NoWindow : window;
}

bool XSession::windowManagerRunning()
{
    if (display_ == nullptr)
        return false;
    Atom type = 0;
    int format = 0;
    unsigned long count = 0;
    unsigned long left = 0;
    unsigned char* data = nullptr;
    const int read = XGetWindowProperty(display_, DefaultRootWindow(display_),
                                        XInternAtom(display_, "_NET_SUPPORTING_WM_CHECK", False), 0, 1, False,
                                        XA_WINDOW, &type, &format, &count, &left, &data);
    if (data != nullptr)
        XFree(data);
    return read == Success && count == 1;
}

void XSession::warpPointer(int x, int y)
{
    if (display_ == nullptr)
        return;
    XWarpPointer(display_, 0, DefaultRootWindow(display_), 0, 0, 0, 0, x, y);
    XSync(display_, False);
}

XWindowId XSession::otherProgram()
{
    constexpr unsigned Side = 16;  // px
    if (otherProgram_ == NoWindow)
    {
        const int screen = DefaultScreen(display_);
        otherProgram_ = XCreateSimpleWindow(display_, DefaultRootWindow(display_),
                                            DisplayWidth(display_, screen) - static_cast<int>(Side),
                                            DisplayHeight(display_, screen) - static_cast<int>(Side), Side, Side, 0,
                                            0, 0);
        XStoreName(display_, otherProgram_, "another program");
        XMapWindow(display_, otherProgram_);
        XSync(display_, False);
    }
    return otherProgram_;
}

::testing::AssertionResult XSession::focus(XWindowId asked, std::chrono::milliseconds limit)
{
    if (display_ == nullptr)
        return ::testing::AssertionFailure() << "no X display";
    const XWindowId window = asked == NoWindow ? otherProgram() : asked;
    const ::testing::AssertionResult mapped = waitUntil(
        "window " + std::to_string(window) + " to be mapped", limit,
        [&] { return info(window).viewable; },
        [&] { return "it " + std::string(info(window).width > 0 ? "exists unmapped" : "does not exist"); });
    if (!mapped)
        return mapped;
    XSetInputFocus(display_, window, RevertToParent, CurrentTime);
    XSync(display_, False);
    Window focused = 0;
    int revert = 0;
    XGetInputFocus(display_, &focused, &revert);
    if (focused != window)
        return ::testing::AssertionFailure() << "window " << focused << " has the focus, not " << window;
    return ::testing::AssertionSuccess();
}

RealKeyDown::RealKeyDown(std::string name)
    : name_(std::move(name))
    , pressed_(runCommand({"xdotool", "keydown", name_}) == 0)
{
}

RealKeyDown::~RealKeyDown()
{
    runCommand({"xdotool", "keyup", name_});
}
} // namespace tamrow
