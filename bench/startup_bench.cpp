// Start-up cost of cube-rotation beside a minimal GLUT program (bench/minimal_glut.cpp):
// time from the last answer to the first frame on screen, peak resident memory, and the
// instructions executed until the first buffer swap, each measured for both in the same
// run and given as a ratio. With --windows WINE PROGRAM.exe MINIMAL.exe, the first of
// these for the Windows builds of both, run under Wine.

#include "stats.h"
#include "testkit/process.h"
#include "testkit/program_facts.h"
#include "testkit/virtual_display.h"
#include "testkit/x_window.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

constexpr auto kTimeout = std::chrono::seconds(60);

struct Subject {
    std::vector<std::string> command; // the program last, after any runner
    std::string title;
    std::string leadingAnswers; // given before the clock starts
    std::string lastAnswer;     // the clock starts as this is written
};

const Subject kProgram{{CUBE_ROTATION_PATH}, kTitle, "30\n45\n", "60\n"};
const Subject kMinimal{{MINIMAL_GLUT_PATH}, "minimal", "", "go\n"};

bool isBackground(const std::optional<Rgb8>& pixel) { return pixel && nearlyEqual(*pixel, kBackground); }

long peakResidentKiB(pid_t pid)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind("VmHWM:", 0) == 0) {
            return std::stol(line.substr(6));
        }
    }
    return -1;
}

struct StartUp {
    double seconds; // last answer to first frame
    long peakKiB;
};

std::optional<StartUp> startUp(XClient& x, const std::string& display, const Subject& subject)
{
    const std::string dir = makeTempDir();
    const std::string answers = dir + "/answers";
    mkfifo(answers.c_str(), 0600);
    // Opened for both directions, so that neither side's open waits for the other (the
    // child is started while the parent is suspended, as vfork does).
    const int fd = open(answers.c_str(), O_RDWR | O_CLOEXEC);
    const ChildProcess child = startProcessReading(subject.command, answers, display, dir);
    std::optional<StartUp> result;
    if (fd >= 0 && write(fd, subject.leadingAnswers.data(), subject.leadingAnswers.size()) >= 0) {
        // Let the child reach the read of the last answer and sit in it.
        const auto deadline = Clock::now() + kTimeout;
        while (readFile(child.stdoutPath).find("Z osi?") == std::string::npos && !subject.leadingAnswers.empty() &&
               Clock::now() < deadline) {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(300));

        const auto start = Clock::now();
        if (write(fd, subject.lastAnswer.data(), subject.lastAnswer.size()) >= 0) {
            const auto window = x.waitForWindow(subject.title, kTimeout, std::chrono::microseconds(200));
            while (window && !isBackground(x.pixel(*window, 1, 1)) && Clock::now() < start + kTimeout) {
            }
            if (window) {
                result =
                    StartUp{std::chrono::duration<double>(Clock::now() - start).count(), peakResidentKiB(child.pid)};
                x.close(*window);
            }
        }
    }
    if (fd >= 0) {
        close(fd);
    }
    if (!waitForExit(child.pid, std::chrono::seconds(10))) {
        killProcess(child.pid);
    }
    return result;
}

struct Instructions {
    double total; // until the first swap
    double own;   // of those, in the program's own code
};

