#include "program.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <thread>

using Console = OnScreen;

// The console texts never depend on the answers, and nothing else reaches either stream.
TEST_F(Console, EveryAnswerReachesTheWindowWithTheSameTexts)
{
    // The inputs every build is checked on, one a file, byte for byte.
    std::vector<std::filesystem::path> files(std::filesystem::directory_iterator(CUBE_CONSOLE_INPUTS), {});
    std::sort(files.begin(), files.end());
    ASSERT_GE(files.size(), 8U);
    for (const auto& file : files) {
        SCOPED_TRACE(file.filename());
        const std::string input = readFile(file);
        ProgramOnScreen program(*x, server.name(), input, programUnderTest());
        ASSERT_TRUE(program.window()) << program.noWindow();
        // The legend is flushed before the window opens, so it is all there by now.
        EXPECT_EQ(program.output(), consoleTextUnderTest());
        EXPECT_EQ(program.errors(), "");
        EXPECT_EQ(program.closeAndWait(), 0);
    }
}

// A person at a terminal fed through a pipe, or a script driving the program, answers each
// prompt only once it is there: so every prompt must be on the console, not waiting in the
// program's buffer, before the program waits for its answer. Standard output is a file
// here, which the C library buffers as fully as a pipe.
TEST_F(Console, EachPromptIsOnTheConsoleBeforeTheProgramWaitsForItsAnswer)
{
    const std::string dir = makeTempDir();
    const std::string answers = dir + "/answers";
    ASSERT_EQ(mkfifo(answers.c_str(), 0600), 0);
    // Open for both directions, so that neither this open nor the program's waits.
    const int fd = open(answers.c_str(), O_RDWR | O_CLOEXEC);
    ASSERT_GE(fd, 0);
    ChildProcess child = startProcessReading(programUnderTest(), answers, server.name(), dir);
    struct EndedAtLast {
        ChildProcess& child;
        ~EndedAtLast() { killProcess(child.pid); }
    } endedAtLast{child};

    const std::string text = consoleTextUnderTest();
    // Whether the program has written exactly the text up to the end of the line holding
    // `last` (the legend's last line has no end).
    auto writtenUpTo = [&](const std::string& last) {
        const std::size_t lineEnd = text.find('\n', text.find(last));
        const std::string expected = text.substr(0, lineEnd == std::string::npos ? lineEnd : lineEnd + 1);
        const auto deadline = std::chrono::steady_clock::now() + kStartTimeout;
        while (std::chrono::steady_clock::now() < deadline) {
            if (readFile(child.stdoutPath) == expected) {
                return true;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(20)); // the poll's interval; the deadline decides
        }
        return false;
    };
    for (const auto& [axis, answer] : {std::pair{"X osi?", "30\n"}, {"Y osi?", "45\n"}, {"Z osi?", "60\n"}}) {
        ASSERT_TRUE(writtenUpTo(axis)) << "the " << axis << " prompt is not on the console; written so far: "
                                       << readFile(child.stdoutPath);
        ASSERT_EQ(write(fd, answer, 3), 3);
    }
    EXPECT_TRUE(writtenUpTo("zuta")) << "the legend is not on the console";
    const auto window = x->waitForWindow(kTitle, kStartTimeout);
    ASSERT_TRUE(window) << readFile(child.stderrPath);
    x->close(*window);
    EXPECT_EQ(waitForExit(child.pid, kExitTimeout), 0);
    child.pid = -1;
    close(fd);
}
