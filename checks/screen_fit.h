// What fits on the 128 x 128 display, measured with the fonts and the
// character mapping the runtime and the simulated display use.
#pragma once

#include "model/parameters.h"

#include <string>
#include <string_view>

namespace formwick {

struct FontCells {
    int width = 8;
    int height = 16;
    bool wide = false; // a wide custom font: characters map through the Latin table
    std::string name;  // "Large", "Medium", "Custom"

    int columns() const { return 128 / width; }
    int rows() const { return 128 / height; }
};

// The font of a font choice (0 Large, 1 Medium, 2 Custom) as the runtime
// selects it: Custom without a custom font falls back to Large.
FontCells font_cells(const CParameters& p, int font_choice);

// Characters of a UTF-8 text as the display counts them.
int text_chars(std::string_view utf8);

// The first character of the text that the font draws as "?" (it has no
// glyph for it), as UTF-8; empty when every character can be drawn.
std::string undrawable_char(std::string_view utf8, const FontCells& font);

} // namespace formwick
