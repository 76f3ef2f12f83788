// The runtime's own printf-style formatting, before anything is drawn.
//
// A conversion is "%", flags ("-", "+", " ", "#", "0"), a width (digits or
// "*"), a precision ("." with digits or "*"; "." alone is 0), a size ("h"
// low 16 bits unsigned, "l" or nothing 32 bits) and a letter:
//   d i   signed decimal          u  unsigned decimal
//   o     octal                   x X hexadecimal, lower-case digits unless
//                                     "#" is given with X
//   c     one byte                s  byte string, precision in bytes
//   S     UTF-8 string: width and precision count characters and whole
//         characters are copied
//   C     nothing but its padding (takes one int argument)
// Any other letter, "%" included, is copied as it is. "#" also asks for zero
// padding; "+" cancels " ". A null string prints "(null)".
#pragma once

#include <cstdarg>
#include <cstddef>

namespace formwick {

// Formats into out[0..capacity), always NUL-terminated; text that does not
// fit is dropped. Returns the number of bytes stored.
std::size_t rt_vformat(char* out, std::size_t capacity, const char* format, va_list args);

// Number of bytes of the first `count` UTF-8 characters of s[0..length),
// decoded as the display decodes them.
std::size_t utf8_prefix_bytes(const char* s, std::size_t length, std::size_t count);

} // namespace formwick
