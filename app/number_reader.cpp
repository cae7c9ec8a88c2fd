#include "number_reader.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>

namespace {

constexpr int kEnd = -1;

// A float halfway between two neighbours has at most 113 significant decimal digits, so
// keeping more than that, plus one digit standing for any non-zero digits dropped, never
// moves a number across a rounding boundary.
constexpr std::size_t kKeptDigits = 128;

// Counts are held below this, far beyond any input that can be read, so sums cannot overflow.
constexpr std::int64_t kCountLimit = 1'000'000'000'000'000'000;

// Past this decimal exponent every mantissa 0.1 <= m < 1 rounds to infinity or to zero.
constexpr std::int64_t kExponentLimit = 1000;

// Character `index` (0 to 2) of the unconsumed input, or kEnd when the stream has no more.
int peek(NumberReader& reader, std::size_t index)
{
    while (reader.lookahead.size() <= index) {
        const int c = std::fgetc(reader.stream);
        if (c == EOF) {
            return kEnd;
        }
        reader.lookahead.push_back(static_cast<char>(c));
    }
    return static_cast<unsigned char>(reader.lookahead[index]);
}

void consume(NumberReader& reader, std::size_t count) { reader.lookahead.erase(0, count); }

bool isBlank(int c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }

bool isDigit(int c) { return c >= '0' && c <= '9'; }

bool isSign(int c) { return c == '+' || c == '-'; }

std::int64_t saturatingStep(std::int64_t count, std::int64_t step)
{
    return std::clamp(count + step, -kCountLimit, kCountLimit);
}

// What decides the nearest float of a decimal mantissa: its leading significant digits,
// whether a non-zero digit follows them, and where the decimal point falls. The value is
// 0.digits * 10^scale; no digits kept means zero.
struct Mantissa {
    std::array<char, kKeptDigits> digits{};
    std::size_t kept = 0;
    bool nonZeroDropped = false;
    std::int64_t scale = 0;
};

void addDigit(Mantissa& mantissa, int c, bool beforePoint)
{
    if (mantissa.kept == 0 && c == '0') {
        if (!beforePoint) {
            mantissa.scale = saturatingStep(mantissa.scale, -1); // a leading zero after the point
        }
        return;
    }
    if (beforePoint) {
        mantissa.scale = saturatingStep(mantissa.scale, 1);
    }
    if (mantissa.kept < mantissa.digits.size()) {
        mantissa.digits.at(mantissa.kept++) = static_cast<char>(c);
    } else if (c != '0') {
        mantissa.nonZeroDropped = true;
    }
}

// Streams the digits at the front of the input into `mantissa`.
void readDigits(NumberReader& reader, Mantissa& mantissa, bool beforePoint)
{
    for (int c = peek(reader, 0); isDigit(c); c = peek(reader, 0)) {
        addDigit(mantissa, c, beforePoint);
        consume(reader, 1);
    }
}

// The exponent's digits, with a magnitude held at kCountLimit.
std::int64_t readExponent(NumberReader& reader)
{
    std::int64_t exponent = 0;
    for (int c = peek(reader, 0); isDigit(c); c = peek(reader, 0)) {
        exponent = exponent < kCountLimit / 10 ? (exponent * 10) + (c - '0') : kCountLimit;
        consume(reader, 1);
    }
    return exponent;
}

// The shortest text strtof reads as the same float as the whole number would be.
std::string equivalentText(bool negative, const Mantissa& mantissa, std::int64_t exponent)
{
    std::string text = negative ? "-0" : "0";
    if (mantissa.kept == 0) {
        return text;
    }
    text += '.';
    text.append(mantissa.digits.data(), mantissa.kept);
    if (mantissa.nonZeroDropped) {
        text += '1';
    }
    text += 'e';
    text += std::to_string(std::clamp(mantissa.scale + exponent, -kExponentLimit, kExponentLimit));
    return text;
}

} // namespace

bool readNumber(NumberReader& reader, float& value)
{
    while (isBlank(peek(reader, 0))) {
        consume(reader, 1);
    }

    // Nothing is consumed until a digit shows that a number starts here.
    const int first = peek(reader, 0);
    const std::size_t sign = isSign(first) ? 1 : 0;
    if (!isDigit(peek(reader, sign)) && !(peek(reader, sign) == '.' && isDigit(peek(reader, sign + 1)))) {
        return false;
    }
    consume(reader, sign);

    Mantissa mantissa;
    readDigits(reader, mantissa, true);
    if (peek(reader, 0) == '.') {
        consume(reader, 1);
        readDigits(reader, mantissa, false);
    }

    std::int64_t exponent = 0;
    const int e = peek(reader, 0);
    if (e == 'e' || e == 'E') {
        const int exponentSign = peek(reader, 1);
        const std::size_t letters = isSign(exponentSign) ? 2 : 1;
        if (isDigit(peek(reader, letters))) {
            consume(reader, letters);
            exponent = readExponent(reader);
            if (exponentSign == '-') {
                exponent = -exponent;
            }
        }
    }

    value = std::strtof(equivalentText(first == '-', mantissa, exponent).c_str(), nullptr);
    return true;
}
