#include "program.h"

#include <gtest/gtest.h>

// With no X display at all, the dialogue still runs to its end; GLUT then reports that it
// cannot open a display and ends the process with a failure, without hanging.
TEST(Console, WithoutADisplayTheTextsComeAndGlutFails)
{
    const std::string dir = makeTempDir();
    const ChildProcess child = startProcess({kProgramPath}, "30 45 60\n", std::nullopt, dir);
    const auto status = waitForExit(child.pid, kExitTimeout);
    if (!status) {
        killProcess(child.pid);
    }
    ASSERT_TRUE(status) << "still running without a display";
    EXPECT_EQ(*status, 1); // GLUT's own failure; a sanitizer report would change it
    EXPECT_EQ(readFile(child.stdoutPath), kConsoleText);
    EXPECT_NE(readFile(child.stderrPath).find("failed to open display"), std::string::npos);
}
