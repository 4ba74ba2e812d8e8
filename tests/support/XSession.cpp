#include "support/XSession.hpp"

#include "support/ChildProcess.hpp"

#include <thread>

#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace
{
void collectTitled(Display* display, Window parent, const std::string& title,
                   std::vector<XWindowId>& found)
{
    char* name = nullptr;
    if (XFetchName(display, parent, &name) != 0 && name != nullptr)
    {
        if (title == name)
            found.push_back(parent);
        XFree(name);
    }
    Window root = 0;
    Window parentOfParent = 0;
    Window* children = nullptr;
    unsigned count = 0;
    if (XQueryTree(display, parent, &root, &parentOfParent, &children, &count) == 0)
        return;
    for (unsigned i = 0; i < count; ++i)
        collectTitled(display, children[i], title, found);
    if (children != nullptr)
        XFree(children);
}

/// A window that vanished between listing and asking must not abort the test.
int ignoreErrors(Display*, XErrorEvent*)
{
    return 0;
}
} // namespace

XSession::XSession()
    : display_(XOpenDisplay(nullptr))
{
    XSetErrorHandler(ignoreErrors);
}

XSession::XSession(const std::string& displayName)
    : display_(XOpenDisplay(displayName.c_str()))
{
    XSetErrorHandler(ignoreErrors);
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
    XTranslateCoordinates(display_, window, DefaultRootWindow(display_), 0, 0, &result.x, &result.y,
                          &child);
    result.width = attributes.width;
    result.height = attributes.height;
    result.viewable = attributes.map_state == IsViewable;
    return result;
}

XWindowId XSession::focusedWindow()
{
    Window focus = 0;
    int revert = 0;
    if (display_ != nullptr)
        XGetInputFocus(display_, &focus, &revert);
    return focus;
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

void XSession::warpPointer(int x, int y)
{
    if (display_ == nullptr)
        return;
    XWarpPointer(display_, 0, DefaultRootWindow(display_), 0, 0, 0, 0, x, y);
    XSync(display_, False);
}

void XSession::sync()
{
    if (display_ != nullptr)
        XSync(display_, False);
}

bool XSession::focus(XWindowId window, std::chrono::milliseconds timeout)
{
    if (display_ == nullptr)
        return false;
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!info(window).viewable && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    // Focusing a window that is not viewable is an error the server ignores here.
    XSetInputFocus(display_, window, RevertToParent, CurrentTime);
    XSync(display_, False);
    return focusedWindow() == window;
}

XWindowId XSession::openWindow(const std::string& title, int x, int y, int width, int height)
{
    if (display_ == nullptr)
        return 0;
    const Window window = XCreateSimpleWindow(display_, DefaultRootWindow(display_), x, y,
                                              static_cast<unsigned>(width), static_cast<unsigned>(height), 0,
                                              BlackPixel(display_, DefaultScreen(display_)),
                                              WhitePixel(display_, DefaultScreen(display_)));
    XStoreName(display_, window, title.c_str());
    // Like any program's window, it takes key presses while it has the focus.
    XSelectInput(display_, window, KeyPressMask | KeyReleaseMask | FocusChangeMask);
    XMapWindow(display_, window);
    XSync(display_, False);
    return window;
}

void XSession::closeWindow(XWindowId window)
{
    if (display_ == nullptr || window == 0)
        return;
    XDestroyWindow(display_, window);
    XSync(display_, False);
}

PlainWindow::PlainWindow(XSession& x, const std::string& title, int left, int top, int width, int height)
    : x_(x)
    , id_(x.openWindow(title, left, top, width, height))
{
}

PlainWindow::~PlainWindow()
{
    x_.closeWindow(id_);
}

RealKeyDown::RealKeyDown(std::string name)
    : name_(std::move(name))
    , pressed_(runCommand({"xdotool", "keydown", name_}).exitCode == 0)
{
}

RealKeyDown::~RealKeyDown()
{
    runCommand({"xdotool", "keyup", name_});
}
