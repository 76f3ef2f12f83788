// Parsing key scripts and checking them against a terminal model.
#include "simulator/core/runner/key_script_file.h"
#include "simulator/core/runner/script_executor.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <unistd.h>

namespace formwick::test {
namespace {

ScriptCommand parse_one(const std::string& line) {
    KeyScript script;
    CollectingSink sink;
    EXPECT_TRUE(parse_key_script(line, script, sink)) << line << ": " << (sink.messages.empty() ? "" : sink.messages[0]);
    EXPECT_EQ(script.commands.size(), 1u) << line;
    return script.commands.empty() ? ScriptCommand{} : script.commands[0];
}

TEST(HostScriptParse, EachCommandForm) {
    ScriptCommand c = parse_one("enter");
    EXPECT_EQ(c.op, ScriptOp::press);
    EXPECT_EQ(c.key, KEY_ENTER);
    c = parse_one("  DOWN x3   # three times");
    EXPECT_EQ(c.key, KEY_DOWN);
    EXPECT_EQ(c.repeat, 3);
    c = parse_one("7");
    EXPECT_EQ(c.op, ScriptOp::press) << "one digit is a plain key press";
    c = parse_one("12.50");
    EXPECT_EQ(c.op, ScriptOp::digits);
    EXPECT_EQ(c.text, "12.50");
    c = parse_one(R"(TYPE "say \"hi\" # not a comment")");
    EXPECT_EQ(c.op, ScriptOp::type);
    EXPECT_EQ(c.text, "say \"hi\" # not a comment");
    c = parse_one("scan \"4006381333931\"");
    EXPECT_EQ(c.op, ScriptOp::scan);
    EXPECT_EQ(c.text, "4006381333931");
    c = parse_one("WAIT 0.5");
    EXPECT_EQ(c.ms, 500);
    c = parse_one("SCREEN");
    EXPECT_TRUE(c.text.empty());
    c = parse_one("SCREEN \"menu.png\"");
    EXPECT_EQ(c.text, "menu.png");
    c = parse_one("screen pixels \"menu.txt\"");
    EXPECT_TRUE(c.pixels);
    EXPECT_EQ(c.text, "menu.txt");
    c = parse_one("ALPHA off");
    EXPECT_EQ(c.alpha, 0);
    c = parse_one("ALPHA");
    EXPECT_EQ(c.alpha, -1);
    c = parse_one("CLOCK 2024-02-29 17:45:09");
    EXPECT_EQ(c.date.day, 29);
    EXPECT_EQ(c.time.second, 9);
}

TEST(HostScriptParse, ExpectationForms) {
    struct Case {
        const char* line;
        ScriptOp op;
        bool absent;
        const char* file;
        int number;
        const char* text;
    };
    const Case cases[] = {
        {"EXPECT SCREEN \"Stock taking\"", ScriptOp::expect_screen, false, "", 0, "Stock taking"},
        {"expect no screen \"Warning\"", ScriptOp::expect_screen, true, "", 0, "Warning"},
        {"EXPECT FILE \"Counts.txt\" LINE \"871;000012\"", ScriptOp::expect_line, false, "Counts.txt", 0, "871;000012"},
        {"EXPECT FILE \"Counts.txt\" LINE \"\"", ScriptOp::expect_line, false, "Counts.txt", 0, ""},
        {"Expect File \"COUNTS.TXT\" lines 3", ScriptOp::expect_lines, false, "COUNTS.TXT", 3, ""},
        {"EXPECT FILE \"Counts.txt\" LINES 0", ScriptOp::expect_lines, false, "Counts.txt", 0, ""},
        {"EXPECT VAR 20 \"\"", ScriptOp::expect_variable, false, "", 20, ""},
        {"EXPECT VAR 1 \"a \\\"b\\\"\"  # quotes inside", ScriptOp::expect_variable, false, "", 1, "a \"b\""},
        {"EXPECT VAR \"Look 1-2\" \"Tea\"", ScriptOp::expect_variable, false, "", 22, "Tea"},
        {"EXPECT VAR \"data 2-5\" \"\"", ScriptOp::expect_variable, false, "", 67, ""},
        {"EXPECT VAR \"Const1\" \"x\"", ScriptOp::expect_variable, false, "", 87, "x"},
        {"EXPECT VAR \"Var 3\" \"x\"", ScriptOp::expect_variable, false, "", 3, "x"},
        {"EXPECT NO FILE \"Counts.txt\"", ScriptOp::expect_no_file, true, "Counts.txt", 0, ""},
        {"EXPECT FILE \"C.txt\" BYTES \"a;1\\r\\n\\x7F\\t\\\\\"", ScriptOp::expect_bytes, false, "C.txt", 0,
         "a;1\r\n\x7F\t\\"},
        {"EXPECT BOX \"File does not exist.\"", ScriptOp::expect_box, false, "", 0, "File does not exist."},
        {"expect box warning \"search item\"", ScriptOp::expect_box, false, "", 0, "search item"},
    };
    for (const Case& c : cases) {
        const ScriptCommand cmd = parse_one(c.line);
        EXPECT_EQ(cmd.op, c.op) << c.line;
        EXPECT_EQ(cmd.absent, c.absent) << c.line;
        EXPECT_EQ(cmd.file, c.file) << c.line;
        EXPECT_EQ(cmd.number, c.number) << c.line;
        EXPECT_EQ(cmd.text, c.text) << c.line;
        EXPECT_TRUE(script_op_checks(cmd.op)) << c.line;
    }
}

TEST(HostScriptParse, BadLinesAreReportedWithTheirNumbers) {
    const std::pair<const char*, const char*> cases[] = {
        {"JUMP", "unknown command or key 'JUMP'"},
        {"TYPE hello", "TYPE needs one text in quotes"},
        {"TYPE \"open", "no closing"},
        {"TYPE \"a\\qb\"", "backslash"},
        {"TYPE \"a\\x4\"", "two hex digits"},
        {"WAIT", "WAIT needs a number of seconds"},
        {"WAIT -1", "not '-1'"},
        {"WAIT 5s", "not '5s'"},
        {"WAIT 100000", "at most 86400"},
        {"DOWN x0", "DOWN takes nothing or a count"},
        {"ENTER ENTER", "ENTER takes nothing or a count"},
        {"12 34", "one command per line"},
        {"SCAN \"\"", "not empty"},
        {"ALPHA maybe", "ON or OFF"},
        {"SCREEN \"a.png\" PIXELS", "SCREEN takes PIXELS and a file name"},
        {"CLOCK 2023-02-29 10:00:00", "no such date"},
        {"CLOCK 2023-02-28 24:00:00", "no such time"},
        {"MENU", "simulator's own menu"},
        {"\"ENTER\"", "a command comes first"},
        {"EXPECT", "EXPECT needs SCREEN, NO SCREEN, FILE, NO FILE, VAR or BOX"},
        {"EXPECT \"Stock\"", "EXPECT needs SCREEN, NO SCREEN, FILE, NO FILE, VAR or BOX"},
        {"EXPECT NO FILE \"a.txt\" LINES 2", "takes only the file name after NO FILE"},
        {"EXPECT VAR \"Look 4-1\" \"x\"", "EXPECT VAR knows no field \"Look 4-1\""},
        {"EXPECT BOX NOTICE \"x\"", "EXPECT BOX needs a text in quotes, after INFORMATION"},
        {"EXPECT BOX \"\"", "EXPECT BOX needs a text"},
        {"EXPECT SCREEN Stock", "EXPECT SCREEN needs one text in quotes"},
        {"EXPECT SCREEN \"\"", "EXPECT SCREEN needs a text that is not empty"},
        {"EXPECT NO VAR 1 \"x\"", "EXPECT NO goes only with SCREEN and FILE"},
        {"EXPECT FILE \"Counts.txt\"", "EXPECT FILE needs a file name in quotes, then LINE"},
        {"EXPECT FILE Counts.txt LINES 2", "EXPECT FILE needs a file name in quotes"},
        {"EXPECT FILE \"Counts.txt\" LINE 12", "EXPECT FILE needs a file name in quotes"},
        {"EXPECT FILE \"Counts.txt\" LINES -1", "LINES needs a count from 0 to 1000000, not '-1'"},
        {"EXPECT FILE \"Counts.txt\" LINES two", "not 'two'"},
        {"EXPECT FILE \"../etc/passwd\" LINES 1", "needs a plain RAM disk file name"},
        {"EXPECT FILE \"sub/Counts.txt\" LINES 1", "needs a plain RAM disk file name"},
        {"EXPECT VAR 0 \"x\"", "EXPECT VAR has variables 1 to 20, not '0'"},
        {"EXPECT VAR 21 \"x\"", "not '21'"},
        {"EXPECT VAR 3 x", "EXPECT VAR needs a variable number or a field name in quotes, then a value"},
        {"EXPECT VAR \"x\"", "EXPECT VAR needs a variable number"},
    };
    for (auto [line, expected] : cases) {
        KeyScript script;
        CollectingSink sink;
        const std::string text = std::string("# header\n\nENTER\n") + line + "\n";
        EXPECT_FALSE(parse_key_script(text, script, sink)) << line;
        ASSERT_EQ(sink.messages.size(), 1u) << line;
        EXPECT_EQ(sink.messages[0].rfind("line 4: ", 0), 0u) << sink.messages[0];
        EXPECT_NE(sink.messages[0].find(expected), std::string::npos) << sink.messages[0];
    }
}

TEST(HostScriptParse, EveryBadLineIsReportedNotOnlyTheFirst) {
    KeyScript script;
    CollectingSink sink;
    EXPECT_FALSE(parse_key_script("FOO\nENTER\nBAR\r\nWAIT 1\n", script, sink));
    EXPECT_EQ(sink.messages, (std::vector<std::string>{"line 1: unknown command or key 'FOO'",
                                                       "line 3: unknown command or key 'BAR'"}));
}

TEST(HostScriptCheck, WhatTheModelCannotDo) {
    KeyScript script;
    CollectingSink parseSink;
    ASSERT_TRUE(parse_key_script("F4\nTYPE \"caf\xC3\xA9\"\nTYPE \"a,b\"\n", script, parseSink));
    CollectingSink r58;
    EXPECT_FALSE(check_key_script(script, TerminalModel::R58, r58));
    ASSERT_EQ(r58.messages.size(), 2u);
    EXPECT_EQ(r58.messages[0], "line 1: the R58 has no F4 key");
    EXPECT_EQ(r58.messages[1], "line 2: no key of the R58 types the byte 0xC3");
    CollectingSink ktm;
    EXPECT_FALSE(check_key_script(script, TerminalModel::KTM3300, ktm));
    EXPECT_EQ(ktm.messages.size(), 1u);
}

TEST(HostScriptFile, NamesTheFileInEveryMessage) {
    const std::filesystem::path path = std::filesystem::temp_directory_path() /
                                           ("formwick-host-script-" + std::to_string(::getpid()) + ".txt");
    std::ofstream(path) << "ENTER\nHOP\n";
    KeyScript script;
    CollectingSink sink;
    EXPECT_FALSE(read_key_script_file(path, script, sink));
    EXPECT_EQ(sink.messages, std::vector<std::string>{path.string() + ": line 2: unknown command or key 'HOP'"});
    std::filesystem::remove(path);
    sink.messages.clear();
    EXPECT_FALSE(read_key_script_file(path, script, sink));
    EXPECT_EQ(sink.messages, std::vector<std::string>{path.string() + ": cannot read the key script"});
}

} // namespace
} // namespace formwick::test
