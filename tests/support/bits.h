#pragma once

#include <bit>
#include <cstdint>

// Exact comparison of floats: +0.0 and -0.0 differ, and NaN equals the same NaN.
inline std::uint32_t bitsOf(float value) { return std::bit_cast<std::uint32_t>(value); }
