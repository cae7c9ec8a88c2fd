#include "app/decimal.h"
#include "app/number_reader.h"
#include "testkit/bits.h"
#include "testkit/byte_stream.h"
#include "testkit/reference_reader.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <optional>
#include <random>
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
    std::FILE* stream = streamHolding(input);
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
    outcome.left = std::string(heldBack(reader)) + restOf(stream);
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
        // past the largest float but below 10^39, where the exponent alone tells
        {"4e38", {kInf}, ""},
        {"-9.99e38", {-kInf}, ""},
        {"0.1", {0.1f}, ""},
        {"16777217", {16777216.0f}, ""},
        {"3.4028235e38", {std::numeric_limits<float>::max()}, ""},
        {"1e-46", {0.0f}, ""},
        {std::string("5\0 6", 4), {5.0f, none}, std::string("\0 6", 3)},
        {"1" + std::string(400, '0') + "e-400 x", {1.0f}, " x"},
        {"0." + std::string(1000, '0') + "1e1005", {10000.0f}, ""},
        {"1e" + std::string(5000, '9') + "x", {kInf}, "x"},
        {"-1e-" + std::string(5000, '9'), {-0.0f}, ""},
        {"0e" + std::string(5000, '9'), {0.0f}, ""},
        {std::string(3000, '0') + "." + std::string(3000, '0'), {0.0f}, ""},
        // exactly halfway between the largest float and 2^128, and just below: ties to even
        {"340282356779733661637539395458142568448", {kInf}, ""},
        {"340282356779733661637539395458142568447.9", {std::numeric_limits<float>::max()}, ""},
        // exactly half the smallest float, then a little more
        {"7.00649232162408535461864791644958065640130970938257885878534141944895541342930300743319094181060791015625e-"
         "46",
         {0.0f},
         ""},
        {"7.006492321624085354618647916449580656401309709382578858785341419448955413429303007433190941810607910156251e-"
         "46",
         {std::numeric_limits<float>::denorm_min()},
         ""},
        // the float halfway between 1 and its successor, then a tail that breaks the tie
        {"1.000000059604644775390625" + std::string(3000, '0'), {1.0f}, ""},
        {"1.000000059604644775390625" + std::string(3000, '0') + "1", {1.00000012f}, ""},
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

// Numbers longer than the reader keeps, generated: long runs of leading zeros and of
// trailing digits, exponents of thousands of digits, and float midpoints followed by a tail
// that does or does not break the tie. Each must read as strtof reads the whole number.
TEST(NumberReader, ReadsLongNumbersAsTheWholeTextWouldRead)
{
    std::mt19937 random(2026);
    auto below = [&](std::uint32_t n) { return random() % n; };
    auto digits = [&](std::size_t count) {
        std::string text;
        for (std::size_t i = 0; i < count; ++i) {
            text.push_back(static_cast<char>('0' + below(10)));
        }
        return text;
    };
    auto midpoint = [&](const std::string& tail) {
        // Halfway between a random finite float and the next one up, exact in double; the
        // tiniest floats have the longest midpoints (up to 113 significant digits).
        const std::uint32_t bits = below(2) != 0 ? random() & 0x7f7fffffu : random() & 0x00ffffffu;
        const float low = floatWithBits(bits);
        const double mid = (static_cast<double>(low) + std::nextafter(low, kInf)) / 2;
        char text[200];
        std::snprintf(text, sizeof text, "%.130e", mid);
        std::string number = text;
        return number.insert(number.find('e'), tail);
    };
    const char* signs[] = {"", "-", "+"};
    const char* tails[] = {"", " 7", "x", "e", "e+", "E-x", ".5", "\n-3"};
    for (int i = 0; i < 600; ++i) {
        std::string number = signs[below(3)];
        switch (i % 6) {
        case 0:
            number += std::string(below(5000), '0') + digits(1 + below(30));
            break;
        case 1:
            number += "0." + std::string(below(5000), '0') + digits(1 + below(30));
            break;
        case 2:
            number += digits(1 + below(40)) + "." + digits(below(20000));
            break;
        case 3:
            number += digits(1 + below(5)) + "e" + signs[below(3)] + digits(1 + below(3000));
            break;
        case 4:
            number += midpoint(std::string(below(400), '0') + (below(2) != 0 ? "1" : ""));
            break;
        default:
            number += digits(below(300)) + "." + digits(below(300)) + "e-" + digits(below(4));
            break;
        }
        const std::string input = number + tails[below(8)];
        SCOPED_TRACE("case " + std::to_string(i) + ": " + input.substr(0, 60));

        std::size_t position = 0;
        std::vector<std::optional<float>> expected;
        for (int read = 0; read < 3; ++read) {
            expected.push_back(referenceRead(input, position));
        }
        const Outcome outcome = readAll(input, 3);
        ASSERT_EQ(outcome.reads.size(), expected.size());
        for (std::size_t r = 0; r < expected.size(); ++r) {
            ASSERT_EQ(outcome.reads[r].has_value(), expected[r].has_value()) << "read " << r;
            if (expected[r]) {
                EXPECT_EQ(bitsOf(*outcome.reads[r]), bitsOf(*expected[r])) << "read " << r;
            }
        }
        EXPECT_EQ(outcome.left, input.substr(position));
    }
}

// The converter on its own, given decimals as wide as its digit buffer, which the reader
// never fills: halving one pushes digits past the end, which must be dropped yet still
// count for rounding. Each must convert as strtof converts the same digits.
TEST(NearestFloat, ConvertsDecimalsThatFillEveryDigit)
{
    std::mt19937 random(7);
    const struct {
        char lead; // the first digit; the rest are random, or all nines with lead '9'
        int point;
    } cases[] = {{'9', 1}, {'9', 39}, {'3', 39}, {'1', 0}, {'5', -37}, {'7', -40}, {'1', -44}, {'9', -45}};
    for (const auto& c : cases) {
        Decimal d;
        d.count = static_cast<int>(d.digits.size());
        d.point = c.point;
        std::string text = "0.";
        for (std::size_t i = 0; i < d.digits.size(); ++i) {
            const auto digit = static_cast<std::uint8_t>(i == 0 || c.lead == '9' ? c.lead - '0' : random() % 10);
            d.digits[i] = digit;
            text.push_back(static_cast<char>('0' + digit));
        }
        text += "e" + std::to_string(c.point);
        SCOPED_TRACE(text.substr(0, 12) + "... " + text.substr(text.size() - 6));
        EXPECT_EQ(bitsOf(nearestFloat(d)), bitsOf(std::strtof(text.c_str(), nullptr)));
    }
}
