#pragma once

#include <chrono>
#include <optional>
#include <string>

// Xlib's own header defines macros (None, Status, ...) that break GoogleTest, so it stays
// out of this header.
struct _XDisplay;
struct _XImage;
using XWindowId = unsigned long;

struct WindowSize {
    int width;
    int height;
};

struct Rgb8 {
    int r;
    int g;
    int b;
};

// Every channel within one step: a float colour may round either way on its way to 8 bits.
inline bool nearlyEqual(Rgb8 a, Rgb8 b)
{
    auto close = [](int x, int y) { return x - y <= 1 && y - x <= 1; };
    return close(a.r, b.r) && close(a.g, b.g) && close(a.b, b.b);
}

// A client connection to an X server, used to look at and close the program's window the
// way a user's window manager would. X errors (a window that vanished while being read)
// are ignored rather than ending the process.
class XClient {
public:
    explicit XClient(const std::string& display);
    ~XClient();
    XClient(const XClient&) = delete;
    XClient& operator=(const XClient&) = delete;

    bool connected() const { return display_ != nullptr; }

    // The top-level window with this title, looking every `poll` until it is shown.
    std::optional<XWindowId> waitForWindow(const std::string& title, std::chrono::milliseconds timeout,
                                           std::chrono::microseconds poll = std::chrono::milliseconds(50));

    // One pixel of the window, column x and row y from the top-left corner; nothing when
    // the window cannot be read (not shown, or gone).
    std::optional<Rgb8> pixel(XWindowId window, int x, int y);

    std::string title(XWindowId window);
    WindowSize size(XWindowId window);

    // Sends WM_DELETE_WINDOW, as a window manager does when the user closes the window.
    void close(XWindowId window);

    _XDisplay* display() const { return display_; }

private:
    _XDisplay* display_ = nullptr;
};

// The window's contents at one moment.
class Snapshot {
public:
    Snapshot(_XDisplay* display, XWindowId window);
    ~Snapshot();
    Snapshot(const Snapshot&) = delete;
    Snapshot& operator=(const Snapshot&) = delete;

    bool valid() const { return image_ != nullptr; }
    // Column x, row y, counted from the top-left corner.
    Rgb8 at(int x, int y) const;

private:
    _XImage* image_ = nullptr;
};
