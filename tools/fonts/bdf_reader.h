// A reader for the character bitmaps of a BDF font file.
#pragma once

#include <map>
#include <string>
#include <vector>

namespace fontgen {

// One character as the file stores it: a bounding box placed relative to the
// origin on the baseline, rows top first, pixels left to right.
struct BdfGlyph {
    int width = 0, height = 0; // bounding box
    int x_offset = 0;          // from the origin to the box's left column
    int y_offset = 0;          // from the baseline to the box's bottom row (up is positive)
    std::vector<std::vector<bool>> rows;
};

struct BdfFont {
    int ascent = 0;
    int descent = 0;
    std::map<int, BdfGlyph> glyphs; // by code point
};

// Reads `path`; false with a message in `error` when it cannot be read.
bool read_bdf(const std::string& path, BdfFont& font, std::string& error);

} // namespace fontgen
