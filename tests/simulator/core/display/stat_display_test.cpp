#include "display_fixture.h"

#include "simulator/core/display/font_view.h"

#include <cstring>
#include <functional>
#include <string>
#include <vector>

namespace formwick::test {
namespace {

TEST_F(DisplayTest, BuiltInFontsGiveTheirCellsAndTextArea) {
    struct Case {
        int font, width, height, columns, rows;
    };
    const Case cases[] = {{0, 6, 6, 21, 21}, {1, 8, 8, 16, 16}, {2, 6, 12, 21, 10}, {3, 8, 16, 16, 8}, {4, 12, 24, 10, 5}};
    for (const auto& c : cases) {
        st().cursorColumn = 3;
        display_set_font(c.font);
        EXPECT_EQ(st().glyphWidth, c.width) << c.font;
        EXPECT_EQ(st().glyphHeight, c.height) << c.font;
        EXPECT_EQ(st().columns, c.columns) << c.font;
        EXPECT_EQ(st().rows, c.rows) << c.font;
        EXPECT_EQ(st().cursorColumn, 3) << "selecting a font does not move the cursor";
    }
    display_set_font(7); // no such built-in font: the selection stays
    EXPECT_EQ(st().glyphWidth, 12);
}

TEST_F(DisplayTest, ReverseControlCodesAndEscapeR) {
    display_putc(2);
    EXPECT_TRUE(st().reverse);
    display_putc(1);
    EXPECT_FALSE(st().reverse);
    display_putc(9);
    display_putc('r');
    EXPECT_TRUE(st().reverse);
    EXPECT_EQ(st().cursorColumn, 0) << "the r of the escape is not drawn";
    display_putc(9);
    display_putc('x');
    EXPECT_EQ(st().cursorColumn, 1) << "any other byte after the escape draws";
    EXPECT_TRUE(st().reverse);
    display_putc('r');
    EXPECT_EQ(st().cursorColumn, 2) << "the escape lasts one byte";
}

TEST_F(DisplayTest, BellBeepsThroughTheSoundService) {
    display_putc(7);
    ASSERT_EQ(beeper.calls.size(), 1u);
    EXPECT_EQ(beeper.calls[0], (SoundCall{5, 127, {TONE_1500HZ}}));
    EXPECT_EQ(st().cursorColumn, 0);
}

TEST_F(DisplayTest, LineFeedCarriageReturnAndClear) {
    display_set_font(3);
    term_printf_raw("ab\rc");
    EXPECT_EQ(st().cursorColumn, 1);
    display_putc(10);
    EXPECT_EQ(st().cursorColumn, 0);
    EXPECT_EQ(st().cursorRow, 1);
    EXPECT_EQ(text()[0], "cb");
    display_putc(12);
    EXPECT_EQ(st().cursorColumn, 0);
    EXPECT_EQ(st().cursorRow, 0);
    for (int y = 0; y < 128; ++y)
        for (int x = 0; x < 128; ++x) ASSERT_FALSE(display.is_dark(x, y));
}

TEST_F(DisplayTest, BackspaceWrapsToThePreviousRowAndBlanksTheCell) {
    display_set_font(3);
    st().cursorRow = 2;
    term_printf_raw("%s", std::string(16, 'X').c_str());
    st().cursorColumn = 0;
    st().cursorRow = 3;
    display_putc(8);
    EXPECT_EQ(st().cursorColumn, 15);
    EXPECT_EQ(st().cursorRow, 2);
    EXPECT_EQ(text()[2], std::string(15, 'X'));

    display_putc(12);
    term_printf_raw("A");
    st().cursorColumn = 0;
    display_putc(8); // top-left cell: nothing happens
    EXPECT_EQ(st().cursorColumn, 0);
    EXPECT_EQ(st().cursorRow, 0);
    EXPECT_EQ(text()[0], "A");
}

TEST_F(DisplayTest, TenLinesInFontThreeScrollTheFirstTwoAway) {
    display_set_font(3);
    for (int i = 0; i < 10; ++i) term_printf_raw(i == 0 ? "L%d" : "\nL%d", i);
    EXPECT_EQ(st().cursorRow, 7);
    const std::vector<std::string> expected = {"L2", "L3", "L4", "L5", "L6", "L7", "L8", "L9"};
    EXPECT_EQ(text(), expected);
}

TEST_F(DisplayTest, CharactersPastTheLastColumnAreClippedNotWrapped) {
    // Font 2 leaves a partial cell at x 126..127: the 22nd character must
    // not draw into it.
    display_set_font(2);
    term_printf_raw("%s", std::string(22, '#').c_str());
    EXPECT_EQ(st().cursorColumn, 22) << "the column keeps counting";
    EXPECT_EQ(art(120, 0, 8, 12).substr(6, 2), "..");
    for (int y = 0; y < 128; ++y) {
        EXPECT_FALSE(display.is_dark(126, y));
        EXPECT_FALSE(display.is_dark(127, y));
    }
    EXPECT_EQ(text()[1], "") << "no wrap onto the next row";

    display_set_font(3);
    display_putc(12);
    term_printf_raw("%s", "ABCDEFGHIJKLMNOPQ");
    EXPECT_EQ(text()[0], "ABCDEFGHIJKLMNOP");
    EXPECT_EQ(text()[1], "");
}

TEST_F(DisplayTest, ReverseGlyphInvertsTheWholeCell) {
    display_set_font(2);
    const FontView font = FontView::builtin(2);
    st().cursorColumn = 1;
    st().cursorRow = 1;
    st().reverse = true;
    display_glyph('A');
    EXPECT_EQ(st().cursorColumn, 1) << "display_glyph does not move the cursor";
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 6; ++x)
            EXPECT_EQ(display.is_dark(6 + x, 12 + y), !font.stroke('A', x, y)) << x << "," << y;
    // A blank drawn in reverse is a dark cell: glyphs are opaque.
    st().reverse = false;
    display_putc(2);
    display_putc(' ');
    EXPECT_EQ(art(0, 12, 18, 1), "......######......\n");
}

TEST_F(DisplayTest, TextYOffsetMovesTheCells) {
    display_set_font(3);
    st().textYOffset = 8;
    display_putc(2);
    display_putc(' ');
    EXPECT_FALSE(display.is_dark(0, 7));
    EXPECT_TRUE(display.is_dark(0, 8));
    EXPECT_TRUE(display.is_dark(7, 23));
    EXPECT_FALSE(display.is_dark(0, 24));
}

// A refresh copies only the rows drawn since the last one: after every kind
// of drawing the frame must still be the whole buffer.
TEST_F(DisplayTest, EveryRefreshedFrameIsTheWholeBuffer) {
    const std::uint8_t picture[] = {8, 2, 0xF0, 0x0F};
    const std::vector<std::function<void()>> steps = {
        [] { display_putc('A'); },
        [this] {
            st().textYOffset = -5; // a cell cut at the top edge
            display_putc('B');
            st().textYOffset = 0;
        },
        [] { display_putc(2), display_putc('C'), display_putc(1); },
        [] { display_line(0, 127, 127, 0, 1); },
        [&] { display_image(120, 120, ImageView{picture, sizeof picture}); },
        [this] { display.set_pixel(5, 100, 1); },
        [] { for (int i = 0; i < 12; ++i) display_putc(10); }, // scrolls
        [] { display_putc(8); },
        [] { display_save("S.SCR"), display_putc(12), display_restore("S.SCR"); },
        [] { display_putc(12); },
    };
    for (std::size_t i = 0; i < steps.size(); ++i) {
        st().cursorColumn = static_cast<int>(i);
        steps[i]();
        display_refresh();
        const std::vector<Pixel> frame = display.frame();
        for (int y = 0; y < display.height(); ++y)
            for (int x = 0; x < display.width(); ++x)
                ASSERT_EQ(frame[static_cast<std::size_t>(y * display.width() + x)], display.get_pixel(x, y))
                    << "step " << i << " at " << x << "," << y;
    }
}

TEST_F(DisplayTest, PixelModes) {
    display.set_pixel(5, 5, PIXEL_DARK);
    EXPECT_EQ(display.get_pixel(5, 5), kPixelDark);
    display.set_pixel(5, 5, PIXEL_INVERT);
    EXPECT_EQ(display.get_pixel(5, 5), kPixelWhite);
    display.set_background(0x00C0D0B0);
    display.set_pixel(5, 5, PIXEL_INVERT);
    display.set_pixel(5, 5, PIXEL_INVERT);
    EXPECT_EQ(display.get_pixel(5, 5), 0x00C0D0B0u) << "invert turns dark into the background colour";
    display.set_pixel(5, 6, PIXEL_INVERT);
    EXPECT_EQ(display.get_pixel(5, 6), kPixelDark) << "anything not dark becomes dark";
    display.set_pixel(-1, 0, PIXEL_DARK);
    display.set_pixel(128, 127, PIXEL_DARK);
    EXPECT_EQ(display.get_pixel(-1, 0), kPixelOutside);
    EXPECT_EQ(display.get_pixel(0, 128), kPixelOutside);
}

TEST_F(DisplayTest, LineStepsAlongTheLongerAxis) {
    display_line(0, 0, 5, 2, 1);
    EXPECT_EQ(art(0, 0, 6, 3), "##....\n"
                               "..##..\n"
                               "....##\n");
    display_putc(12);
    display_line(2, 5, 0, 0, 1); // steep and backwards
    EXPECT_EQ(art(0, 0, 3, 6), "#..\n"
                               "#..\n"
                               ".#.\n"
                               ".#.\n"
                               "..#\n"
                               "..#\n");
}

TEST_F(DisplayTest, LineModesAndClipping) {
    const auto before = display.frame_count();
    display_line(0, 10, 127, 10, 1);
    EXPECT_GT(display.frame_count(), before) << "a line refreshes";
    display_line(10, 10, 12, 10, 2);
    EXPECT_EQ(art(8, 10, 6, 1), "##...#\n");
    display_line(0, 10, 4, 10, 0);
    EXPECT_EQ(art(0, 10, 6, 1), ".....#\n");
    display_line(-10, 20, 200, 20, 1); // off both edges
    EXPECT_TRUE(display.is_dark(0, 20));
    EXPECT_TRUE(display.is_dark(127, 20));
    display_line(5, 5, 5, 5, 2); // a single point is inverted once
    EXPECT_TRUE(display.is_dark(5, 5));
}

TEST_F(DisplayTest, ImageIsOpaqueAndClipped) {
    // 10 x 3: a frame whose middle row is clear but for its ends.
    const std::uint8_t image[] = {10, 3, 0xFF, 0xC0, 0x80, 0x40, 0xFF, 0xC0};
    display_line(0, 1, 20, 1, 1); // under the image's clear pixels
    display_image(2, 0, ImageView{image, sizeof image});
    EXPECT_EQ(art(0, 0, 14, 3), "..##########..\n"
                                "###........###\n"
                                "..##########..\n");
    display_putc(12);
    display_image(122, 126, ImageView{image, sizeof image});
    EXPECT_EQ(art(120, 125, 8, 3), "........\n"
                                   "..######\n"
                                   "..#.....\n");
}

TEST_F(DisplayTest, ImageNeverReadsPastItsBytes) {
    // Claims 16 x 16 but holds only two rows; the vector ends exactly there
    // so a sanitizer build catches a read past it.
    std::vector<std::uint8_t> image = {16, 16, 0xFF, 0xFF, 0x80, 0x01};
    display_image(0, 0, ImageView{image.data(), image.size()});
    EXPECT_EQ(art(0, 0, 16, 3), "################\n"
                                "#..............#\n"
                                "................\n");
    display_image(0, 0, ImageView{image.data(), 1}); // not even a header
    display_image(0, 0, ImageView{nullptr, 0});
    EXPECT_TRUE(display.is_dark(0, 0));
}

TEST_F(DisplayTest, ScreenFileLayoutAndRoundTrip) {
    display.set_pixel(3, 9, PIXEL_DARK);   // band 1, column 3, bit 1
    display.set_pixel(127, 0, PIXEL_DARK); // band 0, column 127, bit 0
    display.set_pixel(0, 127, PIXEL_DARK); // band 15, column 0, bit 7
    ASSERT_EQ(display_save("~~DISP~.TMP"), 0);
    const auto& bytes = files.files.at("~~DISP~.TMP");
    ASSERT_EQ(bytes.size(), kScreenFileSize);
    ASSERT_EQ(bytes.size(), 2048u);
    std::vector<std::uint8_t> expected(2048, 0);
    expected[1 * 128 + 3] = 0x02;
    expected[127] = 0x01;
    expected[15 * 128] = 0x80;
    EXPECT_EQ(bytes, expected);

    display_set_font(3);
    term_printf("Hello");
    display_line(0, 0, 127, 127, 1);
    ASSERT_EQ(display_save("WCURS.tmp"), 0);
    const std::vector<Pixel> saved = display.frame();
    term_clear();
    ASSERT_EQ(display_restore("WCURS.tmp"), 0);
    EXPECT_EQ(display.frame(), saved);
}

TEST_F(DisplayTest, ScreenFileFailuresLeaveTheScreenAlone) {
    display.set_pixel(1, 1, PIXEL_DARK);
    display.refresh();
    const std::vector<Pixel> before = display.frame();
    EXPECT_EQ(display_restore("missing.tmp"), -1);
    EXPECT_EQ(display.frame(), before);
    files.fail_writes = true;
    EXPECT_EQ(display_save("x.tmp"), -1);
    ScopedServices no_files{Terminal{&display}};
    EXPECT_EQ(display_save("x.tmp"), -1);
    EXPECT_EQ(display_restore("x.tmp"), -1);
}

// A wide custom font whose presence bitmap holds only "A" and "B".
std::vector<std::uint8_t> wide_font_a_b() {
    std::vector<std::uint8_t> image = {0xFE, 0xFE};
    image.resize(2 + 8192, 0);
    image[2 + 'A' / 8] = static_cast<std::uint8_t>(0x80 >> ('A' % 8) | 0x80 >> ('B' % 8));
    image.push_back(8); // height
    image.push_back(2); // width
    image.insert(image.end(), {0x01, 0x00});  // glyph 0: top-left pixel
    image.insert(image.end(), {0x00, 0x80});  // glyph 1: bottom-right pixel
    return image;
}

TEST_F(DisplayTest, WideFontIndexesGlyphsByPresentCodePoints) {
    const auto image = wide_font_a_b();
    display_set_custom_font(image.data(), image.size());
    EXPECT_TRUE(st().wideFont);
    EXPECT_EQ(st().columns, 64);
    EXPECT_EQ(st().rows, 16);
    term_printf_raw("BCA");
    EXPECT_EQ(art(0, 0, 6, 8), "..#.#.\n"
                               "......\n"
                               "......\n"
                               "......\n"
                               "......\n"
                               "......\n"
                               "......\n"
                               ".#....\n");
    EXPECT_FALSE(display.is_dark(0, 0));
    EXPECT_TRUE(display.is_dark(1, 7)) << "B draws the second glyph";
    EXPECT_TRUE(display.is_dark(2, 0)) << "C is absent: the first glyph";
    EXPECT_TRUE(display.is_dark(4, 0)) << "A is the first glyph";
    display_set_font(2);
    EXPECT_FALSE(st().wideFont);
}

TEST_F(DisplayTest, CustomFontsNeverReadPastTheirImage) {
    // A narrow 8 x 1 font holding only glyphs 0 and 1: glyph 255 is blank.
    std::vector<std::uint8_t> narrow = {1, 8, 0, 0, 0, 0, 0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
    display_set_custom_font(narrow.data(), narrow.size());
    EXPECT_EQ(st().rows, 128);
    display_glyph(1);
    st().cursorColumn = 1;
    display_glyph(255);
    EXPECT_EQ(art(0, 0, 16, 1), "########........\n");

    // Images without a usable header leave the font as it was.
    const std::uint8_t zero_width[] = {8, 0};
    display_set_custom_font(zero_width, sizeof zero_width);
    display_set_custom_font(narrow.data(), 1);
    std::vector<std::uint8_t> short_wide = {0xFE, 0xFE, 0, 0};
    display_set_custom_font(short_wide.data(), short_wide.size());
    EXPECT_EQ(st().glyphWidth, 8);
    EXPECT_EQ(st().glyphHeight, 1);
    EXPECT_FALSE(st().wideFont);
}

TEST_F(DisplayTest, PrintUtf8MapsCharactersAndHandlesItsEscapes) {
    display_set_font(3);
    st().cursorRow = 1;
    display.print_utf8("%s\tr%s\tr\n\xF0\x9F\x98\x80\r!", "\xC3\xA9\xE2\x82\xAC", "AB");
    EXPECT_EQ(st().cursorRow, 2);
    EXPECT_EQ(st().cursorColumn, 5);
    EXPECT_FALSE(st().reverse);
    const auto lines = text();
    EXPECT_EQ(lines[1], "\xC3\xA9\xE2\x82\xAC" "AB");
    EXPECT_EQ(lines[2], "****!");
    EXPECT_TRUE(display.is_dark(16, 16)) << "AB in reverse: the cell corner is dark";
    EXPECT_FALSE(display.is_dark(0, 16));

    display.print_utf8("\f%s", std::string(150, 'x').c_str());
    EXPECT_EQ(st().cursorRow, 0);
    EXPECT_EQ(st().cursorColumn, 98) << "at most 99 bytes, the form feed included";
}

} // namespace
} // namespace formwick::test
