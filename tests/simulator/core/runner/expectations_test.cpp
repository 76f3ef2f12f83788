// The EXPECT commands of key scripts: what they find on the screen, in RAM
// disk files and in the program's variables, and how a failure reads.
#include "simulator/core/display/stat_display.h"
#include "simulator/core/ramdisk/ram_disk.h"
#include "simulator/core/runner/headless_run.h"
#include "simulator/core/runner/screen_match.h"
#include "simulator/core/runner/stat_display_screen.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <mutex>

namespace formwick::test {
namespace {

class FixedScreen final : public ScreenDump {
  public:
    std::string text_view() override { return "+--+\n|ab|\n+--+\n"; }
    std::vector<std::string> readings() override { return rows; }
    std::string pixel_view() override { return {}; }
    bool write_png(const std::string&, std::string&) override { return true; }
    std::vector<std::string> rows{"Stock taking", "1 Count stock", "2 Article info", "????????"};
};

// The variables a routine sets, under a lock: the routine writes them on
// its thread, the player reads them once it waits.
class Variables final : public ExpectationProbe {
  public:
    std::string variable(int n) override {
        std::lock_guard lock(mutex);
        return values[n];
    }
    void set(int n, std::string value) {
        std::lock_guard lock(mutex);
        values[n] = std::move(value);
    }
    std::mutex mutex;
    std::map<int, std::string> values;
};

// Every key read is appended to LOG.TXT as "key C" and kept in variable 3.
void log_keys(Variables& variables) {
    for (;;) {
        const int k = key_get();
        const std::string line = std::string("key ") + static_cast<char>(k) + "\r\n";
        const int h = file_open("LOG.TXT", FILE_WRITE | FILE_CREATE);
        file_seek(h, 0, FILE_SEEK_END);
        file_write(h, line.data(), static_cast<long long>(line.size()));
        file_close(h);
        variables.set(3, std::string(1, static_cast<char>(k)));
    }
}

class HostExpect : public ::testing::Test {
  protected:
    HostExpect() {
        folder = std::filesystem::temp_directory_path() /
                 ("formwick-expect-" +
                  std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
    }
    ~HostExpect() override { std::filesystem::remove_all(folder); }

    struct Outcome {
        bool ok;
        std::vector<std::string> messages;
    };
    // Plays `text` against log_keys, with a fresh LOG.TXT.
    Outcome play(const std::string& text) {
        std::filesystem::remove(folder / "LOG.TXT");
        KeyScript script;
        CollectingSink sink;
        EXPECT_TRUE(parse_key_script(text, script, sink)) << text;
        CRamDisk disk(folder);
        Variables variables;
        HeadlessOptions options;
        options.executor.screen = &screen;
        options.executor.probe = &variables;
        options.executor.busyLimit = std::chrono::milliseconds(2000);
        options.files = &disk;
        const HeadlessResult r = run_headless(
            script, [&] { log_keys(variables); }, options, sink);
        return {r.ok, sink.messages};
    }

    std::filesystem::path folder;
    FixedScreen screen;
};

TEST_F(HostExpect, WhatPasses) {
    for (const char* script : {
             "EXPECT SCREEN \"Count st\"\n",          // part of a row
             "EXPECT SCREEN \"2 Article info   \"\n", // trailing blanks do not count
             "EXPECT NO SCREEN \"Menu\"\n",
             "1\nEXPECT FILE \"log.txt\" LINE \"key 1\"\n", // CR LF stripped, name in any case
             "1\n2\nEXPECT FILE \"Log.Txt\" LINES 2\n",
             "1\n2\nEXPECT VAR 3 \"2\"\n", // checked once the key is taken
         }) {
        const Outcome o = play(script);
        EXPECT_TRUE(o.ok) << script << (o.messages.empty() ? "" : o.messages[0]);
    }
}

TEST_F(HostExpect, AFailureNamesTheLineTheExpectedTheFoundAndTheScreen) {
    struct Case {
        const char* script;
        const char* expected;
        const char* found;
    };
    const Case cases[] = {
        {"ENTER\nEXPECT SCREEN \"Cuont\"\n", "line 2: expected the screen to show \"Cuont\"",
         "found: no such row; the nearest read \"1 Count stock\""},
        {"EXPECT SCREEN \"xyz\"\n", "expected the screen to show \"xyz\"", "found: no row like it"},
        {"EXPECT NO SCREEN \"Article\"\n", "expected the screen not to show \"Article\"",
         "found: the row \"2 Article info\""},
        {"1\nEXPECT FILE \"LOG.TXT\" LINE \"key 2\"\n",
         "expected LOG.TXT to hold the line \"key 2\"",
         "found: 1 line, none of them that one; the nearest \"key 1\""},
        {"1\n2\n3\n4\nEXPECT FILE \"LOG.TXT\" LINES 3\n",
         "line 5: expected LOG.TXT to hold 3 lines",
         "found: 4 lines, the last \"key 2\", \"key 3\", \"key 4\""},
        {"EXPECT FILE \"Counts.txt\" LINES 0\n", "expected Counts.txt to hold 0 lines",
         "found: no file Counts.txt on the RAM disk"},
        {"EXPECT VAR 3 \"1\"\n", "expected variable 3 to hold \"1\"", "found: it is empty"},
        {"7\nEXPECT VAR 3 \"1\"\n", "expected variable 3 to hold \"1\"", "found: \"7\""},
    };
    for (const Case& c : cases) {
        const Outcome o = play(c.script);
        EXPECT_FALSE(o.ok) << c.script;
        ASSERT_EQ(o.messages.size(), 1u) << c.script;
        const std::string& m = o.messages[0];
        EXPECT_NE(m.find(c.expected), std::string::npos) << m;
        EXPECT_NE(m.find(c.found), std::string::npos) << m;
        EXPECT_NE(m.find("the screen:\n    +--+\n    |ab|\n    +--+"), std::string::npos) << m;
    }
}

TEST_F(HostExpect, TheRunStopsAtTheFirstFailure) {
    const Outcome o = play("1\nEXPECT VAR 3 \"9\"\n2\n");
    EXPECT_FALSE(o.ok);
    std::ifstream log(folder / "LOG.TXT");
    std::string all((std::istreambuf_iterator<char>(log)), std::istreambuf_iterator<char>());
    EXPECT_EQ(all, "key 1\r\n") << "the key after the failed line is never pressed";
}

TEST_F(HostExpect, AFileThatEndsWithoutALineEndStillCountsItsLastLine) {
    std::ofstream(folder / "DATA.TXT", std::ios::binary) << "a;1\nb;2\r\nc;3";
    EXPECT_TRUE(
        play("EXPECT FILE \"data.txt\" LINES 3\nEXPECT FILE \"DATA.TXT\" LINE \"c;3\"\n").ok);
    std::ofstream(folder / "EMPTY.TXT", std::ios::binary) << "";
    EXPECT_TRUE(play("EXPECT FILE \"EMPTY.TXT\" LINES 0\n").ok);
}

// The runtime mixes fonts on one screen (a menu title in font 3, its items
// in font 2 below it); each is found, whatever font is current.
TEST(HostScreenReadings, EveryFontAndOffsetIsRead) {
    CStatDisplay display;
    display.set_font(3);
    display.print_utf8("Stock");
    display.set_font(2);
    display.state().textYOffset = 4; // font 2 rows start at y 4, 16, 28, ...
    display.state().cursorColumn = 0;
    display.state().cursorRow = 1;
    display.print_utf8("1 Count");
    StatDisplayScreen screen(display);
    const std::vector<std::string> rows = screen.readings();
    EXPECT_NE(row_holding(rows, "Stock"), nullptr);
    EXPECT_NE(row_holding(rows, "1 Count"), nullptr);
    EXPECT_EQ(screen.text_view().find("Stock"), std::string::npos)
        << "the current font alone misses the title";
}

TEST(HostScreenMatch, NearestRowsShareTheMostCharactersInPlace) {
    const std::vector<std::string> rows{"Quantity:", "Article:12", "??????",
                                        "Quantity:", "",           "Total"};
    EXPECT_EQ(nearest_rows(rows, "Quantty:", 3),
              (std::vector<std::string>{"Quantity:", "Article:12", "Total"}))
        << "best first, each row once, ties in reading order";
    EXPECT_EQ(nearest_rows(rows, "cle:1", 1), std::vector<std::string>{"Article:12"})
        << "placed anywhere in the row";
    EXPECT_TRUE(nearest_rows(rows, "??", 3).empty()) << "rows of unread cells are no answer";
    EXPECT_TRUE(nearest_rows(rows, "zzz", 3).empty());
}

} // namespace
} // namespace formwick::test
