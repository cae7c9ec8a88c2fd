#pragma once

#include <sys/types.h>

#include <chrono>
#include <optional>
#include <string>
#include <vector>

// A child process whose standard streams are files, so the test can read them at any time.
struct ChildProcess {
    pid_t pid = -1;
    std::string stdoutPath;
    std::string stderrPath;
};

// A fresh directory for one test's files, removed when the test program ends.
std::string makeTempDir();

// Starts argv[0] (looked up in PATH) with `input` on standard input and its output and
// errors in files under `dir`. DISPLAY is taken out of the environment and set to
// `display` when one is given.
ChildProcess startProcess(const std::vector<std::string>& argv, const std::string& input,
                          const std::optional<std::string>& display, const std::string& dir);

// How a child ended: its exit status, or 128 + signal number when a signal ended it.
// Empty when it is still running after `timeout`.
std::optional<int> waitForExit(pid_t pid, std::chrono::milliseconds timeout);

// The same with standard input read from a file of the caller's, which may be a FIFO for
// answers given while the child runs.
ChildProcess startProcessReading(const std::vector<std::string>& argv, const std::string& inputPath,
                                 const std::optional<std::string>& display, const std::string& dir);

// Ends a child that a failing test left behind.
void killProcess(pid_t pid);

std::string readFile(const std::string& path);
