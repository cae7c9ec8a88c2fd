#include "program.h"
#include "support/console_inputs.h"

#include <gtest/gtest.h>

using Console = OnScreen;

// The console texts never depend on the answers, and nothing else reaches either stream.
TEST_F(Console, EveryAnswerReachesTheWindowWithTheSameTexts)
{
    const std::vector<std::string> inputs = consoleInputs(CUBE_CONSOLE_INPUTS);
    ASSERT_GE(inputs.size(), 8U);
    for (const std::string& input : inputs) {
        SCOPED_TRACE(testing::PrintToString(input.substr(0, 40)));
        ProgramOnScreen program(*x, server.name(), input);
        ASSERT_TRUE(program.window()) << "no window; errors: " << program.errors();
        // The legend is flushed before the window opens, so it is all there by now.
        EXPECT_EQ(program.output(), consoleTextUnderTest());
        EXPECT_EQ(program.errors(), "");
        EXPECT_EQ(program.closeAndWait(), 0);
    }
}
