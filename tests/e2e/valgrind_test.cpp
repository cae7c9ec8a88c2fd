#include "program.h"

#include <gtest/gtest.h>

// One whole run under memcheck: answers, window, first frame, closed by the window manager.
// Any error or leak that the suppressions (the loader's read while Mesa's GLX loads its
// driver, and the allocations that Mesa's driver and, on Debian 13, Mesa's GLX keep to the
// end) do not cover makes valgrind exit with 99.
using Valgrind = OnScreen;

TEST_F(Valgrind, AWholeRunHasNoMemoryErrorsOrLeaks)
{
    ProgramOnScreen program(*x, server.name(), "30\n45\n60\n",
                            {"valgrind", "--error-exitcode=99", "--leak-check=full",
                             "--show-leak-kinds=definite,indirect", "--errors-for-leak-kinds=definite,indirect",
                             "--num-callers=40", "--keep-debuginfo=yes", "--suppressions=" VALGRIND_SUPPRESSIONS,
                             kProgramPath});
    ASSERT_TRUE(program.window()) << program.noWindow();
    ASSERT_TRUE(program.waitForFrame());
    EXPECT_EQ(program.output(), kConsoleText);
    EXPECT_EQ(program.closeAndWait(), 0) << program.errors();
}
