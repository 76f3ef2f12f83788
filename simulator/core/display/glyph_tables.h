// The glyph patterns of a narrow font, for recognising its cells on a
// screen. Building them takes every glyph of the font drawn normally and in
// reverse, so they are built once per font and kept.
#pragma once

#include "simulator/core/display/font_view.h"

#include <memory>
#include <string>
#include <unordered_map>

namespace formwick {

struct GlyphTables {
    // A cell's pixels, one '0' / '1' per pixel row by row, to its glyph.
    using Table = std::unordered_map<std::string, int>;
    Table whole;          // the cell read whole
    Table without_bottom; // the cell without its bottom row (where the cursor underline sits)
};

// The tables of a valid narrow font. Fonts are told apart by their glyph
// size and glyph bytes, not by where the image lies, so a custom font never
// takes the tables of another font (built-in, or loaded earlier at the same
// address). The last fonts asked for are kept, within a memory budget; safe
// to call from several threads at once.
std::shared_ptr<const GlyphTables> glyph_tables(const FontView& font);

} // namespace formwick
