#include "simulator/core/display/screen_reader.h"

#include "runtime/text/char_map.h"

#include <unordered_map>

namespace formwick {

namespace {

void append_utf8(std::string& out, int cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// Cell patterns, one '0' / '1' per pixel row by row, of `rows` rows.
std::string glyph_pattern(const FontView& font, int glyph, bool reverse, int rows) {
    std::string key;
    key.reserve(static_cast<std::size_t>(rows * font.width()));
    for (int y = 0; y < rows; ++y)
        for (int x = 0; x < font.width(); ++x) key += font.stroke(glyph, x, y) != reverse ? '1' : '0';
    return key;
}

std::string cell_pattern(const Screen& screen, int left, int top, int w, int rows) {
    std::string key;
    key.reserve(static_cast<std::size_t>(rows * w));
    for (int y = 0; y < rows; ++y)
        for (int x = 0; x < w; ++x) key += screen.dark(left + x, top + y) ? '1' : '0';
    return key;
}

using GlyphTable = std::unordered_map<std::string, int>;

// Candidates in order of preference, so that look-alike glyphs read as the
// likelier one: printable ASCII before the rest, normal before reverse
// (a reversed space beats the full block).
GlyphTable glyph_table(const FontView& font, int rows) {
    GlyphTable table;
    auto add = [&](int first, int last, bool reverse) {
        for (int g = first; g <= last; ++g) table.emplace(glyph_pattern(font, g, reverse, rows), g);
    };
    add(32, 126, false);
    add(32, 126, true);
    add(1, 31, false);
    add(127, 255, false);
    add(1, 31, true);
    add(127, 255, true);
    return table;
}

// The glyph tables of one font: cells read whole, and without their bottom
// row (where the cursor underline sits).
struct FontTables {
    explicit FontTables(const FontView& font)
        : whole(glyph_table(font, font.height())),
          without_bottom(font.height() > 1 ? glyph_table(font, font.height() - 1) : GlyphTable{}) {}
    GlyphTable whole, without_bottom;
};

std::vector<std::string> read_rows(const Screen& screen, const FontView& font, const FontTables& tables,
                                   int text_y_offset) {
    std::vector<std::string> lines;
    const int w = font.width(), h = font.height();
    const int columns = screen.width / w;
    for (int top = text_y_offset; top + h <= screen.height; top += h) {
        std::string line;
        for (int c = 0; c < columns; ++c) {
            int glyph = -1;
            if (auto it = tables.whole.find(cell_pattern(screen, c * w, top, w, h)); it != tables.whole.end()) {
                glyph = it->second;
            } else if (auto near = tables.without_bottom.find(cell_pattern(screen, c * w, top, w, h - 1));
                       near != tables.without_bottom.end()) {
                glyph = near->second;
            }
            append_utf8(line, glyph < 0 ? '?' : glyph_code_point(glyph));
        }
        while (!line.empty() && line.back() == ' ') line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

} // namespace

std::vector<std::string> read_screen_text(const Screen& screen, const FontView& font, int text_y_offset) {
    if (!font.valid() || font.wide()) return {};
    return read_rows(screen, font, FontTables(font), text_y_offset);
}

std::vector<std::vector<std::string>> read_screen_text_every_offset(const Screen& screen, const FontView& font) {
    std::vector<std::vector<std::string>> readings;
    if (!font.valid() || font.wide()) return readings;
    const FontTables tables(font);
    for (int offset = 0; offset < font.height(); ++offset) readings.push_back(read_rows(screen, font, tables, offset));
    return readings;
}

} // namespace formwick
