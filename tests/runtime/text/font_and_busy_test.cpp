// Font choice by runtime font type, and the busy animation.
#include "runtime/pictures/pictures.h"
#include "runtime/runtime_state.h"
#include "runtime/text/busy.h"
#include "runtime/text/font.h"
#include "runtime/text/rt_printf.h"

#include "presentation_fixture.h"

#include <gtest/gtest.h>

#include <cstring>
#include <set>

namespace formwick {
namespace {

using FontTest = UiTest;

TEST_F(FontTest, FontTypesSelectBuiltInFontsAndCustomFallsBack) {
    struct Case {
        int type;
        int font;        // built-in font chosen
        int stored_type; // current type afterwards
        int columns;
    };
    const Case cases[] = {
        {kFontLarge, 3, kFontLarge, 16},
        {kFontSmall, 2, kFontSmall, 21},
        {kFontCustom, 3, kFontLarge, 16}, // no custom font in the application
        {7, 3, kFontLarge, 16},
    };
    for (const auto& c : cases) {
        t.display.fonts.clear();
        rt_select_font(c.type);
        ASSERT_EQ(t.display.fonts.size(), 1u);
        EXPECT_EQ(t.display.fonts[0], c.font);
        EXPECT_EQ(rt_state.fontType, c.stored_type);
        EXPECT_EQ(rt_columns(), c.columns);
        EXPECT_FALSE(rt_state.wideText);
    }
}

TEST_F(FontTest, CustomFontSetsWideTextOnlyForWideImages) {
    static const std::uint8_t narrow[] = {10, 8, 0, 0};
    rt_state.customFont = narrow;
    rt_state.customFontSize = sizeof narrow;
    rt_select_font(kFontCustom);
    EXPECT_EQ(rt_state.fontType, kFontCustom);
    EXPECT_FALSE(rt_state.wideText);
    EXPECT_EQ(rt_columns(), 16);

    static std::uint8_t wide[8196] = {0xFE, 0xFE};
    wide[8194] = 12;
    wide[8195] = 6;
    rt_state.customFont = wide;
    rt_state.customFontSize = sizeof wide;
    rt_select_font(kFontCustom);
    EXPECT_TRUE(rt_state.wideText);
    EXPECT_EQ(rt_columns(), 21);
    rt_select_font(kFontSmall);
    EXPECT_FALSE(rt_state.wideText);
    EXPECT_FALSE(t.display.state().wideFont);
}

TEST_F(FontTest, BusyAnimationShowsSixFramesEvery25TicksOverASavedScreen) {
    rt_printf("keep");
    busy_begin();
    ASSERT_NE(t.keys.tick, nullptr);
    EXPECT_EQ(t.display.saves, std::vector<std::string>{"WCURS.tmp"});

    std::vector<const std::uint8_t*> shown;
    for (int tick = 0; tick < 25 * 7; ++tick) {
        std::size_t before = t.display.images.size();
        t.keys.tick();
        if (t.display.images.size() != before) {
            EXPECT_EQ(tick % 25, 24) << "a frame every 500 ms";
            const auto& image = t.display.images.back();
            EXPECT_EQ(image.x, 56);
            EXPECT_EQ(image.y, 56);
            shown.push_back(image.data);
        }
    }
    ASSERT_EQ(shown.size(), 7u);
    for (int f = 0; f < kHourglassFrames; ++f) EXPECT_EQ(shown[static_cast<std::size_t>(f)], picture_hourglass(f).data);
    EXPECT_EQ(shown[6], picture_hourglass(0).data); // after frame 5 back to 0

    busy_end();
    EXPECT_EQ(t.keys.tick, nullptr);
    EXPECT_EQ(t.display.restores, std::vector<std::string>{"WCURS.tmp"});
    EXPECT_EQ(t.display.row(0).substr(0, 4), "keep");
}

TEST_F(FontTest, HourglassFramesAreDistinct16By16Images) {
    std::set<std::vector<std::uint8_t>> distinct;
    int previous_top = 1 << 30;
    for (int f = 0; f < kHourglassFrames; ++f) {
        ImageView v = picture_hourglass(f);
        ASSERT_EQ(v.size, 2u + 16 * 2);
        EXPECT_EQ(v.data[0], 16);
        EXPECT_EQ(v.data[1], 16);
        distinct.insert(std::vector<std::uint8_t>(v.data, v.data + v.size));
        // Sand in the upper bulb (rows 3..6) only ever decreases.
        int top = 0;
        for (int row = 3; row <= 6; ++row)
            top += __builtin_popcount(v.data[2 + row * 2]) + __builtin_popcount(v.data[3 + row * 2]);
        EXPECT_LE(top, previous_top);
        previous_top = top;
    }
    EXPECT_EQ(distinct.size(), 6u);
}

} // namespace
} // namespace formwick
