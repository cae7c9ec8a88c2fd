#include "program.h"

#include <gtest/gtest.h>

using Console = OnScreen;

TEST_F(Console, EveryAnswerReachesTheWindowWithTheSameTexts)
{
    const char* inputs[] = {
        // clang-format off
        "30\n45\n60\n",   // a plain dialogue
        "30 45 60\n",     // three answers on one line
        "30abc\n",        // letters after the number
        "30\n",           // input ends after the first answer
        "\n\n\n30\n45\n60\n",
        "abc\n",          // not a number at the first prompt
        "",
        // clang-format on
    };
    for (const char* input : inputs) {
        SCOPED_TRACE(testing::PrintToString(std::string(input)));
        ProgramOnScreen program(*x, server.name(), input);
        ASSERT_TRUE(program.window()) << "no window; errors: " << program.errors();
        // The legend is flushed before the window opens, so it is all there by now.
        EXPECT_EQ(program.output(), kConsoleText);
        EXPECT_EQ(program.closeAndWait(), 0);
    }
}
