#include "display_fixture.h"

#include "simulator/core/display/screen_reader.h"
#include "simulator/core/fonts/builtin_fonts.h"

#include <algorithm>
#include <thread>
#include <vector>

namespace formwick::test {
namespace {

// Built-in font 2 with the glyphs of 'A' and `other` swapped: the same size
// as the built-in font, other glyphs.
std::vector<std::uint8_t> swapped_font(char other = 'B') {
    std::vector<std::uint8_t> image(builtin_font(2), builtin_font(2) + builtin_font_size(2));
    std::swap_ranges(image.begin() + 2 + 'A' * 12, image.begin() + 2 + 'A' * 12 + 12, image.begin() + 2 + other * 12);
    return image;
}

// Glyph tables are kept between reads: a custom font of a built-in's size,
// and a custom image changed in place, must each be read with their own.
TEST_F(DisplayTest, ReadBackUsesTheGlyphsOfTheFontItIsGiven) {
    term_printf_raw("AB");
    display.refresh();
    const Screen screen = compose_screen(display);
    EXPECT_EQ(read_screen_text(screen, FontView::builtin(2))[0], "AB");

    std::vector<std::uint8_t> image = swapped_font();
    const FontView custom = FontView::custom(image.data(), image.size());
    EXPECT_EQ(read_screen_text(screen, custom)[0], "BA");

    std::copy(builtin_font(2), builtin_font(2) + builtin_font_size(2), image.begin());
    EXPECT_EQ(read_screen_text(screen, custom)[0], "AB") << "the same address with other glyphs";
    image = swapped_font();
    const FontView moved = FontView::custom(image.data(), image.size());
    EXPECT_EQ(read_screen_text_every_offset(screen, moved)[0][0], "BA");
    EXPECT_EQ(read_screen_text(screen, FontView::builtin(2))[0], "AB");
}

// More fonts than are kept, read in turn and then again.
TEST_F(DisplayTest, ReadBackOfManyFontsInTurn) {
    term_printf_raw("A");
    display.refresh();
    const Screen screen = compose_screen(display);
    std::vector<std::vector<std::uint8_t>> images;
    for (char other = 'B'; other <= 'Z'; ++other) images.push_back(swapped_font(other));
    for (int round = 0; round < 2; ++round)
        for (std::size_t i = 0; i < images.size(); ++i)
            EXPECT_EQ(read_screen_text(screen, FontView::custom(images[i].data(), images[i].size()))[0],
                      std::string(1, static_cast<char>('B' + i)))
                << "round " << round;
}

// The runner and the window read screens on threads of their own.
TEST_F(DisplayTest, ReadBackFromSeveralThreadsAtOnce) {
    term_printf_raw("Menu 1\nItem AB");
    display.refresh();
    const Screen screen = compose_screen(display);
    const std::vector<std::uint8_t> image = swapped_font();
    std::vector<FontView> fonts{FontView::custom(image.data(), image.size())};
    for (int f = 0; f < kBuiltinFontCount; ++f) fonts.push_back(FontView::builtin(f));
    std::vector<std::vector<std::vector<std::string>>> expected;
    for (const FontView& font : fonts) expected.push_back(read_screen_text_every_offset(screen, font));

    std::vector<int> mismatches(4, 0);
    std::vector<std::thread> threads;
    for (std::size_t t = 0; t < mismatches.size(); ++t)
        threads.emplace_back([&, t] {
            for (int round = 0; round < 3; ++round)
                for (std::size_t f = 0; f < fonts.size(); ++f)
                    mismatches[t] += read_screen_text_every_offset(screen, fonts[(f + t) % fonts.size()]) !=
                                     expected[(f + t) % fonts.size()];
        });
    for (std::thread& thread : threads) thread.join();
    EXPECT_EQ(mismatches, std::vector<int>(mismatches.size(), 0));
    EXPECT_EQ(expected[0][0][1], "Item BA");
    EXPECT_EQ(expected[3][0][1], "Item AB");
}

} // namespace
} // namespace formwick::test
