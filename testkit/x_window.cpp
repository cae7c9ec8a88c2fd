#include "x_window.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <bit>
#include <thread>

namespace {

std::optional<Window> findByTitle(Display* display, Window parent, const std::string& title)
{
    Window root;
    Window parentOfParent;
    Window* children = nullptr;
    unsigned count = 0;
    if (XQueryTree(display, parent, &root, &parentOfParent, &children, &count) == 0) {
        return std::nullopt;
    }
    std::optional<Window> found;
    for (unsigned i = 0; i < count && !found; ++i) {
        char* name = nullptr;
        if (XFetchName(display, children[i], &name) != 0 && name != nullptr) {
            if (title == name) {
                found = children[i];
            }
            XFree(name);
        }
        if (!found) {
            found = findByTitle(display, children[i], title);
        }
    }
    if (children != nullptr) {
        XFree(children);
    }
    return found;
}

int channel(unsigned long pixel, unsigned long mask)
{
    return static_cast<int>((pixel & mask) >> std::countr_zero(mask));
}

} // namespace

XClient::XClient(const std::string& display) : display_(XOpenDisplay(display.c_str()))
{
    XSetErrorHandler([](Display*, XErrorEvent*) { return 0; });
}

XClient::~XClient()
{
    if (display_ != nullptr) {
        XCloseDisplay(display_);
    }
}

std::optional<XWindowId> XClient::waitForWindow(const std::string& title, std::chrono::milliseconds timeout,
                                                std::chrono::microseconds poll)
{
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (std::chrono::steady_clock::now() < deadline) {
        XWindowAttributes shown;
        const auto window = findByTitle(display_, DefaultRootWindow(display_), title);
        if (window && XGetWindowAttributes(display_, *window, &shown) != 0 && shown.map_state == IsViewable) {
            return window;
        }
        std::this_thread::sleep_for(poll); // the poll's interval; the deadline decides
    }
    return std::nullopt;
}

std::optional<Rgb8> XClient::pixel(XWindowId window, int x, int y)
{
    XImage* image = XGetImage(display_, window, x, y, 1, 1, AllPlanes, ZPixmap);
    if (image == nullptr) {
        return std::nullopt;
    }
    const unsigned long value = XGetPixel(image, 0, 0);
    const Rgb8 result{channel(value, image->red_mask), channel(value, image->green_mask),
                      channel(value, image->blue_mask)};
    XDestroyImage(image);
    return result;
}

std::string XClient::title(XWindowId window)
{
    char* name = nullptr;
    std::string result;
    if (XFetchName(display_, window, &name) != 0 && name != nullptr) {
        result = name;
        XFree(name);
    }
    return result;
}

WindowSize XClient::size(XWindowId window)
{
    XWindowAttributes attributes{};
    XGetWindowAttributes(display_, window, &attributes);
    return {attributes.width, attributes.height};
}

void XClient::close(XWindowId window)
{
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display_, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(display_, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display_, window, False, NoEventMask, &event);
    XFlush(display_);
}

Snapshot::Snapshot(_XDisplay* display, XWindowId window)
{
    XWindowAttributes attributes{};
    if (XGetWindowAttributes(display, window, &attributes) != 0) {
        image_ = XGetImage(display, window, 0, 0, static_cast<unsigned>(attributes.width),
                           static_cast<unsigned>(attributes.height), AllPlanes, ZPixmap);
    }
}

Snapshot::~Snapshot()
{
    if (image_ != nullptr) {
        XDestroyImage(image_);
    }
}

Rgb8 Snapshot::at(int x, int y) const
{
    const unsigned long pixel = XGetPixel(image_, x, y);
    return {channel(pixel, image_->red_mask), channel(pixel, image_->green_mask), channel(pixel, image_->blue_mask)};
}
