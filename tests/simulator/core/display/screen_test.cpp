#include "display_fixture.h"

#include "simulator/core/display/screen_reader.h"

#include <cstdio>
#include <fstream>
#include <iterator>

namespace formwick::test {
namespace {

TEST_F(DisplayTest, CursorUnderlineSitsOnTheCellsBottomRowAndFollowsTheOffset) {
    display_set_font(3);
    st().cursorColumn = 2;
    st().cursorRow = 1;
    st().cursorMode = 1;
    st().textYOffset = 8;
    display_refresh();
    const Screen screen = compose_screen(display);
    // Row (1 + 1) * 16 + 8 - 1 = 39, columns 16..23.
    std::string row39, row38;
    for (int x = 12; x < 28; ++x) {
        row39 += screen.dark(x, 39) ? '#' : '.';
        row38 += screen.dark(x, 38) ? '#' : '.';
    }
    EXPECT_EQ(row39, "....########....");
    EXPECT_EQ(row38, "................");
    EXPECT_FALSE(display.is_dark(16, 39)) << "the underline is drawn on the composed copy only";

    // Cursor changes show with the next refresh, like any drawing.
    st().cursorMode = 0;
    EXPECT_TRUE(compose_screen(display).dark(16, 39));
    display_refresh();
    EXPECT_FALSE(compose_screen(display).dark(16, 39));
}

TEST_F(DisplayTest, ComposedScreenIsTheLastRefreshedFrame) {
    display_putc('A');
    EXPECT_EQ(screen_text_art(compose_screen(display)).find('#'), std::string::npos)
        << "putc does not refresh";
    display_refresh();
    EXPECT_NE(screen_text_art(compose_screen(display)).find('#'), std::string::npos);
}

TEST_F(DisplayTest, TextArtShowsOneCharacterPerPixel) {
    display_line(0, 0, 2, 0, 1);
    display_line(127, 127, 127, 127, 1);
    const std::string art = screen_text_art(compose_screen(display));
    ASSERT_EQ(art.size(), 129u * 128u);
    EXPECT_EQ(art.substr(0, 4), "###.");
    EXPECT_EQ(art.substr(art.size() - 3), ".#\n");
}

TEST_F(DisplayTest, ReadBackRecognisesNormalReverseAndCursorCells) {
    struct Case {
        int font;
        int y_offset;
    };
    for (const Case c : {Case{2, 0}, Case{3, 0}, Case{3, 8}, Case{0, 0}, Case{1, 0}, Case{4, 0}}) {
        term_clear();
        display_set_font(c.font);
        st().textYOffset = c.y_offset;
        term_printf_raw("Ok 1.5%%\n\x02 Menu \x01|\n\x82\x9B\x7F\xC4\xDB|");
        st().cursorMode = 1;
        st().cursorColumn = 1;
        st().cursorRow = 0;
        const auto lines = text();
        ASSERT_GE(lines.size(), 3u) << c.font;
        EXPECT_EQ(lines[0], "Ok 1.5%") << c.font << " offset " << c.y_offset;
        EXPECT_EQ(lines[1], " Menu |") << c.font;
        EXPECT_EQ(lines[2], "\xC3\xA9\xC3\xB8\xE2\x82\xAC\xE2\x94\x80 |") << c.font << ": a full block reads as a reversed space";
        st().cursorMode = 0;
        st().textYOffset = 0;
    }
}

TEST_F(DisplayTest, ReadBackMarksUnknownCells) {
    display_set_font(3);
    display_line(3, 3, 4, 9, 1);
    display_refresh();
    const auto lines = read_screen_text(compose_screen(display), FontView::builtin(3));
    ASSERT_EQ(lines.size(), 8u);
    EXPECT_EQ(lines[0], "?");
}

TEST_F(DisplayTest, PngOfTheScreen) {
    term_printf("PNG");
    const std::string path = ::testing::TempDir() + "formwick_screen.png";
    std::string error;
    ASSERT_TRUE(write_screen_png(compose_screen(display), path, error, 2)) << error;
    std::ifstream in(path, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ASSERT_GT(bytes.size(), 24u);
    EXPECT_EQ(bytes.substr(0, 8), "\x89PNG\r\n\x1A\n");
    // IHDR width and height, big-endian: 256 x 256.
    EXPECT_EQ(bytes.substr(16, 8), std::string("\0\0\1\0\0\0\1\0", 8));
    std::remove(path.c_str());

    EXPECT_FALSE(write_screen_png(compose_screen(display), "/nonexistent-dir/x.png", error));
    EXPECT_NE(error.find("/nonexistent-dir/x.png"), std::string::npos);
}

} // namespace
} // namespace formwick::test
