// Reading text back off a composed screen, so scripts and tests can check
// what the screen shows.
#pragma once

#include "simulator/core/display/font_view.h"
#include "simulator/core/display/screen.h"

#include <string>
#include <vector>

namespace formwick {

// Splits the screen into cells of `font` (rows start at `text_y_offset`) and
// recognises each cell as a glyph drawn normally or in reverse video. A cell
// that matches no glyph, not even with its bottom row ignored (where the
// cursor underline sits), reads as "?". Returns one UTF-8 line per text
// row, without trailing spaces. A reverse-video blank reads as a space.
// Works for fonts in the built-in glyph layout (built-in and narrow custom
// fonts).
std::vector<std::string> read_screen_text(const Screen& screen, const FontView& font, int text_y_offset = 0);

// read_screen_text at every text y offset from 0 to the glyph height - 1,
// in that order, for text whose rows may start anywhere.
std::vector<std::vector<std::string>> read_screen_text_every_offset(const Screen& screen, const FontView& font);

} // namespace formwick
