#include "simulator/core/display/font_view.h"
#include "simulator/core/fonts/builtin_fonts.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace formwick {
namespace {

std::string glyph_art(const FontView& font, int glyph) {
    std::string out;
    for (int y = 0; y < font.height(); ++y) {
        for (int x = 0; x < font.width(); ++x) out += font.stroke(glyph, x, y) ? '#' : '.';
        out += '\n';
    }
    return out;
}

TEST(BuiltinFonts, HeadersAndSizes) {
    const int sizes[][2] = {{6, 6}, {8, 8}, {12, 6}, {16, 8}, {24, 12}};
    for (int f = 0; f < kBuiltinFontCount; ++f) {
        const std::uint8_t* image = builtin_font(f);
        ASSERT_NE(image, nullptr);
        EXPECT_EQ(image[0], sizes[f][0]) << f;
        EXPECT_EQ(image[1], sizes[f][1]) << f;
        EXPECT_EQ(builtin_font_size(f), 2u + 256u * ((sizes[f][0] + 7u) / 8u) * sizes[f][1]) << f;
    }
    EXPECT_EQ(builtin_font(5), nullptr);
    EXPECT_EQ(builtin_font_size(-1), 0u);
}

// The partial first band of a 12-row font: rows 0..3 in bits 4..7.
TEST(BuiltinFonts, FirstBandOfATwelveRowFontHoldsTheTopRowsInItsHighBits) {
    const std::uint8_t* image = builtin_font(2);
    const FontView font = FontView::builtin(2);
    const std::uint8_t* full = image + 2 + 219 * 12; // the full block
    for (int x = 0; x < 6; ++x) {
        EXPECT_EQ(full[x], 0xF0) << "band 0, column " << x;
        EXPECT_EQ(full[6 + x], 0xFF) << "band 1, column " << x;
    }
    const std::uint8_t* upper = image + 2 + 223 * 12; // upper half: rows 0..5
    EXPECT_EQ(upper[0], 0xF0);
    EXPECT_EQ(upper[6], 0x03);
    EXPECT_TRUE(font.stroke(223, 0, 5));
    EXPECT_FALSE(font.stroke(223, 0, 6));
}

// Drawing takes a glyph's rows at once; every row must match the single
// strokes, including a custom font whose last glyph is cut short.
TEST(BuiltinFonts, RowStrokesMatchTheSingleStrokes) {
    std::vector<FontView> fonts;
    for (int f = 0; f < kBuiltinFontCount; ++f) fonts.push_back(FontView::builtin(f));
    const std::uint8_t* six = builtin_font(0);
    fonts.push_back(FontView::custom(six, builtin_font_size(0) - 3));
    for (std::size_t f = 0; f < fonts.size(); ++f) {
        const FontView& font = fonts[f];
        for (int glyph = 0; glyph < 257; ++glyph)
            for (int y = -1; y <= font.height(); ++y) {
                std::uint64_t expected = 0;
                for (int x = 0; x < font.width(); ++x)
                    if (font.stroke(glyph, x, y)) expected |= std::uint64_t{1} << x;
                ASSERT_EQ(font.row_strokes(glyph, y), expected) << "font " << f << " glyph " << glyph << " row " << y;
            }
    }
}

TEST(BuiltinFonts, ExceptionsToTheCodePageLayoutAndBoxDrawingReachesTheEdges) {
    for (int f = 0; f < kBuiltinFontCount; ++f) {
        const FontView font = FontView::builtin(f);
        // o with stroke and O with stroke differ from cent and yen: their
        // glyphs are not blank and differ from each other and from o / O.
        EXPECT_NE(glyph_art(font, 155), glyph_art(font, 'o')) << f;
        EXPECT_NE(glyph_art(font, 157), glyph_art(font, 'O')) << f;
        EXPECT_NE(glyph_art(font, 127), glyph_art(font, ' ')) << f << ": euro";
        // The horizontal line 196 spans the cell; the vertical 179 runs
        // from the top row to the bottom row; the cross 197 joins them.
        bool row_full = false;
        for (int y = 0; y < font.height() && !row_full; ++y) {
            row_full = true;
            for (int x = 0; x < font.width(); ++x) row_full = row_full && font.stroke(196, x, y);
        }
        EXPECT_TRUE(row_full) << f;
        bool top = false, bottom = false;
        for (int x = 0; x < font.width(); ++x) {
            top = top || font.stroke(179, x, 0);
            bottom = bottom || font.stroke(179, x, font.height() - 1);
        }
        EXPECT_TRUE(top && bottom) << f;
        EXPECT_EQ(glyph_art(font, 0), glyph_art(font, ' ')) << f << ": glyph 0 is blank";
    }
}

} // namespace
} // namespace formwick
