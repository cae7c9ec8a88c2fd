#pragma once

#include "process.h"
#include "program_facts.h"
#include "x_window.h"

#include <algorithm>
#include <chrono>
#include <optional>
#include <string>
#include <thread>
#include <vector>

// Generous: the window tests also run under sanitizers, valgrind and Wine on a loaded
// machine, where a start has been seen to take over a minute. Only a failure waits so long.
inline constexpr std::chrono::seconds kStartTimeout{180};
inline constexpr std::chrono::seconds kExitTimeout{60};

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

    // What a test says when no window opened: whether the program was still running or how
    // it ended, and what it wrote.
    std::string noWindow() const
    {
        std::string text = ended_ ? "no window; the program ended with status " + std::to_string(*ended_)
                                  : std::string("no window within the time allowed; the program was still running");
        return text + "\nits output:\n" + output() + "\nits errors:\n" + errors();
    }

    // Waits until the frame is painted: the background shows in the window's corner. Looks
    // again after a pause that doubles up to 50 ms, so that the wait leaves the processor to
    // the program it waits for; the deadline alone decides.
    bool waitForFrame()
    {
        const auto deadline = std::chrono::steady_clock::now() + kStartTimeout;
        std::chrono::microseconds pause{500};
        while (std::chrono::steady_clock::now() < deadline) {
            const auto corner = x_.pixel(*window_, 1, 1);
            if (corner && nearlyEqual(*corner, kBackground)) {
                return true;
            }
            std::this_thread::sleep_for(pause);
            pause = std::min(2 * pause, std::chrono::microseconds{50000});
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
