// The numbered list and the action menu.
#include "runtime/text/font.h"
#include "runtime/ui/list.h"

#include "presentation_fixture.h"

namespace formwick {
namespace {

class ListTest : public UiTest {
protected:
    void make_items(int count) {
        names.clear();
        for (int i = 0; i < count; ++i) names.push_back("Item " + std::to_string(i + 1));
        items.clear();
        for (const auto& n : names) items.push_back({n.c_str(), nullptr});
    }
    std::vector<std::string> names;
    std::vector<RtMenuItem> items;
};

TEST_F(ListTest, TwelveItemsInFontThreeWithTitlePageSoTheLastPageIsFull) {
    rt_select_font(kFontLarge);
    make_items(12);
    capture_before_each_key();
    for (int i = 0; i < 9; ++i) t.keys.push(KEY_DOWN);
    t.keys.push(KEY_ENTER);
    EXPECT_EQ(rt_list("Title", items.data(), 12), 9);

    // Six lines below the title; first page from item 1.
    EXPECT_EQ(screens[0], "Title\n 1 Item 1\n 2 Item 2\n 3 Item 3\n 4 Item 4\n 5 Item 5\n 6 Item 6");
    // With item 10 selected the page holds items 7..12, item 10 reversed.
    const std::string& last = screens.back();
    EXPECT_EQ(last, "Title\n 7 Item 7\n 8 Item 8\n 9 Item 9\n10 Item 10\n11 Item 11\n12 Item 12");
    EXPECT_EQ(t.display.images.size(), 0u) << "the list clears the screen when it ends";
    EXPECT_EQ(t.display.screen(), "");
}

TEST_F(ListTest, SelectedLineIsReverseAcrossTheRow) {
    rt_select_font(kFontLarge);
    make_items(3);
    std::string reverse_rows;
    t.keys.before_key = [&] {
        reverse_rows.clear();
        for (int r = 0; r < 3; ++r) reverse_rows += t.display.reverse_row(r) + "\n";
    };
    t.keys.push({KEY_DOWN, KEY_CLEAR});
    EXPECT_EQ(rt_list("", items.data(), 3), -1);
    const std::string normal(16, '.'), reversed(16, '#');
    EXPECT_EQ(reverse_rows, normal + "\n" + reversed + "\n" + normal + "\n");
}

TEST_F(ListTest, RefusedKeysBeepAndKeepTheSelection) {
    rt_select_font(kFontLarge);
    make_items(3);
    // "5" is past the last item, up at the first item, down at the last.
    t.keys.push({'5', KEY_UP, '0', KEY_F1, KEY_DOWN, KEY_DOWN, KEY_DOWN_ALPHA, KEY_TRIGGER});
    EXPECT_EQ(rt_list("", items.data(), 3), 2);
    EXPECT_EQ(t.sound.count_like(5, 127, {TONE_400HZ}), 5);
}

TEST_F(ListTest, DigitsChooseAtOnceAndClearLeaves) {
    struct Case {
        std::vector<int> keys;
        int result;
    };
    const Case cases[] = {
        {{'3'}, 2}, {{'1'}, 0}, {{KEY_ENTER}, 0}, {{KEY_DOWN_ALPHA, KEY_TRIGGER}, 1}, {{KEY_DOWN, KEY_CLEAR}, -1},
        {{'9', '2'}, 1},
    };
    make_items(4);
    for (const auto& c : cases) {
        for (int k : c.keys) t.keys.push(k);
        EXPECT_EQ(rt_list("Pick", items.data(), 4), c.result);
        EXPECT_TRUE(t.keys.script.empty());
    }
}

TEST_F(ListTest, ListDrawsThePictureBarAndPadsShortLists) {
    rt_select_font(kFontSmall); // 6 x 12: 9 lines, 21 columns
    make_items(2);
    std::string screen;
    std::size_t images = 0;
    t.keys.before_key = [&] {
        screen = t.display.row(0) + "|" + t.display.row(1) + "|" + t.display.row(2);
        images = t.display.images.size();
        EXPECT_EQ(t.display.images.back().y, 117);
    };
    t.keys.push(KEY_CLEAR);
    rt_list("", items.data(), 2);
    EXPECT_EQ(screen, "1 Item 1             |2 Item 2             |" + std::string(21, ' '));
    EXPECT_EQ(images, 1u);
}

int action_runs = 0;
void count_action() { ++action_runs; }

TEST_F(ListTest, ActionMenuRunsActionsAndComesBackWithTheSameSelection) {
    action_runs = 0;
    const RtMenuItem menu[kActionMenuItems] = {
        {"Version", count_action}, {"Time & date", count_action}, {"Power & memory", count_action},
        {"Browse", count_action},  {"Format", nullptr},
    };
    std::vector<std::string> reverse;
    t.keys.before_key = [&] {
        std::string rows;
        for (int r = 1; r <= 5; ++r) rows += t.display.reverse_row(r).substr(0, 1);
        reverse.push_back(rows);
    };
    t.keys.push({KEY_DOWN, KEY_ENTER, '4', KEY_CLEAR});
    EXPECT_EQ(rt_menu("Utilities", menu, kFontLarge), -1);
    EXPECT_EQ(action_runs, 2);
    ASSERT_EQ(reverse.size(), 4u);
    EXPECT_EQ(reverse[2], ".#...") << "shown again with the same selection";
    EXPECT_EQ(reverse[3], "...#.");
    EXPECT_EQ(t.display.screen(), "");

    t.keys.push('5'); // an item without an action leaves
    EXPECT_EQ(rt_menu("Utilities", menu, kFontLarge), -1);
    EXPECT_EQ(action_runs, 2);
}

TEST_F(ListTest, ActionMenuCentresItsTitle) {
    const RtMenuItem menu[kActionMenuItems] = {{"A", nullptr}, {"B", nullptr}, {"C", nullptr}, {"D", nullptr}, {"E", nullptr}};
    std::string title;
    t.keys.before_key = [&] { title = t.display.row(0); };
    t.keys.push(KEY_CLEAR);
    rt_menu("Utilities", menu, kFontSmall);
    EXPECT_EQ(title, "      Utilities      ");
}

} // namespace
} // namespace formwick
