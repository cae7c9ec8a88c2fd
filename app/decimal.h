#pragma once

#include <array>
#include <cstdint>

// A decimal number as a string of digits, for converting exactly to the nearest float: the
// value is 0.d[0] d[1] ... d[count-1] * 10^point, and `truncated` records that non-zero
// digits were dropped after the last one kept (so the value is a little above the digits).
// Room for 800 digits: halving and doubling a number of up to 128 significant digits on
// its way into float range never needs more.
struct Decimal {
    std::array<std::uint8_t, 800> digits{}; // 0..9, most significant first
    int count = 0;
    int point = 0;
    bool negative = false;
    bool truncated = false;
};

// The float nearest to `decimal`, ties to even, as strtof rounds: infinity past the
// largest float, and a zero of the decimal's sign below half the smallest one.
float nearestFloat(Decimal decimal);
