#pragma once

#include "process.h"
#include "program_facts.h"
#include "x_window.h"

#include <chrono>
#include <optional>
#include <string>
#include <vector>

// Generous: the window tests also run under sanitizers and valgrind on a loaded machine.
inline constexpr std::chrono::seconds kStartTimeout{60};
inline constexpr std::chrono::seconds kExitTimeout{20};

// One run of the program (the command, with any wrapper before it) on a display, answered
// with `input`, up to its first frame: for the window tests, the benchmark and the picture
// of the native window that the page is compared with.
class ProgramOnScreen {
public:
    ProgramOnScreen(XClient& x, const std::string& display, const std::string& input,
                    const std::vector<std::string>& command)
        : x_(x), dir_(makeTempDir())
    {
        child_ = startProcess(command, input, display, dir_);
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
