#pragma once

#include <cstdlib>
#include <optional>
#include <string>

// The plain way to read one number as NumberReader does: hold the whole prefix and give it
// to strtof. Memory grows with the number, so it serves only as the oracle the constant
// memory reader must match. Reads from `input` at `position` and moves past the number.
inline std::optional<float> referenceRead(const std::string& input, std::size_t& position)
{
    auto at = [&](std::size_t i) { return i < input.size() ? input[i] : '\0'; };
    auto isDigit = [](char c) { return c >= '0' && c <= '9'; };
    auto skipDigits = [&](std::size_t& i) {
        const std::size_t start = i;
        while (i < input.size() && isDigit(input[i])) {
            ++i;
        }
        return i - start;
    };
    while (position < input.size() && std::string(" \t\n\v\f\r").find(input[position]) != std::string::npos) {
        ++position;
    }
    std::size_t end = position;
    if (at(end) == '+' || at(end) == '-') {
        ++end;
    }
    std::size_t digits = skipDigits(end);
    if (at(end) == '.') {
        ++end;
        digits += skipDigits(end);
    }
    if (digits == 0) {
        return std::nullopt;
    }
    if (at(end) == 'e' || at(end) == 'E') {
        std::size_t exponent = end + 1;
        if (at(exponent) == '+' || at(exponent) == '-') {
            ++exponent;
        }
        if (skipDigits(exponent) > 0) {
            end = exponent;
        }
    }
    const std::string number = input.substr(position, end - position);
    position = end;
    return std::strtof(number.c_str(), nullptr);
}
