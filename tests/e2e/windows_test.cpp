#include "program.h"

#include <gtest/gtest.h>

#include <cstdio>

// The Windows build under Wine beside the native program, on the same virtual display: the
// same picture, and the console text in text mode with nothing on standard error. Run by
// the Windows build's tests, which name the .exe in CUBE_WINDOWS_PROGRAM.
using WindowsProgram = OnScreen;

namespace {

// Both draw with the same Mesa renderer, through GLX and through Wine's opengl32; a few
// pixels of line ends may still be rasterised apart.
constexpr int kMaxDifferingPixels = 1024 * 700 / 1000;

int differingPixels(const Snapshot& a, const Snapshot& b)
{
    int differing = 0;
    for (int row = 0; row < 700; ++row) {
        for (int column = 0; column < 1024; ++column) {
            const Rgb8 p = a.at(column, row);
            const Rgb8 q = b.at(column, row);
            differing += static_cast<int>(p.r != q.r || p.g != q.g || p.b != q.b);
        }
    }
    return differing;
}

} // namespace

TEST_F(WindowsProgram, DrawsWhatTheNativeProgramDraws)
{
    ASSERT_TRUE(testingWindowsProgram()) << "CUBE_WINDOWS_PROGRAM must name the .exe";
    // 1e39 degrees is an infinite angle, which leaves every rotated point NaN.
    for (const char* input : {"30\n45\n60\n", "0\n0\n0\n", "1e39\n", "90 90 180\n"}) {
        SCOPED_TRACE(testing::PrintToString(std::string(input)));
        ProgramOnScreen native(*x, server.name(), input, {kProgramPath});
        ASSERT_TRUE(native.window()) << native.noWindow();
        ASSERT_TRUE(native.waitForFrame());
        const Snapshot expected(x->display(), *native.window());
        ASSERT_TRUE(expected.valid());
        ASSERT_EQ(native.closeAndWait(), 0);

        ProgramOnScreen windows(*x, server.name(), input, programUnderTest());
        ASSERT_TRUE(windows.window()) << windows.noWindow();
        ASSERT_TRUE(windows.waitForFrame());
        const WindowSize size = x->size(*windows.window());
        ASSERT_EQ(size.width, 1024);
        ASSERT_EQ(size.height, 700);
        const Snapshot seen(x->display(), *windows.window());
        ASSERT_TRUE(seen.valid());
        const int differing = differingPixels(expected, seen);
        std::printf("%d of %d pixels differ for %s\n", differing, 1024 * 700,
                    testing::PrintToString(std::string(input)).c_str());
        EXPECT_LE(differing, kMaxDifferingPixels);
        EXPECT_EQ(windows.output(), consoleTextUnderTest());
        EXPECT_EQ(windows.errors(), "");
        EXPECT_EQ(windows.closeAndWait(), 0);
    }
}
