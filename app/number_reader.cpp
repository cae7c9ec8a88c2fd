#include "number_reader.h"

#include "decimal.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <tuple>

namespace {

constexpr int kEnd = -1;

// A float halfway between two neighbours has at most 113 significant decimal digits, so
// keeping more than that, and whether any non-zero digit was dropped, decides the rounding.
constexpr std::size_t kKeptDigits = 128;
static_assert(kKeptDigits <= std::tuple_size_v<decltype(Decimal::digits)>);

// Counts are held below this, far beyond any input that can be read, so sums cannot overflow.
constexpr std::int64_t kCountLimit = 1'000'000'000'000'000'000;

// Past this decimal exponent every mantissa 0.1 <= m < 1 is an infinity or a zero.
constexpr std::int64_t kExponentLimit = 1000;

// Character `index` (0 to 2) of the unconsumed input, or kEnd when the stream has no more.
int peek(NumberReader& reader, std::size_t index)
{
    while (reader.heldCount <= index) {
        const int c = std::fgetc(reader.stream);
        if (c == EOF) {
            return kEnd;
        }
        reader.held.at(reader.heldCount++) = static_cast<char>(c);
    }
    return static_cast<unsigned char>(reader.held.at(index));
}

// Drops the first `count` characters held back (all of them at most).
void consume(NumberReader& reader, std::size_t count)
{
    for (std::size_t i = count; i < reader.heldCount; ++i) {
        reader.held.at(i - count) = reader.held.at(i);
    }
    reader.heldCount -= count;
}

bool isBlank(int c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }

bool isDigit(int c) { return c >= '0' && c <= '9'; }

bool isSign(int c) { return c == '+' || c == '-'; }

std::int64_t saturatingStep(std::int64_t count, std::int64_t step)
{
    return std::clamp(count + step, -kCountLimit, kCountLimit);
}

// The mantissa as it streams in: its leading significant digits go straight into the
// decimal that is converted; where its point falls is counted wide, as `scale`
// (value = 0.digits * 10^scale), and fitted into the decimal's point at the end.
struct Mantissa {
    Decimal decimal;
    std::int64_t scale = 0;
};

void addDigit(Mantissa& mantissa, int c, bool beforePoint)
{
    Decimal& d = mantissa.decimal;
    if (d.count == 0 && c == '0') {
        if (!beforePoint) {
            mantissa.scale = saturatingStep(mantissa.scale, -1); // a leading zero after the point
        }
        return;
    }
    if (beforePoint) {
        mantissa.scale = saturatingStep(mantissa.scale, 1);
    }
    if (d.count < static_cast<int>(kKeptDigits)) {
        d.digits.at(static_cast<std::size_t>(d.count++)) = static_cast<std::uint8_t>(c - '0');
    } else if (c != '0') {
        d.truncated = true;
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

} // namespace

bool readNumber(NumberReader& reader, float& value)
{
    while (isBlank(peek(reader, 0))) {
        consume(reader, 1);
    }

    // Nothing is consumed until a digit shows that a number starts here.
    const int first = peek(reader, 0);
    const std::size_t sign = isSign(first) ? 1 : 0;
    const bool startsNumber =
        isDigit(peek(reader, sign)) || (peek(reader, sign) == '.' && isDigit(peek(reader, sign + 1)));
    if (!startsNumber) {
        return false;
    }
    consume(reader, sign);

    Mantissa mantissa;
    mantissa.decimal.negative = first == '-';
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

    mantissa.decimal.point = static_cast<int>(std::clamp(mantissa.scale + exponent, -kExponentLimit, kExponentLimit));
    value = nearestFloat(mantissa.decimal);
    return true;
}
