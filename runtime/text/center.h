// Centred lines: titles, menu items, the time and date lines.
//
// With c columns and a text of n characters, a shorter text gets
// pad = c - n when that is below 2, else (c - n) / 2, plus one when c is odd
// and n even; it is written as pad spaces, the text, pad spaces and one more
// space. A text of c characters or more is cut to c and followed by a space.
// Anything past the last column is clipped.
#pragma once

namespace formwick {

// Writes `text` centred from the cursor (normally column 0 of a row).
void rt_center(const char* text, bool reverse);

// The message-box title: clears the screen and writes `text` in reverse
// video on row 0 with pad = 0 when c - n is below 2, else (c - n) / 2.
void rt_center_title(const char* text);

} // namespace formwick
