#pragma once

#include "support/console_text.h"
#include "support/process.h"
#include "support/virtual_display.h"
#include "support/x_window.h"

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// The program under test and its window title.
inline const std::string kProgramPath = CUBE_ROTATION_PATH;
inline const std::string kTitle = "Geometrija - prikaz zadatka";

// Generous: the window tests also run under sanitizers and valgrind on a loaded machine.
inline constexpr std::chrono::seconds kStartTimeout{60};
inline constexpr std::chrono::seconds kExitTimeout{20};

// The clear colour 0.9, 0.9, 0.8 as the 8-bit framebuffer holds it; converting to 8 bits may
// round either way, so channels are compared to within one step.
inline constexpr Rgb8 kBackground{230, 230, 204};
inline bool nearlyEqual(Rgb8 a, Rgb8 b)
{
    auto close = [](int x, int y) { return x - y <= 1 && y - x <= 1; };
    return close(a.r, b.r) && close(a.g, b.g) && close(a.b, b.b);
}

// One run of the program on a display, answered with `input`, up to its first frame.
class ProgramOnScreen {
public:
    ProgramOnScreen(XClient& x, const std::string& display, const std::string& input,
                    std::vector<std::string> wrapper = {})
        : x_(x), dir_(makeTempDir())
    {
        wrapper.push_back(kProgramPath);
        child_ = startProcess(wrapper, input, display, dir_);
        // Stop waiting as soon as the process is gone: it will not open a window then.
        const auto deadline = std::chrono::steady_clock::now() + kStartTimeout;
        while (!window_ && !ended_ && std::chrono::steady_clock::now() < deadline) {
            window_ = x.waitForWindow(kTitle, std::chrono::milliseconds(200));
            ended_ = waitForExit(child_.pid, std::chrono::milliseconds(0));
        }
        if (ended_) {
            child_.pid = -1;
        }
    }

    ~ProgramOnScreen() { killProcess(child_.pid); }
    ProgramOnScreen(const ProgramOnScreen&) = delete;
    ProgramOnScreen& operator=(const ProgramOnScreen&) = delete;

    const std::optional<XWindowId>& window() const { return window_; }
    const std::string& dir() const { return dir_; }
    std::string output() const { return readFile(child_.stdoutPath); }
    std::string errors() const { return readFile(child_.stderrPath); }

    // Waits until the frame is painted: the background shows in the window's corner.
    bool waitForFrame()
    {
        const auto deadline = std::chrono::steady_clock::now() + kStartTimeout;
        while (std::chrono::steady_clock::now() < deadline) {
            const auto corner = x_.pixel(*window_, 1, 1);
            if (corner && nearlyEqual(*corner, kBackground)) {
                return true;
            }
        }
        return false;
    }

    // Closes the window as a window manager would and returns how the process ended.
    std::optional<int> closeAndWait()
    {
        if (!ended_) {
            x_.close(*window_);
            ended_ = waitForExit(child_.pid, kExitTimeout);
        }
        if (ended_) {
            child_.pid = -1;
        }
        return ended_;
    }

private:
    XClient& x_;
    std::string dir_;
    ChildProcess child_;
    std::optional<XWindowId> window_;
    std::optional<int> ended_; // how the process ended, once it has
};

// A virtual X server and a client connection to it, new for each test.
class OnScreen : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_FALSE(server.name().empty()) << "Xvfb did not start";
        x = std::make_unique<XClient>(server.name());
        ASSERT_TRUE(x->connected());
    }

    VirtualDisplay server;
    std::unique_ptr<XClient> x;
};
