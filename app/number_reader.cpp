#include "number_reader.h"

#include <cstdlib>

namespace {

constexpr int kEnd = -1;

// Character `index` of the unconsumed input, or kEnd when the stream has no more.
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

bool isBlank(int c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }

bool isDigit(int c) { return c >= '0' && c <= '9'; }

bool isSign(int c) { return c == '+' || c == '-'; }

// Advances `index` over digits and returns how many there were.
std::size_t skipDigits(NumberReader& reader, std::size_t& index)
{
    const std::size_t start = index;
    while (isDigit(peek(reader, index))) {
        ++index;
    }
    return index - start;
}

} // namespace

bool readNumber(NumberReader& reader, float& value)
{
    std::size_t blanks = 0;
    while (isBlank(peek(reader, blanks))) {
        ++blanks;
    }
    reader.lookahead.erase(0, blanks);

    std::size_t end = 0;
    if (isSign(peek(reader, end))) {
        ++end;
    }
    std::size_t digits = skipDigits(reader, end);
    if (peek(reader, end) == '.') {
        ++end;
        digits += skipDigits(reader, end);
    }
    if (digits == 0) {
        return false;
    }

    const int e = peek(reader, end);
    if (e == 'e' || e == 'E') {
        std::size_t exponent = end + 1;
        if (isSign(peek(reader, exponent))) {
            ++exponent;
        }
        if (skipDigits(reader, exponent) > 0) {
            end = exponent;
        }
    }

    // Only the prefix reaches strtof, so none of its wider syntax can apply.
    const std::string number = reader.lookahead.substr(0, end);
    reader.lookahead.erase(0, end);
    value = std::strtof(number.c_str(), nullptr);
    return true;
}
