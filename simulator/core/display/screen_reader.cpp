#include "simulator/core/display/screen_reader.h"

#include "runtime/text/char_map.h"
#include "simulator/core/display/glyph_tables.h"

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

// The pattern of a screen cell, as the glyph tables hold them.
std::string cell_pattern(const Screen& screen, int left, int top, int w, int rows) {
    std::string key;
    key.reserve(static_cast<std::size_t>(rows * w));
    for (int y = 0; y < rows; ++y)
        for (int x = 0; x < w; ++x) key += screen.dark(left + x, top + y) ? '1' : '0';
    return key;
}

std::vector<std::string> read_rows(const Screen& screen, const FontView& font, const GlyphTables& tables,
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
    return read_rows(screen, font, *glyph_tables(font), text_y_offset);
}

std::vector<std::vector<std::string>> read_screen_text_every_offset(const Screen& screen, const FontView& font) {
    std::vector<std::vector<std::string>> readings;
    if (!font.valid() || font.wide()) return readings;
    const std::shared_ptr<const GlyphTables> tables = glyph_tables(font);
    for (int offset = 0; offset < font.height(); ++offset) readings.push_back(read_rows(screen, font, *tables, offset));
    return readings;
}

} // namespace formwick
