// rt_printf's drawing rules and the centring rule, read back from a fake
// display that remembers every glyph by position.
#include "runtime/runtime_state.h"
#include "runtime/text/center.h"
#include "runtime/text/font.h"
#include "runtime/text/rt_printf.h"

#include "presentation_fixture.h"

#include <gtest/gtest.h>

namespace formwick {
namespace {

using DrawTest = UiTest;

TEST_F(DrawTest, WidthAndPrecisionCutAUtf8TextAndClipTheSpace) {
    rt_select_font(kFontLarge); // 16 columns
    std::string text;
    for (int i = 0; i < 20; ++i) text += "\xC3\xA9"; // 20 two-byte letters
    t.display.refreshes = 0;
    int bytes = rt_printf("%-*.*S ", 16, 16, text.c_str());
    EXPECT_EQ(bytes, 33);
    EXPECT_EQ(t.display.row(0), std::string(16, static_cast<char>(130)));
    EXPECT_EQ(t.display.state().cursorColumn, 17); // the space fell past the last column
    EXPECT_EQ(t.display.refreshes, 1);
}

TEST_F(DrawTest, CharacterWidthPadsInCharactersNotBytes) {
    rt_select_font(kFontSmall);
    rt_printf("%5S|", "\xC3\xA9\xC3\xA9\xC3\xA9");
    EXPECT_EQ(t.display.row(0).substr(0, 6), "  \x82\x82\x82|");
}

TEST_F(DrawTest, TabRTogglesReverseAndLeavesItOff) {
    rt_printf("x\trAB\try");
    EXPECT_EQ(t.display.row(0).substr(0, 4), "xABy");
    EXPECT_EQ(t.display.reverse_row(0).substr(0, 4), ".##.");
    EXPECT_FALSE(t.display.state().reverse);
}

TEST_F(DrawTest, ControlBytesMoveTheRoutinesOwnPosition) {
    rt_goto(3, 1);
    rt_printf("ab\ncd\r\n\fX\nY");
    EXPECT_EQ(t.display.clears, 1);
    EXPECT_EQ(t.display.screen(), "X\nY");
    EXPECT_EQ(t.display.state().cursorColumn, 1);
    EXPECT_EQ(t.display.state().cursorRow, 1);
}

TEST_F(DrawTest, InvalidAndFourByteSequencesDrawStars) {
    rt_printf("a\xF0\x9F\x98\x80" "b\xFF" "c\xE4\xB8\xAD");
    EXPECT_EQ(t.display.row(0).substr(0, 9), "a****b*c?");
    EXPECT_EQ(rt_text_length("a\xF0\x9F\x98\x80" "b"), 6);
    EXPECT_EQ(rt_text_length("\xC3\xA9t\xC3\xA9"), 3);
    EXPECT_EQ(rt_text_length(""), 0);
}

TEST_F(DrawTest, TextPastTheLastColumnOrRowIsClipped) {
    rt_select_font(kFontLarge);
    rt_printf("0123456789abcdefXYZ");
    EXPECT_EQ(t.display.row(0), "0123456789abcdef");
    EXPECT_EQ(t.display.cells.size(), 16u);
    rt_goto(0, 8);
    rt_printf("below");
    EXPECT_EQ(t.display.cells.size(), 16u);
}

TEST_F(DrawTest, WideTextMapsThroughTheWideTable) {
    static const std::uint8_t wide[8196] = {0xFE, 0xFE};
    rt_state.customFont = wide;
    rt_state.customFontSize = sizeof wide;
    rt_select_font(kFontCustom);
    EXPECT_TRUE(rt_state.wideText);
    rt_printf("\xC3\xA9");
    EXPECT_EQ(t.display.cells.begin()->second.code, 0x82);
}

struct CenterCase {
    int font_type;
    const char* text;
    int first_column; // where the text starts
    int cursor;       // column after the trailing space
};

TEST_F(DrawTest, CenteringRule) {
    const CenterCase cases[] = {
        {kFontLarge, "Utilities", 3, 3 + 9 + 3 + 1},  // 16 even: pad 3
        {kFontSmall, "Utilities", 6, 6 + 9 + 6 + 1},  // 21 odd, 9 odd: pad 6
        {kFontSmall, "Menu", 9, 9 + 4 + 9 + 1},       // 21 odd, 4 even: pad 8 + 1
        {kFontLarge, "Fifteen chars..", 1, 1 + 15 + 1 + 1}, // c - n = 1: pad 1
        {kFontLarge, "exactly sixteen!", 0, 17},      // cut to c and a clipped space
        {kFontLarge, "far more than sixteen", 0, 17},
    };
    for (const auto& c : cases) {
        term_clear();
        rt_select_font(c.font_type);
        rt_goto(0, 2);
        rt_center(c.text, false);
        std::string row = t.display.row(2);
        int n = rt_text_length(c.text);
        std::string shown = std::string(c.text).substr(0, static_cast<std::size_t>(std::min(n, rt_columns())));
        EXPECT_EQ(row.find(shown), static_cast<std::size_t>(c.first_column)) << c.text;
        EXPECT_EQ(t.display.state().cursorColumn, c.cursor) << c.text;
        EXPECT_EQ(row.find_first_not_of(' '), static_cast<std::size_t>(c.first_column)) << c.text;
    }
}

TEST_F(DrawTest, ReverseCenteringCoversTheWholeRow) {
    rt_select_font(kFontLarge);
    rt_center("Browse", true);
    EXPECT_EQ(t.display.row(0), "     Browse     ");
    EXPECT_EQ(t.display.reverse_row(0), std::string(16, '#'));
    EXPECT_FALSE(t.display.state().reverse);
}

TEST_F(DrawTest, MessageBoxTitleClearsAndHasNoOddAdjustment) {
    rt_select_font(kFontSmall); // 21 columns
    rt_goto(4, 4);
    rt_printf("old");
    rt_center_title("Warning"); // (21 - 7) / 2 = 7
    EXPECT_EQ(t.display.screen(), "       Warning");
    EXPECT_EQ(t.display.reverse_row(0), std::string(21, '#'));
    rt_center_title("Enter password!!!!!!"); // c - n = 1: no padding
    EXPECT_EQ(t.display.row(0), "Enter password!!!!!! ");
}

} // namespace
} // namespace formwick
