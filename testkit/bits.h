#pragma once

#include <cstdint>
#include <cstring>

// Exact comparison of floats: +0.0 and -0.0 differ, and NaN equals the same NaN. memcpy
// rather than std::bit_cast, which not every standard library built for here has.
inline std::uint32_t bitsOf(float value)
{
    std::uint32_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

// The float whose bits are `bits`.
inline float floatWithBits(std::uint32_t bits)
{
    float value = 0.0f;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}
