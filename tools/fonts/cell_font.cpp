#include "cell_font.h"

#include "runtime/text/char_map.h"

#include <cstdio>
#include <map>

namespace fontgen {

namespace {


// Symbols of the first 32 glyphs drawn for a 6 x 6 cell ("#" dark).
const std::map<int, std::array<const char*, 6>> kHandDrawn6x6 = {
    {0x263A, {".###..", "#...#.", "##.##.", "#...#.", ".###..", "......"}},
    {0x263B, {".###..", "#####.", "#.#.#.", "#####.", ".###..", "......"}},
    {0x25D8, {"######", "######", "##..##", "##..##", "######", "######"}},
    {0x25CB, {".###..", "#...#.", "#...#.", "#...#.", ".###..", "......"}},
    {0x25D9, {"#...##", ".###.#", ".###.#", ".###.#", "#...##", "######"}},
    {0x2642, {"...###", "....##", ".##.#.", "#..#..", "#..#..", ".##..."}},
    {0x2640, {".###..", "#...#.", ".###..", "..#...", ".###..", "..#..."}},
    {0x263C, {"#.#.#.", ".###..", "##.##.", ".###..", "#.#.#.", "......"}},
    {0x25BA, {"#.....", "###...", "#####.", "###...", "#.....", "......"}},
    {0x25C4, {"....#.", "..###.", "#####.", "..###.", "....#.", "......"}},
    {0x203C, {".#.#..", ".#.#..", ".#.#..", "......", ".#.#..", "......"}},
    {0x25AC, {"......", "......", "......", "#####.", "#####.", "......"}},
    {0x21A8, {"..#...", ".###..", "..#...", ".###..", "..#...", "#####."}},
    {0x25B2, {"......", "..#...", ".###..", "#####.", "......", "......"}},
    {0x25BC, {"......", "#####.", ".###..", "..#...", "......", "......"}},
};

void place_source_glyph(CellFont& font, int glyph, const BdfGlyph& g, int ascent, const Placement& p) {
    for (int r = 0; r < g.height; ++r) {
        int y = ascent - g.y_offset - g.height + r + p.shift_y;
        for (int c = 0; c < g.width; ++c) {
            int x = g.x_offset + c + p.shift_x;
            if (x < 0 || y < 0 || x >= font.width || y >= font.height) continue;
            if (g.rows[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)]) font.set(glyph, x, y, true);
        }
    }
}

// Lines of box-drawing glyphs that touch the source cell's edge continue to
// the edge of the (larger) target cell.
void stretch_to_edges(CellFont& font, int glyph, int left, int top, int right, int bottom) {
    for (int y = top; y <= bottom; ++y) {
        for (int x = 0; x < left; ++x) font.set(glyph, x, y, font.at(glyph, left, y));
        for (int x = right + 1; x < font.width; ++x) font.set(glyph, x, y, font.at(glyph, right, y));
    }
    for (int x = 0; x < font.width; ++x) {
        for (int y = 0; y < top; ++y) font.set(glyph, x, y, font.at(glyph, x, top));
        for (int y = bottom + 1; y < font.height; ++y) font.set(glyph, x, y, font.at(glyph, x, bottom));
    }
}

// Shades (176..178) and blocks (219..223) fill the whole cell.
bool generated_pixel(int glyph, int x, int y, int w, int h, bool& dark) {
    bool light = (y % 4 == 0 && x % 2 == 0) || (y % 4 == 2 && x % 2 == 1);
    switch (glyph) {
    case 176: dark = light; return true;
    case 177: dark = (x + y) % 2 == 0; return true;
    case 178: dark = !light; return true;
    case 219: dark = true; return true;
    case 220: dark = y >= h / 2; return true;
    case 221: dark = x < w / 2; return true;
    case 222: dark = x >= w / 2; return true;
    case 223: dark = y < h / 2; return true;
    default: return false;
    }
}

// Box drawing and the inverse bullet fill their source cell up to its
// edges, so they continue to the edges of the target cell.
bool stretches_to_edges(int glyph) { return (glyph >= 179 && glyph <= 218) || glyph == 8; }

} // namespace

CellFont build_cell_font(const BdfFont& source, const Placement& p, std::vector<std::string>& missing) {
    CellFont font;
    font.width = p.cell_width;
    font.height = p.cell_height;
    for (auto& g : font.glyphs) g.assign(static_cast<std::size_t>(font.width * font.height), false);

    int source_width = 0;
    if (auto it = source.glyphs.find('M'); it != source.glyphs.end()) source_width = it->second.width;
    const int source_height = source.ascent + source.descent;

    for (int glyph = 1; glyph < 256; ++glyph) {
        bool dark = false;
        if (generated_pixel(glyph, 0, 0, font.width, font.height, dark)) {
            for (int y = 0; y < font.height; ++y)
                for (int x = 0; x < font.width; ++x) {
                    generated_pixel(glyph, x, y, font.width, font.height, dark);
                    font.set(glyph, x, y, dark);
                }
            continue;
        }
        const int cp = formwick::glyph_code_point(glyph);
        auto hand = kHandDrawn6x6.find(cp);
        auto it = source.glyphs.find(cp);
        if (it == source.glyphs.end() && hand != kHandDrawn6x6.end() && font.width == 6 && font.height == 6) {
            for (int y = 0; y < 6; ++y)
                for (int x = 0; x < 6; ++x) font.set(glyph, x, y, hand->second[static_cast<std::size_t>(y)][x] == '#');
            continue;
        }
        if (it == source.glyphs.end()) {
            char name[32];
            std::snprintf(name, sizeof name, "%d (U+%04X)", glyph, cp);
            missing.emplace_back(name);
            continue;
        }
        place_source_glyph(font, glyph, it->second, source.ascent, p);
        if (stretches_to_edges(glyph))
            stretch_to_edges(font, glyph, p.shift_x, p.shift_y, p.shift_x + source_width - 1,
                             p.shift_y + source_height - 1);
    }
    return font;
}

std::vector<std::uint8_t> pack_cell_font(const CellFont& font) {
    const int bands = (font.height + 7) / 8;
    const int first_rows = font.height % 8 == 0 ? 8 : font.height % 8;
    std::vector<std::uint8_t> out{static_cast<std::uint8_t>(font.height), static_cast<std::uint8_t>(font.width)};
    for (int glyph = 0; glyph < 256; ++glyph) {
        for (int band = 0; band < bands; ++band) {
            // Rows of this band, and the bit of its top row.
            const int top = band == 0 ? 0 : first_rows + (band - 1) * 8;
            const int rows = band == 0 ? first_rows : 8;
            const int first_bit = 8 - rows;
            for (int x = 0; x < font.width; ++x) {
                std::uint8_t byte = 0;
                for (int r = 0; r < rows; ++r)
                    if (font.at(glyph, x, top + r)) byte |= static_cast<std::uint8_t>(1u << (first_bit + r));
                out.push_back(byte);
            }
        }
    }
    return out;
}

} // namespace fontgen
