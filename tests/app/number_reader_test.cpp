#include "app/number_reader.h"
#include "support/bits.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <limits>
#include <optional>
#include <string>
#include <vector>

namespace {

constexpr float kUntouched = 7.0f; // the value a read that converts nothing must leave
constexpr float kInf = std::numeric_limits<float>::infinity();

struct Outcome {
    std::vector<std::optional<float>> reads; // nullopt: the read converted nothing
    std::string left;                        // what a later reader would still get
};

Outcome readAll(const std::string& input, std::size_t reads)
{
    std::FILE* stream = fmemopen(const_cast<char*>(input.data()), input.size(), "r");
    Outcome outcome;
    NumberReader reader{stream, {}};
    for (std::size_t i = 0; i < reads; ++i) {
        float value = kUntouched;
        if (readNumber(reader, value)) {
            outcome.reads.emplace_back(value);
        } else {
            EXPECT_EQ(bitsOf(value), bitsOf(kUntouched));
            outcome.reads.emplace_back();
        }
    }
    outcome.left = reader.lookahead;
    for (int c; (c = std::fgetc(stream)) != EOF;) {
        outcome.left.push_back(static_cast<char>(c));
    }
    std::fclose(stream);
    return outcome;
}

} // namespace

TEST(NumberReader, ConvertsTheLongestDecimalPrefixAndLeavesTheRest)
{
    const std::nullopt_t none = std::nullopt;
    const struct {
        std::string input;
        std::vector<std::optional<float>> reads;
        std::string left;
    } cases[] = {
        {"30\n", {30.0f}, "\n"},
        {"\n\n  \t 45\n", {45.0f}, "\n"},
        {"-0", {-0.0f}, ""},
        {"+2.5", {2.5f}, ""},
        {".5 5.", {0.5f, 5.0f}, ""},
        {"1e3 1E-2x", {1000.0f, 0.01f}, "x"},
        {"1e", {1.0f}, "e"},
        {"1e+z", {1.0f}, "e+z"},
        {"100ergs", {100.0f}, "ergs"},
        {"0x10", {0.0f}, "x10"},
        {"1.5.3", {1.5f, 0.3f}, ""},
        {"30abc\n", {30.0f, none}, "abc\n"},
        {"30 45 60\n", {30.0f, 45.0f, 60.0f}, "\n"},
        {"nan", {none, none}, "nan"},
        {"inf", {none}, "inf"},
        {"inxyz", {none}, "inxyz"},
        {"-x", {none}, "-x"},
        {"+.e5", {none}, "+.e5"},
        {"", {none, none}, ""},
        {"  \n", {none}, ""},
        {"1e39", {kInf}, ""},
        {"-1e39", {-kInf}, ""},
        {"0.1", {0.1f}, ""},
        {"16777217", {16777216.0f}, ""},
        {"3.4028235e38", {std::numeric_limits<float>::max()}, ""},
        {"1e-46", {0.0f}, ""},
        {std::string("5\0 6", 4), {5.0f, none}, std::string("\0 6", 3)},
        {"1" + std::string(400, '0') + "e-400 x", {1.0f}, " x"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("input \"" + c.input + "\"");
        const Outcome outcome = readAll(c.input, c.reads.size());
        ASSERT_EQ(outcome.reads.size(), c.reads.size());
        for (std::size_t i = 0; i < c.reads.size(); ++i) {
            ASSERT_EQ(outcome.reads[i].has_value(), c.reads[i].has_value()) << "read " << i;
            if (c.reads[i]) {
                EXPECT_EQ(bitsOf(*outcome.reads[i]), bitsOf(*c.reads[i])) << "read " << i;
            }
        }
        EXPECT_EQ(outcome.left, c.left);
    }
}
