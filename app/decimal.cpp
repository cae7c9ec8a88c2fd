#include "decimal.h"

#include <array>
#include <cstdint>
#include <cstring>

// The decimal is halved or doubled (shifting its digits) until it lies in [1/2, 1), the
// powers of two counted; then 24 bits are shifted above the point and rounded. Exact, since
// every step works on the decimal digits themselves: the same slow path that Go's strconv
// takes, cut down to one format. Why it is ours and not a library's: docs/development.md.

namespace {

constexpr int kMantissaBits = 23;
constexpr int kBias = -127;
constexpr int kMaxShift = 60; // a digit times 2^60 still fits in 64 bits with its carry

// Powers of two to shift by to move the decimal point by one place or more: 2^powers[i] is
// the most that takes i decimal places.
constexpr std::array<int, 9> kPowers = {1, 3, 6, 9, 13, 16, 19, 23, 26};

void trim(Decimal& d)
{
    while (d.count > 0 && d.digits[d.count - 1] == 0) {
        --d.count;
    }
    if (d.count == 0) {
        d.point = 0;
    }
}

// Divides by 2^k.
void shiftRight(Decimal& d, int k)
{
    int read = 0;
    int write = 0;
    std::uint64_t n = 0;
    for (; (n >> k) == 0; ++read) {
        if (read >= d.count) {
            while ((n >> k) == 0) {
                n *= 10;
                ++read;
            }
            break;
        }
        n = (n * 10) + d.digits[read];
    }
    d.point -= read - 1;
    const std::uint64_t mask = (std::uint64_t{1} << k) - 1;
    for (; read < d.count; ++read) {
        const std::uint64_t digit = n >> k;
        n &= mask;
        d.digits[write++] = static_cast<std::uint8_t>(digit);
        n = (n * 10) + d.digits[read];
    }
    while (n > 0) {
        const std::uint64_t digit = n >> k;
        n &= mask;
        if (write < static_cast<int>(d.digits.size())) {
            d.digits[write++] = static_cast<std::uint8_t>(digit);
        } else if (digit > 0) {
            d.truncated = true;
        }
        n *= 10;
    }
    d.count = write;
    trim(d);
}

// Multiplies by 2^k, working from the last digit up into a scratch copy.
void shiftLeft(Decimal& d, int k)
{
    std::array<std::uint8_t, sizeof(Decimal::digits) + 20> reversed{};
    int produced = 0;
    std::uint64_t n = 0;
    for (int read = d.count - 1; read >= 0 || n > 0; --read) {
        if (read >= 0) {
            n += std::uint64_t{d.digits[read]} << k;
        }
        reversed[produced++] = static_cast<std::uint8_t>(n % 10);
        n /= 10;
    }
    d.point += produced - d.count;
    const int kept = produced < static_cast<int>(d.digits.size()) ? produced : static_cast<int>(d.digits.size());
    for (int i = kept; i < produced; ++i) {
        if (reversed[produced - 1 - i] != 0) {
            d.truncated = true;
        }
    }
    for (int i = 0; i < kept; ++i) {
        d.digits[i] = reversed[produced - 1 - i];
    }
    d.count = kept;
    trim(d);
}

void shift(Decimal& d, int k)
{
    if (d.count == 0) {
        return;
    }
    for (; k > kMaxShift; k -= kMaxShift) {
        shiftLeft(d, kMaxShift);
    }
    for (; k < -kMaxShift; k += kMaxShift) {
        shiftRight(d, kMaxShift);
    }
    if (k > 0) {
        shiftLeft(d, k);
    } else if (k < 0) {
        shiftRight(d, -k);
    }
}

// Whether the digits from `at` on make the integer part round up: more than half, or
// exactly half with an odd digit before (ties to even), or half with dropped digits after.
bool roundsUp(const Decimal& d, int at)
{
    if (at < 0 || at >= d.count) {
        return false;
    }
    if (d.digits[at] == 5 && at + 1 == d.count) {
        return d.truncated || (at > 0 && d.digits[at - 1] % 2 == 1);
    }
    return d.digits[at] >= 5;
}

// The integer part, rounded to nearest; the caller keeps it below 2^25.
std::uint32_t roundedInteger(const Decimal& d)
{
    std::uint32_t n = 0;
    int i = 0;
    for (; i < d.point && i < d.count; ++i) {
        n = (n * 10) + d.digits[i];
    }
    for (; i < d.point; ++i) {
        n *= 10;
    }
    return roundsUp(d, d.point) ? n + 1 : n;
}

float withBits(std::uint32_t bits)
{
    float value = 0.0f;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

} // namespace

float nearestFloat(Decimal d)
{
    const std::uint32_t sign = d.negative ? 0x80000000u : 0u;
    const std::uint32_t infinity = sign | 0x7f800000u;
    trim(d);
    if (d.count == 0 || d.point < -50) { // below 10^-51, far under half the smallest float
        return withBits(sign);
    }
    if (d.point > 40) { // at least 10^39, past the largest float
        return withBits(infinity);
    }

    int exponent = 0;
    while (d.point > 0) {
        const int n = d.point >= static_cast<int>(kPowers.size()) ? 27 : kPowers[d.point];
        shift(d, -n);
        exponent += n;
    }
    while (d.point < 0 || (d.point == 0 && d.digits[0] < 5)) {
        const int n = -d.point >= static_cast<int>(kPowers.size()) ? 27 : kPowers[-d.point];
        shift(d, n);
        exponent -= n;
    }
    --exponent; // from [1/2, 1) to [1, 2)

    // Below the smallest normal exponent the float is subnormal: fewer bits are kept.
    if (exponent < kBias + 1) {
        const int n = kBias + 1 - exponent;
        shift(d, -n);
        exponent += n;
    }
    if (exponent - kBias >= 0xff) {
        return withBits(infinity);
    }

    shift(d, 1 + kMantissaBits);
    std::uint32_t mantissa = roundedInteger(d);
    if (mantissa == (2u << kMantissaBits)) { // rounding carried into a new bit
        mantissa >>= 1;
        ++exponent;
        if (exponent - kBias >= 0xff) {
            return withBits(infinity);
        }
    }
    if ((mantissa & (1u << kMantissaBits)) == 0) {
        exponent = kBias; // subnormal
    }
    const auto biased = static_cast<std::uint32_t>(exponent - kBias) & 0xffu;
    return withBits(sign | (biased << kMantissaBits) | (mantissa & ((1u << kMantissaBits) - 1)));
}
