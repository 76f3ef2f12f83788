// Runtime screens on the simulated display and RAM disk, driven by key
// scripts through the headless runner and checked by reading the screen's
// text back.
#include "runtime/runtime_state.h"
#include "runtime/text/font.h"
#include "runtime/text/rt_printf.h"
#include "runtime/ui/communicate.h"
#include "runtime/ui/input_class.h"
#include "runtime/ui/input_editor.h"
#include "runtime/ui/list.h"
#include "runtime/ui/message.h"
#include "runtime/ui/utility_screens.h"
#include "simulator/core/display/screen.h"
#include "simulator/core/display/screen_reader.h"
#include "simulator/core/ramdisk/ram_disk.h"
#include "simulator/core/runner/headless_run.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace formwick {
namespace {

namespace fs = std::filesystem;

// SCREEN prints the text read back in the font the test names.
class TextScreen final : public ScreenDump {
public:
    explicit TextScreen(CStatDisplay& display) : display_(display) {}
    std::string text_view() override {
        std::string out;
        for (const auto& line : read_screen_text(compose_screen(display_), FontView::builtin(font), offset))
            out += line + "\n";
        return out + "--\n";
    }
    std::vector<std::vector<std::string>> readings() override {
        return {read_screen_text(compose_screen(display_), FontView::builtin(font), offset)};
    }
    std::string pixel_view() override { return screen_text_art(compose_screen(display_)); }
    bool write_png(const std::string& path, std::string& error) override {
        return write_screen_png(compose_screen(display_), path, error);
    }
    int font = 3;
    int offset = 0;

private:
    CStatDisplay& display_;
};

class HeadlessScreens : public ::testing::Test {
protected:
    HeadlessScreens() {
        rt_state_reset();
        folder = fs::temp_directory_path() / ("formwick_ui_" + std::to_string(::getpid()) + "_" +
                                              ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder);
        fs::create_directories(folder);
    }
    ~HeadlessScreens() override {
        rt_state_reset();
        fs::remove_all(folder);
    }

    // Plays `script` against `routine`; the printed screens are in `out`.
    void play(const std::string& script_text, const std::function<void()>& routine) {
        KeyScript script;
        CollectingSink sink;
        ASSERT_TRUE(parse_key_script(script_text, script, sink));
        CRamDisk disk(folder);
        HeadlessOptions options;
        options.display = &display;
        options.files = &disk;
        options.executor.screen = &screen;
        options.executor.out = &out;
        options.executor.outputDir = folder;
        HeadlessResult result = run_headless(script, routine, options, sink);
        EXPECT_TRUE(result.ok) << (sink.messages.empty() ? std::string() : sink.messages[0]);
    }
    void make_file(const std::string& name, std::size_t size) {
        std::ofstream(folder / name, std::ios::binary) << std::string(size, 'x');
    }

    fs::path folder;
    CStatDisplay display;
    TextScreen screen{display};
    std::ostringstream out;
};

TEST_F(HeadlessScreens, YesNoBoxIgnoresOtherKeysAndRestoresTheScreen) {
    int answer = -1;
    rt_state.messageFontType = kFontLarge;
    play("1\nENTER\nCLR\nTRIGGER\nSCREEN\nUP\nSCREEN\n", [&] {
        rt_select_font(kFontLarge);
        rt_printf("Under the box");
        answer = rt_message("Delete it?", MSG_WARNING | MSG_YES_NO);
        for (;;) key_get();
    });
    EXPECT_EQ(answer, 1);
    EXPECT_EQ(out.str(),
              "    Warning\n"
              "\n"
              "Delete it?\n"
              "\n\n\n\n"
              "Yes     ?     No\n" // the divider inverts the middle cell
              "--\n"
              "Under the box\n\n\n\n\n\n\n\n"
              "--\n");
    EXPECT_FALSE(fs::exists(folder / "~~DISP~.TMP"));
}

TEST_F(HeadlessScreens, TwelveItemListPagesToItemsSevenToTwelve) {
    std::vector<std::string> names;
    for (int i = 1; i <= 12; ++i) names.push_back("Item " + std::to_string(i));
    std::vector<RtMenuItem> items;
    for (const auto& n : names) items.push_back({n.c_str(), nullptr});
    int chosen = -2;
    play("DOWN x9\nSCREEN\nENTER\n", [&] {
        rt_select_font(kFontLarge);
        chosen = rt_list("Items", items.data(), 12);
        for (;;) key_get();
    });
    EXPECT_EQ(chosen, 9);
    EXPECT_EQ(out.str().substr(0, out.str().find("--")),
              "Items\n 7 Item 7\n 8 Item 8\n 9 Item 9\n10 Item 10\n11 Item 11\n12 Item 12\n"
              "????????????????\n"); // the picture bar
}

TEST_F(HeadlessScreens, LockedUtilitiesOpenWithThePassword) {
    CParamStartup startup;
    startup.lockUtilities = 1;
    set_text_bytes(startup.password, "42");
    rt_state.startup = &startup;
    play("4\n2\nSCREEN\nENTER\nSCREEN\nCLR\n", [&] {
        utilities_menu();
        for (;;) key_get();
    });
    const std::string s = out.str();
    EXPECT_NE(s.find("Enter password\n\n  **\n"), std::string::npos) << s;
    EXPECT_NE(s.find("   Utilities\n1 Version\n2 Time & date\n3 Power & memory\n4 Browse\n5 Format\n"),
              std::string::npos)
        << s;
}

TEST_F(HeadlessScreens, BrowseShowsSizesFromTheRamDisk) {
    make_file("Big.txt", 1572864);
    rt_state.boxFontType = kFontLarge;
    screen.font = 2;
    play("SCREEN\nCLR\n", [&] {
        rt_browse();
        for (;;) key_get();
    });
    EXPECT_NE(out.str().find("\nBig.txt\n1.51 MB\n"), std::string::npos) << out.str();
}

TEST_F(HeadlessScreens, TimeAndDateRefusesAThreeOnTheFirstHourDigit) {
    screen.offset = 8;
    // Terminal time starts at 08:00:00.
    play("3\nTRIGGER\nSCREEN\nCLR\nDOWN\n", [&] {
        rt_time_and_date();
        for (;;) key_get();
    });
    // The 3 was refused; the trigger raised the first hour digit from 0 to 1.
    EXPECT_NE(out.str().find("\n    18:00:00\n\n   2025/01/01\n"), std::string::npos) << out.str();
}

TEST_F(HeadlessScreens, CommunicateWithoutDataFilesOffersOnlyReceive) {
    CParamStartup startup;
    startup.protocol = 1;
    std::array<CParamData, 3> data{CParamData(1), CParamData(2), CParamData(3)};
    data[0].fieldCount = 2;
    rt_state.startup = &startup;
    rt_state.dataFiles = data.data();
    play("SCREEN\nCLR\n", [&] {
        communicate_menu();
        for (;;) key_get();
    });
    EXPECT_EQ(out.str(), "Ryvo\n1 Receive\n\n\n\n\n\n????????????????\n--\n");
}

TEST_F(HeadlessScreens, RealFieldTypedOnTheKeypad) {
    char buffer[kFieldMaxChars + 1] = {};
    int result = 0;
    play("12.345\nENTER\n", [&] {
        rt_select_font(kFontLarge);
        result = rt_edit_field(10, 1, buffer, 0, 6, SOURCE_KEYPAD, INPUT_REAL2, "", 0);
        for (;;) key_get();
    });
    EXPECT_EQ(result, EDIT_ACCEPTED_KEY);
    EXPECT_STREQ(buffer, "12.35");
}

} // namespace
} // namespace formwick
