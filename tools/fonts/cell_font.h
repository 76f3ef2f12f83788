// A font of 256 fixed-size cells in the terminal's glyph order, built from a
// BDF font, and its packing into the terminal's band layout.
#pragma once

#include "bdf_reader.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace fontgen {

struct CellFont {
    int width = 0, height = 0;
    std::array<std::vector<bool>, 256> glyphs; // width * height, row by row

    bool at(int glyph, int x, int y) const {
        return glyphs[static_cast<std::size_t>(glyph)][static_cast<std::size_t>(y * width + x)];
    }
    void set(int glyph, int x, int y, bool dark) {
        glyphs[static_cast<std::size_t>(glyph)][static_cast<std::size_t>(y * width + x)] = dark;
    }
};

// How the source font sits in the cell: its cell of source_width x
// (ascent + descent) is placed at (shift_x, shift_y).
struct Placement {
    int cell_width = 0, cell_height = 0;
    int shift_x = 0, shift_y = 0;
};

// Builds the 256 glyphs. Shades and blocks are generated to fill the cell,
// box drawing is stretched to the cell edges, and the symbols a 6 x 6 cell
// needs but the source lacks are drawn by hand. Code points still missing
// are listed in `missing` (their glyphs stay blank).
CellFont build_cell_font(const BdfFont& source, const Placement& placement, std::vector<std::string>& missing);

// Header (height, width) and the glyphs in bands of eight rows; the first
// band holds the top (height mod 8) rows in its high bits when the height is
// not a multiple of eight; the lowest used bit is the top row of a band.
std::vector<std::uint8_t> pack_cell_font(const CellFont& font);

} // namespace fontgen
