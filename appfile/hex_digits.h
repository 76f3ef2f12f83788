// Decoding of the upper-case hexadecimal digits of HEX records.
#pragma once

#include <cstdint>
#include <string_view>

namespace formwick {

// 0..15 for "0".."9" and "A".."F", -1 for anything else (lower case included).
inline int hex_digit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// The byte of the two digits at `pos`, or -1 when they are missing or not digits.
inline int hex_byte_at(std::string_view line, std::size_t pos) {
    if (pos + 2 > line.size()) return -1;
    int hi = hex_digit(line[pos]), lo = hex_digit(line[pos + 1]);
    return hi < 0 || lo < 0 ? -1 : hi * 16 + lo;
}

// The 16-bit value of the four digits at `pos`, or -1.
inline long hex_word_at(std::string_view line, std::size_t pos) {
    int hi = hex_byte_at(line, pos), lo = hex_byte_at(line, pos + 2);
    return hi < 0 || lo < 0 ? -1 : hi * 256L + lo;
}

} // namespace formwick
