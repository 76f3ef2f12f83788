// The start-up and version screens and the utilities.
#include "runtime/pictures/pictures.h"
#include "runtime/text/font.h"
#include "runtime/ui/startup_screens.h"
#include "runtime/ui/utility_screens.h"

#include "presentation_fixture.h"

namespace formwick {
namespace {

constexpr int kDismiss = KEY_F4; // any key, to close a message box

class UtilitiesTest : public UiTest {
protected:
    UtilitiesTest() { rt_state.startup = &startup; }
    bool any_screen_has(const std::string& text) const {
        for (const auto& s : screens)
            if (s.find(text) != std::string::npos) return true;
        return false;
    }
    CParamStartup startup;
};

TEST_F(UtilitiesTest, StartupScreenPictureAndLines) {
    startup.splashFont = kFontSmall;
    set_text_bytes(startup.splashLines[0].text, "Welcome");
    set_text_bytes(startup.splashLines[9].text, "\xC3\xA9nd");
    show_startup_screen();
    EXPECT_TRUE(t.display.images.empty()) << "no picture without its header";
    EXPECT_EQ(t.display.screen(), "Welcome\n\n\n\n\n\n\n\n\n\x82nd");

    startup.splashImage[0] = 128;
    startup.splashImage[1] = 128;
    show_startup_screen();
    ASSERT_EQ(t.display.images.size(), 1u);
    EXPECT_EQ(t.display.images[0].x, 0);
    EXPECT_EQ(t.display.images[0].data, startup.splashImage.data());
}

TEST_F(UtilitiesTest, VersionScreenShowsApplicationVersionOnlyWhenSet) {
    show_version_screen();
    EXPECT_EQ(t.display.images.at(0).data, picture_logo().data);
    EXPECT_EQ(t.display.text_at(2 * 16).substr(0, 12), "    Formwick");
    EXPECT_EQ(t.display.row(5), "  Version: RGK41827  ");
    EXPECT_EQ(t.display.row(6), "       OS: QLTV0207  ");
    EXPECT_EQ(t.display.row(7), "Interpret: V00.01    ");
    EXPECT_EQ(t.display.row(8), "");

    set_text_bytes(startup.applicationVersion, "2.1");
    show_version_screen();
    EXPECT_EQ(t.display.row(8).substr(0, 14), "     Appl: 2.1");
}

TEST_F(UtilitiesTest, PasswordCases) {
    struct Case {
        const char* stored;
        std::vector<int> keys;
        bool opens;
    };
    const Case cases[] = {
        {"", {KEY_ENTER}, true},                        // empty password, empty entry
        {"", {'x', KEY_ENTER}, false},
        {"1234", {'1', '2', '3', '4', KEY_ENTER}, true},
        {"1234", {'1', '2', '3', KEY_ENTER}, false},
        {"1234", {'1', '2', KEY_CLEAR}, false},         // cancelled counts as wrong
        {"12", {'1', '2', '3', KEY_BS, KEY_ENTER}, true},
    };
    startup.lockUtilities = 1;
    capture_before_each_key();
    for (const auto& c : cases) {
        screens.clear();
        set_text_bytes(startup.password, c.stored);
        for (int k : c.keys) t.keys.push(k);
        t.keys.push(c.opens ? KEY_CLEAR : kDismiss); // leave the menu, or close the box
        utilities_menu();
        EXPECT_EQ(any_screen_has("Wrong password"), !c.opens) << c.stored;
        EXPECT_EQ(any_screen_has("Utilities"), c.opens) << c.stored;
        EXPECT_TRUE(t.keys.script.empty());
    }
}

TEST_F(UtilitiesTest, PasswordIsMaskedOnRowTwoFromColumnTwo) {
    startup.lockUtilities = 1;
    set_text_bytes(startup.password, "ab");
    std::string row;
    t.keys.push({'a', 'b'});
    t.keys.before_key = [&] { row = t.display.row(2); };
    try {
        utilities_menu();
    } catch (const TerminalStop&) {
    }
    EXPECT_EQ(row.substr(0, 5), "  ** ");
}

TEST_F(UtilitiesTest, UnlockedUtilitiesOpenAtOnceAndRunTheirItems) {
    capture_before_each_key();
    t.keys.push({'1', kDismiss, KEY_CLEAR}); // Version, any key, leave
    utilities_menu();
    ASSERT_GE(screens.size(), 2u);
    EXPECT_NE(screens[0].find("1 Version"), std::string::npos);
    EXPECT_NE(screens[0].find("5 Format"), std::string::npos);
    EXPECT_NE(screens[1].find("Interpret: V00.01"), std::string::npos);
    EXPECT_EQ(t.display.screen(), "");
}

class TimeDateTest : public UtilitiesTest {
protected:
    TimeDateTest() {
        t.clock.time = {9, 5, 7};
        t.clock.date = {2026, 12, 10};
    }
    // The time row, the date row and the cursor cell at each key.
    void watch() {
        t.keys.before_key = [this] {
            if (display_state().cursorMode != 1) return; // a box or the error screen
            times.push_back(t.display.row(2));
            dates.push_back(t.display.row(4));
            cursor.push_back({display_state().cursorColumn, display_state().cursorRow});
        };
    }
    std::vector<std::string> times, dates;
    std::vector<std::pair<int, int>> cursor;
};

TEST_F(TimeDateTest, TextsAreCentredAndTheCursorStartsOnTheFirstHourDigit) {
    watch();
    t.keys.push({KEY_CLEAR, KEY_DOWN});
    EXPECT_EQ(rt_time_and_date(), 0);
    EXPECT_EQ(times[0], "    09:05:07    ");
    EXPECT_EQ(dates[0], "   2026/12/10   ");
    EXPECT_EQ(cursor[0], std::make_pair(4, 2));
}

TEST_F(TimeDateTest, DigitAboveTheTemplateIsRefusedAndTriggerCycles) {
    watch();
    t.keys.push({'3', KEY_TRIGGER, KEY_TRIGGER, KEY_TRIGGER, '2', KEY_CLEAR, KEY_UP});
    rt_time_and_date();
    EXPECT_EQ(times[1], "    09:05:07    ") << "3 is refused on the first hour digit";
    EXPECT_EQ(t.sound.count_like(5, 127, {TONE_400HZ}), 1);
    EXPECT_EQ(times[2].substr(4, 2), "19");
    EXPECT_EQ(times[3].substr(4, 2), "29");
    EXPECT_EQ(times[4].substr(4, 2), "09");
    EXPECT_EQ(times[5].substr(4, 2), "29"); // a typed 2 is allowed
    for (const auto& c : cursor) EXPECT_EQ(c, std::make_pair(4, 2)) << "edits never move the cursor";
}

TEST_F(TimeDateTest, CursorRingSkipsSeparatorsAndWraps) {
    watch();
    // Left from the first hour digit: the date's last digit; right again:
    // back to the time; right over the time to the date's first digit.
    t.keys.push({KEY_UP, KEY_DOWN, KEY_DOWN, KEY_DOWN, KEY_DOWN, KEY_DOWN, KEY_DOWN, KEY_DOWN, KEY_UP, KEY_UP, KEY_CLEAR,
                 KEY_DOWN});
    rt_time_and_date();
    const std::vector<std::pair<int, int>> expected = {
        {4, 2},  {12, 4}, {4, 2}, {5, 2},  {7, 2}, {8, 2}, {10, 2},
        {11, 2}, {3, 4},  {11, 2}, {10, 2},
    };
    EXPECT_EQ(cursor, expected);
}

TEST_F(TimeDateTest, InvalidEntryAsksToContinueAndValidOneAsksToUse) {
    capture_before_each_key();
    // Hour 29: invalid. "No" goes on editing; the hour back to 0 (trigger
    // wraps 2 to 0): valid, and "Yes" uses it.
    t.keys.push({KEY_TRIGGER, KEY_TRIGGER, KEY_CLEAR, KEY_DOWN, KEY_TRIGGER, KEY_CLEAR, KEY_UP});
    EXPECT_EQ(rt_time_and_date(), 1);
    EXPECT_TRUE(any_screen_has("Set entered time or"));
    EXPECT_TRUE(any_screen_has("Do you want to use"));
    EXPECT_EQ(t.sound.count_like(5, 127, {TONE_400HZ, TONE_SILENCE, TONE_400HZ, TONE_SILENCE, TONE_400HZ}), 1);
    ASSERT_EQ(t.clock.set_calls.size(), 2u);
    EXPECT_EQ(t.clock.set_calls[0].year, 2026);
    EXPECT_EQ(display_state().textYOffset, 0);
    EXPECT_EQ(display_state().cursorMode, 0);
}

TEST_F(TimeDateTest, DateTheClockRefusesShowsTheErrorScreen) {
    capture_before_each_key();
    // Month 12 becomes 19.
    for (int i = 0; i < 3; ++i) t.keys.push(KEY_UP); // left to the month's second digit
    t.keys.push({'9', KEY_CLEAR, kDismiss, KEY_UP});    // error screen, then "yes, leave"
    EXPECT_EQ(rt_time_and_date(), 1);
    EXPECT_TRUE(any_screen_has("Error date\nyear=2026\nmonth=19\nday=10"));
    EXPECT_TRUE(any_screen_has("Set entered time or"));
}

TEST_F(UtilitiesTest, PowerAndMemoryShowsFixedValuesUntilAKey) {
    t.keys.timeouts_left = 100;
    std::vector<std::string> battery;
    t.keys.before_key = [&] { battery.push_back(t.display.text_at(2 * 16 + 11)); };
    t.keys.push('7');
    EXPECT_EQ(rt_power_and_memory(), '7');
    EXPECT_EQ(battery.at(0).substr(5, 6), "3.28 V");
    EXPECT_EQ(t.display.text_at(4 * 16 + 9).substr(5, 7), "2.38 MB");
    ASSERT_EQ(t.display.images.size(), 2u);
    EXPECT_EQ(t.display.images[0].y, 40);
    EXPECT_EQ(t.display.images[1].y, 70);
    EXPECT_EQ(display_state().textYOffset, 0);
}

TEST_F(UtilitiesTest, PowerAndMemoryRefreshesTheBatteryEveryTimeOut) {
    t.keys.timeouts_left = 2;
    int refreshes_at_timeouts = 0;
    try {
        rt_power_and_memory();
    } catch (const TerminalStop&) {
        refreshes_at_timeouts = t.keys.timeouts;
    }
    EXPECT_EQ(refreshes_at_timeouts, 2);
}

TEST_F(UtilitiesTest, BrowseSizes) {
    struct Case {
        long long size;
        const char* shown;
    };
    const Case cases[] = {
        {1572864, "1.51 MB"}, {1048576, "1.00 MB"}, {2047, "1 kB"}, {1024, "1 kB"}, {1023, "1023 B"}, {0, "0 B"},
    };
    rt_state.boxFontType = kFontLarge;
    for (const auto& c : cases) {
        t.files.entries.clear();
        t.files.add("sub", 0, true);
        t.files.add("Data1.txt", c.size);
        std::string name, size;
        t.keys.before_key = [&] {
            name = t.display.row(2);
            size = t.display.row(3);
        };
        t.keys.push(KEY_CLEAR);
        rt_browse();
        EXPECT_EQ(name, "Data1.txt            ");
        EXPECT_EQ(size.substr(0, std::string(c.shown).size() + 1), std::string(c.shown) + " ") << c.size;
    }
}

TEST_F(UtilitiesTest, BrowseNextWrapsAndDeleteAsks) {
    t.files.add("a.txt", 1);
    t.files.add("dir", 0, true);
    t.files.add("b.txt", 2);
    std::vector<std::string> names;
    t.keys.before_key = [&] { names.push_back(t.display.row(2).substr(0, 5)); };
    // Next, next (wraps), delete a.txt but answer no, delete it with yes, trigger.
    t.keys.push({KEY_DOWN, KEY_DOWN, KEY_UP, KEY_DOWN, KEY_UP, KEY_UP, KEY_TRIGGER});
    rt_browse();
    const std::vector<std::string> expected = {"a.txt", "b.txt", "a.txt", "Are y", "b.txt", "Are y", "a.txt"};
    EXPECT_EQ(names, expected);
    EXPECT_EQ(t.files.removed, std::vector<std::string>{"b.txt"});
}

TEST_F(UtilitiesTest, DeletingTheOnlyFileEndsWithNoFilesOnDisk) {
    t.files.add("only.txt", 10);
    capture_before_each_key();
    t.keys.push({KEY_UP, KEY_UP, KEY_DOWN}); // delete, yes; the box takes the last key
    rt_browse();
    EXPECT_TRUE(t.files.entries.empty());
    EXPECT_NE(screens.back().find("No files on disk!"), std::string::npos);
    EXPECT_TRUE(t.keys.script.empty());
}

TEST_F(UtilitiesTest, BrowseKeepsAFileThatCannotBeDeleted) {
    t.files.add("locked.txt", 10);
    t.files.refuse_remove.push_back("locked.txt");
    t.keys.push({KEY_UP, KEY_UP, KEY_CLEAR});
    rt_browse();
    EXPECT_EQ(t.files.entries.size(), 1u);
}

TEST_F(UtilitiesTest, EmptyOrFolderOnlyDiskHasNoFiles) {
    for (bool with_folder : {false, true}) {
        t.files.entries.clear();
        if (with_folder) t.files.add("folder", 0, true);
        capture_before_each_key();
        screens.clear();
        t.keys.push(kDismiss);
        rt_browse();
        ASSERT_EQ(screens.size(), 1u);
        EXPECT_NE(screens[0].find("No files on disk!"), std::string::npos);
    }
}

TEST_F(UtilitiesTest, FormatOnlyAsks) {
    t.files.add("Data1.txt", 10);
    t.keys.push(KEY_UP);
    EXPECT_EQ(rt_format_ramdisk(), 1);
    t.keys.push(KEY_DOWN);
    EXPECT_EQ(rt_format_ramdisk(), 0);
    EXPECT_TRUE(t.files.removed.empty());
}

} // namespace
} // namespace formwick
