// The runtime main menu.
#include "runtime/pictures/pictures.h"
#include "runtime/text/font.h"
#include "runtime/ui/main_menu.h"

#include "presentation_fixture.h"

namespace formwick {
namespace {

int main_actions = 0;
void main_action(const RtMainMenuItem*) { ++main_actions; }

class MainMenuTest : public UiTest {
protected:
    MainMenuTest() {
        main_actions = 0;
        t.clock.date = {2026, 3, 9};
        t.clock.time = {7, 5, 59};
    }
    const RtMainMenuItem items[kMainMenuItems] = {
        {"Input", picture_menu_input(), main_action},
        {"Communicate", picture_menu_communicate(), main_action},
        {"Utilities", picture_menu_utilities(), nullptr},
    };
};

TEST_F(MainMenuTest, ClockLineInBothDateFormats) {
    struct Case {
        int format;
        const char* line;
    };
    const Case cases[] = {
        {0, "MyApplic 26/03/09  7:05"}, // title cut to 6 bytes
        {1, "MyApplic 09/03/26  7:05"},
    };
    for (const auto& c : cases) {
        std::string clock;
        t.keys.before_key = [&] { clock = t.display.text_at(0); };
        t.keys.push(KEY_CLEAR);
        int index = 0;
        EXPECT_EQ(rt_main_menu(kFontLarge, "MyApplication", index, items, c.format), -1);
        std::string expected = std::string(c.line).replace(0, 8, "MyAppl");
        EXPECT_EQ(clock.substr(0, expected.size()), expected);
    }
}

TEST_F(MainMenuTest, NoClockLineForOtherDateFormats) {
    std::string clock = "unset";
    t.keys.before_key = [&] { clock = t.display.text_at(0); };
    t.keys.push(KEY_CLEAR);
    int index = 0;
    rt_main_menu(kFontLarge, "App", index, items, 2);
    EXPECT_EQ(clock, "");
}

TEST_F(MainMenuTest, ItemPictureNumberTextAndMark) {
    std::string number, text;
    std::vector<testing::DrawnImage> images;
    t.keys.before_key = [&] {
        number = t.display.text_at(12);
        text = t.display.text_at(16 + 15);
        images = t.display.images;
    };
    t.keys.push({KEY_DOWN, KEY_CLEAR});
    int index = 0;
    rt_main_menu(kFontLarge, "App", index, items, 0);
    EXPECT_EQ(index, 1);
    EXPECT_EQ(number, "              2 ");
    EXPECT_EQ(text, "  Communicate   ");
    ASSERT_GE(images.size(), 2u);
    EXPECT_EQ(images[images.size() - 2].data, picture_menu_communicate().data);
    EXPECT_EQ(images[images.size() - 2].x, 32);
    EXPECT_EQ(images[images.size() - 2].y, 50);
    EXPECT_EQ(display_state().textYOffset, 0);

    // Track, then the mark of item 2 cleared... of item 1 cleared and item 2 drawn.
    auto has_line = [&](testing::DrawnLine l) {
        for (const auto& d : t.display.lines)
            if (d.x0 == l.x0 && d.y0 == l.y0 && d.x1 == l.x1 && d.y1 == l.y1 && d.mode == l.mode) return true;
        return false;
    };
    EXPECT_TRUE(has_line({124, 12, 124, 113, 1}));
    EXPECT_TRUE(has_line({125, 12, 125, 18, 0}));
    EXPECT_TRUE(has_line({126, 13, 126, 17, 0}));
    EXPECT_TRUE(has_line({125, 62, 125, 68, 1}));
    EXPECT_TRUE(has_line({126, 63, 126, 67, 1}));
}

TEST_F(MainMenuTest, KeysMoveWithoutWrapAndChoose) {
    // Up at item 1, "4", "9" and F1 beep; down twice; down at the end beeps;
    // "1" runs item 1's action; enter on item 1 again; "3" has no action: leaves.
    t.keys.push({KEY_UP, '4', '9', KEY_F1, KEY_DOWN_ALPHA, KEY_DOWN, KEY_DOWN, '1', KEY_ENTER, '3'});
    int index = 0;
    EXPECT_EQ(rt_main_menu(kFontLarge, "App", index, items, 0), -1);
    EXPECT_EQ(t.sound.count_like(5, 127, {TONE_400HZ}), 5);
    EXPECT_EQ(main_actions, 2);
    EXPECT_EQ(index, 2);
}

TEST_F(MainMenuTest, TimeOutRedrawsOnlyTheClockLine) {
    t.keys.timeouts_left = 2;
    int index = 0;
    std::size_t images_after_first_pass = 0;
    t.keys.before_key = [&] { images_after_first_pass = t.display.images.size(); };
    try {
        rt_main_menu(kFontLarge, "App", index, items, 0);
    } catch (const TerminalStop&) {
    }
    EXPECT_EQ(t.keys.timeouts, 2);
    // One picture and one picture bar: the time-outs drew nothing else.
    EXPECT_EQ(t.display.images.size(), 2u);
    EXPECT_EQ(t.clock.set_calls.size(), 0u);
    (void)images_after_first_pass;
}

} // namespace
} // namespace formwick
