// Character mapping from decoded UTF-8 text to glyph numbers of the current
// font, shared by the runtime's formatter and the display's own UTF-8 output.
#pragma once

#include <cstddef>

namespace formwick {

inline constexpr int kCodePointInvalid = -1; // draws "*"
inline constexpr int kCodePointBom = -2;     // EF BB BF

// Decodes one character of at most three bytes from s[0..length). Returns the
// number of bytes consumed (1 for an invalid byte) and the code point, or
// kCodePointInvalid / kCodePointBom, in `code_point`.
std::size_t utf8_decode_display(const unsigned char* s, std::size_t length, int& code_point);

// The glyph code for a decoded code point: the code page table (or, with a
// wide font, the Latin table for 128..255). "?" (63) when there is none,
// "*" (42) for kCodePointInvalid. The euro sign gives glyph 127 directly, so
// glyph 128 stays the C with cedilla. With a wide font the result is a code
// point for the font's presence map (the byte-order mark gives 0).
int glyph_for_code_point(int code_point, bool wide_font);

// The character that glyph 0..255 of the built-in fonts shows (0 for the
// empty glyph 0), or -1 outside 0..255. Used to read text back off a screen
// and to lay out the font tables.
int glyph_code_point(int glyph);

} // namespace formwick