// Runs the subject under callgrind, which writes a first dump as glutSwapBuffers is entered.
std::optional<Instructions> instructionsToFirstSwap(const std::string& display, const Subject& subject)
{
    const std::string dir = makeTempDir();
    const std::string out = dir + "/callgrind.out";
    const ChildProcess child = startProcess({"valgrind", "--tool=callgrind", "--dump-before=glutSwapBuffers",
                                             "--callgrind-out-file=" + out, subject.command.back()},
                                            subject.leadingAnswers + subject.lastAnswer, display, dir);
    const auto deadline = Clock::now() + std::chrono::minutes(5);
    while (readFile(out + ".1").find("\ntotals:") == std::string::npos && Clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    killProcess(child.pid);

    const ChildProcess annotate =
        startProcess({"callgrind_annotate", "--threshold=100", "--inclusive=no", out + ".1"}, "", std::nullopt, dir);
    if (waitForExit(annotate.pid, std::chrono::minutes(2)) != 0) {
        return std::nullopt;
    }
    // Lines read "1,234 (0.5%)  file:function [object]"; the first is the total.
    std::optional<Instructions> result;
    std::istringstream report(readFile(annotate.stdoutPath));
    for (std::string line; std::getline(report, line);) {
        std::string digits;
        for (char c : line.substr(0, line.find('('))) {
            if (c >= '0' && c <= '9') {
                digits.push_back(c);
            }
        }
        if (digits.empty()) {
            continue;
        }
        const double count = std::stod(digits);
        if (line.find("PROGRAM TOTALS") != std::string::npos) {
            result = Instructions{count, 0};
        } else if (result && line.find("[" + subject.command.back() + "]") != std::string::npos) {
            result->own += count;
        }
    }
    return result;
}

// Both subjects started by turns, `rounds` times each. A start varies by a third or more
// from the next (the X server; under Wine, the start of a process too), which a median of
// a few per-round ratios does not average out: each side's trimmed mean over many rounds.
constexpr int kLatencyRounds = 41;

struct Sides {
    std::vector<StartUp> ours;
    std::vector<StartUp> bare;
};

std::optional<Sides> startUps(XClient& x, const std::string& display, const Subject& ours, const Subject& bare)
{
    Sides sides;
    for (int round = 0; round < rounds(kLatencyRounds); ++round) {
        const auto one = startUp(x, display, ours);
        const auto other = startUp(x, display, bare);
        if (!one || !other) {
            std::fprintf(stderr, "a start-up run failed\n");
            return std::nullopt;
        }
        sides.ours.push_back(*one);
        sides.bare.push_back(*other);
    }
    return sides;
}

void printLatency(const std::string& figure, const Sides& sides)
{
    auto seconds = [](const std::vector<StartUp>& runs) {
        std::vector<double> values;
        for (const StartUp& run : runs) {
            values.push_back(run.seconds);
        }
        return trimmedMean(values);
    };
    const double a = seconds(sides.ours);
    const double b = seconds(sides.bare);
    printRow(figure, format("%.3f×", a / b) + format(" (%.1f ms", a * 1e3) + format(" / %.1f ms)", b * 1e3), "≤ 1.10×");
}

} // namespace

int main(int argc, char** argv)
{
    VirtualDisplay server;
    XClient x(server.name());
    if (server.name().empty() || !x.connected()) {
        std::fprintf(stderr, "Xvfb did not start\n");
        return 1;
    }
    // The Windows builds under Wine: the latency row alone (the process that starts is
    // Wine's, so its memory says nothing of the program's).
    if (argc == 5 && std::string(argv[1]) == "--windows") {
        const Subject program{{argv[2], argv[3]}, kTitle, kProgram.leadingAnswers, kProgram.lastAnswer};
        const Subject minimal{{argv[2], argv[4]}, kMinimal.title, kMinimal.leadingAnswers, kMinimal.lastAnswer};
        const auto sides = startUps(x, server.name(), program, minimal);
        if (sides) {
            printLatency("Windows, under Wine: last answer to first frame: cube-rotation.exe / minimal GLUT .exe",
                         *sides);
        }
        return sides ? 0 : 1;
    }

    const auto sides = startUps(x, server.name(), kProgram, kMinimal);
    if (!sides) {
        return 1;
    }
    printLatency("last answer to first frame on screen: cube-rotation / minimal GLUT program", *sides);
    std::vector<double> memory;
    for (std::size_t i = 0; i < sides->ours.size(); ++i) {
        memory.push_back(static_cast<double>(sides->ours[i].peakKiB) / static_cast<double>(sides->bare[i].peakKiB));
    }
    const long peakOurs = sides->ours.back().peakKiB;
    const long peakMinimal = sides->bare.back().peakKiB;
    printRow("peak resident memory (VmHWM): cube-rotation / minimal GLUT program",
             format("%.3f×", median(memory)) + format(" (%.0f KiB", static_cast<double>(peakOurs)) +
                 format(" / %.0f KiB)", static_cast<double>(peakMinimal)),
             "≤ 1.05×");

    const auto ours = instructionsToFirstSwap(server.name(), kProgram);
    const auto minimal = instructionsToFirstSwap(server.name(), kMinimal);
    if (!ours || !minimal) {
        std::fprintf(stderr, "a callgrind run failed\n");
        return 1;
    }
    printRow("instructions until the first swap (callgrind): cube-rotation / minimal GLUT program",
             format("%.4f×", ours->total / minimal->total) + format(" (%.0f", ours->total) +
                 format(" / %.0f)", minimal->total),
             "");
    printRow("share of cube-rotation's instructions in its own code",
             format("%.4f%%", 100 * ours->own / ours->total) + format(" (%.0f instructions)", ours->own), "");
    return 0;
}
