// The runtime's text output: every runtime screen is written through
// rt_printf, which formats (runtime/text/format.h) and then draws the text
// itself, character by character, from the display's cursor:
//   "\t" "r"  toggles reverse video (both bytes consumed); "\t" before any
//             other byte goes to the display as its escape
//   "\n"      next row, column 0 (no scrolling)
//   "\f"      clears the screen, column and row 0
//   "\r"      ignored
//   other     one UTF-8 character (at most three bytes; an invalid byte
//             draws "*"), mapped to a glyph of the current font and drawn
//             with display_glyph; characters past the last column or row
//             are clipped.
// The display is refreshed once at the end and its cursor left where the
// text stopped.
#pragma once

#include <cstddef>

namespace formwick {

// Formats and draws; returns the number of bytes produced.
int rt_printf(const char* format, ...);

// Draws already formatted text as rt_printf does.
void rt_draw_text(const char* text, std::size_t length);

// Characters in a UTF-8 text (an invalid byte counts as one).
int rt_text_length(const char* text);

// Characters per row in the current font: 128 / glyph width.
int rt_columns();

// Text rows of the current font: 128 / glyph height.
int rt_rows();

// Places the display's cursor.
void rt_goto(int column, int row);

} // namespace formwick
