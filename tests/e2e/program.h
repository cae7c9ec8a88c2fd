#pragma once

#include "testkit/program_on_screen.h"
#include "testkit/virtual_display.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <vector>

inline const std::string kProgramPath = CUBE_ROTATION_PATH;

// The program the tests run: the native build's, or the Windows build's .exe under Wine
// when CUBE_WINDOWS_PROGRAM names it (and CUBE_WINE the script that runs it).
inline bool testingWindowsProgram() { return std::getenv("CUBE_WINDOWS_PROGRAM") != nullptr; }

inline std::string wineRunner()
{
    const char* wine = std::getenv("CUBE_WINE");
    return wine != nullptr ? wine : "wine";
}

inline std::vector<std::string> programUnderTest()
{
    if (!testingWindowsProgram()) {
        return {kProgramPath};
    }
    return {wineRunner(), std::getenv("CUBE_WINDOWS_PROGRAM")};
}

// What the program under test writes: on Windows the console is in text mode, so every
// line ends in CR LF.
inline std::string consoleTextUnderTest()
{
    if (!testingWindowsProgram()) {
        return kConsoleText;
    }
    std::string text;
    for (const char c : kConsoleText) {
        text += c == '\n' ? "\r\n" : std::string(1, c);
    }
    return text;
}

// A virtual X server and a client connection to it, new for each test.
class OnScreen : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_FALSE(server.name().empty()) << "Xvfb did not start";
        x = std::make_unique<XClient>(server.name());
        ASSERT_TRUE(x->connected());
    }

    // The Wine server's desktop is on this test's display: it ends before the display does
    // (why: testkit/wine.sh --end).
    void TearDown() override
    {
        if (testingWindowsProgram()) {
            const ChildProcess end = startProcess({wineRunner(), "--end"}, "", server.name(), makeTempDir());
            const std::optional<int> ended = waitForExit(end.pid, kExitTimeout);
            EXPECT_EQ(ended, 0) << "the Wine server did not end: " << readFile(end.stderrPath);
            if (!ended) {
                killProcess(end.pid);
            }
        }
    }

    VirtualDisplay server;
    std::unique_ptr<XClient> x;
};
