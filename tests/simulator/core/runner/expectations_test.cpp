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
    std::vector<std::vector<std::string>> readings() override { return {rows}; }
    std::string pixel_view() override { return {}; }
    bool write_png(const std::string&, std::string&) override { return true; }
    std::vector<std::string> rows{"Stock taking", "1 Count stock", "2 Article info", "????????",
                                  "",             "search item not", " found in ",  "database.",
                                  "Lookup1.txt",  "",                "An_overlong_", "word"};
};

// The variables a routine sets, under a lock: the routine writes them on
// its thread, the player reads them once it waits.
class Variables final : public ExpectationProbe {
  public:
    std::string value(int code) override {
        std::lock_guard lock(mutex);
        return values[code];
    }
    bool message_box(std::string& text, BoxKind& kind) override {
        std::lock_guard lock(mutex);
        if (boxText.empty()) return false;
        text = boxText;
        kind = boxKind;
        return true;
    }
    void set(int n, std::string value) {
        std::lock_guard lock(mutex);
        values[n] = std::move(value);
    }
    std::mutex mutex;
    std::map<int, std::string> values;
    std::string boxText; // empty: no box
    BoxKind boxKind = BoxKind::information;
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
        variables.set(22, std::string("look ") + static_cast<char>(k));
        if (k == '9') {
            std::lock_guard lock(variables.mutex);
            variables.boxText = "search item not  found in database. Lookup1.txt";
            variables.boxKind = BoxKind::warning;
        }
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
             "1\nEXPECT VAR \"Look 1-2\" \"look 1\"\n",
             "1\n2\nEXPECT FILE \"LOG.TXT\" BYTES \"key 1\\r\\nkey 2\\r\\n\"\n",
             "EXPECT NO FILE \"LOG.TXT\"\n",
             // a message as the application has it, wrapped over rows by the runtime
             "EXPECT SCREEN \"search item not found in database. Lookup1.txt\"\n",
             "EXPECT SCREEN \"An_overlong_word\"\n", // a word cut at the row's end
             "EXPECT NO SCREEN \"Lookup1.txt An_overlong\"\n", // not across an empty row
             "9\nEXPECT BOX \"item not found in database.\"\n",
             "9\nEXPECT BOX WARNING \"search item not found\"\n",
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
        {"EXPECT SCREEN \"QQQ\"\n", "expected the screen to show \"QQQ\"", "found: no row like it"},
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
        {"7\nEXPECT VAR \"look 1-2\" \"x\"\n", "expected Look 1-2 to hold \"x\"", "found: \"look 7\""},
        {"1\nEXPECT NO FILE \"log.txt\"\n", "expected no file log.txt on the RAM disk", "found: the file, 1 line"},
        {"1\nEXPECT FILE \"LOG.TXT\" BYTES \"key 1\\n\"\n", "expected LOG.TXT to hold \"key 1\\n\"",
         "found: \"key 1\\r\\n\" (7 bytes, the first 5 as expected)"},
        {"EXPECT FILE \"NONE.TXT\" BYTES \"\"\n", "expected NONE.TXT to hold \"\"",
         "found: no file NONE.TXT on the RAM disk"},
        {"EXPECT NO SCREEN \"not found in\"\n", "expected the screen not to show \"not found in\"",
         "found: the rows \"search item not\", \" found in \""},
        {"EXPECT BOX \"search\"\n", "expected a message box with \"search\"", "found: no message box"},
        {"9\nEXPECT BOX ERROR \"search\"\n", "expected an error box with \"search\"",
         "found: a warning box with \"search item not  found in database. Lookup1.txt\""},
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
// in font 2 below it); each is found, whatever font is current, and SCREEN
// shows each in its own font.
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
    std::vector<std::string> rows;
    for (const std::vector<std::string>& reading : screen.readings())
        rows.insert(rows.end(), reading.begin(), reading.end());
    EXPECT_NE(row_holding(rows, "Stock"), nullptr);
    EXPECT_NE(row_holding(rows, "1 Count"), nullptr);
    const std::string view = screen.text_view();
    EXPECT_NE(view.find("|Stock"), std::string::npos) << view;
    EXPECT_NE(view.find("|1 Count"), std::string::npos) << view;
    EXPECT_EQ(view.find('?'), std::string::npos) << view;
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
