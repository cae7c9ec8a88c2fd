#include "program.h"
#include "support/virtual_display.h"

#include <gtest/gtest.h>

TEST(Console, EveryAnswerReachesTheWindowWithTheSameTexts)
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
    VirtualDisplay server;
    ASSERT_FALSE(server.name().empty()) << "Xvfb did not start";
    XClient x(server.name());
    ASSERT_TRUE(x.connected());

    for (const char* input : inputs) {
        SCOPED_TRACE(testing::PrintToString(std::string(input)));
        ProgramOnScreen program(x, server.name(), input);
        ASSERT_TRUE(program.window()) << "no window; errors: " << program.errors();
        // The legend is flushed before the window opens, so it is all there by now.
        EXPECT_EQ(program.output(), kConsoleText);
        EXPECT_EQ(program.closeAndWait(), 0);
    }
}
