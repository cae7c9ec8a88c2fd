#pragma once

#include <array>
#include <cstddef>
#include <cstdio>
#include <string_view>

// Reads decimal numbers from a stdio stream. Skips white space, then converts the longest
// prefix of the form [+-] digits [. digits] [(e|E) [+-] digits] (at least one digit in the
// mantissa; an exponent counts only when digits follow its letter) to the nearest float.
// Everything after that prefix stays unread for the next call, even characters the reader
// had to look at to find the prefix's end. "nan", "inf" and hexadecimal are not numbers.
// A number of any length is read in constant memory.
struct NumberReader {
    std::FILE* stream = nullptr;
    std::array<char, 3> held{}; // taken from the stream but not consumed yet, oldest first
    std::size_t heldCount = 0;
};

// The characters the reader has taken from its stream but not consumed.
inline std::string_view heldBack(const NumberReader& reader) { return {reader.held.data(), reader.heldCount}; }

// Stores the number in `value` and returns true, or leaves `value` alone and returns false
// when the next non-blank characters do not start a number or the input has ended.
bool readNumber(NumberReader& reader, float& value);
