// formwick-cli as a user runs it: exit codes, messages on stderr, and the
// example definition through new, build, export and show.
#include "appfile/build_application.h"
#include "appfile/definition_json.h"

#include "cli_runner.h"
#include "read_whole_file.h"

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <filesystem>
#include <fstream>
#include <sstream>

using namespace formwick;
using formwick::test::read_file;
namespace fs = std::filesystem;

namespace {

using formwick::test::Cli;

TEST_F(Cli, UsageErrorsExitWith2) {
    // A wrong command gets the whole help text, wrong arguments the command's usage line.
    const struct {
        const char* args;
        const char* usage;
    } cases[] = {
        {"", "Usage: formwick-cli COMMAND"},
        {"frobnicate", "Usage: formwick-cli COMMAND"},
        {"build only-one.json", "usage: formwick-cli build"},
        {"new a.HIX b.HIX", "usage: formwick-cli new"},
        {"show", "usage: formwick-cli show"},
    };
    for (const auto& c : cases) {
        Result r = run(c.args);
        EXPECT_EQ(r.status, 2) << c.args;
        EXPECT_NE(r.err.find(c.usage), std::string::npos) << c.args << "\n" << r.err;
    }
}

TEST_F(Cli, HelpAndVersion) {
    Result help = run("--help");
    EXPECT_EQ(help.status, 0);
    for (const char* command : {"new", "build", "export", "show", "summary"})
        EXPECT_NE(help.out.find(std::string("  ") + command + " "), std::string::npos) << command;
    Result version = run("--version");
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, std::string("formwick-cli ") + FORMWICK_VERSION + "\n");
    EXPECT_EQ(run("summary").status, 0);
}

TEST_F(Cli, RefusedInputsExitWith1AndTheExactMessage) {
    write("bad.json", R"({"format": "Formwick application definition", "version": 1,
                         "forms": [{}, {}, {"lines": [{}, {}, {}, {}, {"maximum": 150}]}]})");
    write("noend.HIX", ":020000046011" "89\r\n");
    struct Row {
        std::string args, err;
    };
    std::vector<Row> rows = {
        {"show " + at("missing.HIX"), at("missing.HIX") + ": No such file or directory\n"},
        {"build " + at("bad.json") + " " + at("out.HIX"), "forms[2].lines[4].maximum: 150 is above 100\n"},
        {"export " + at("noend.HIX"), at("noend.HIX") + ": not an application file: the last line is not the end record\n"},
        {"new " + at("no/such/dir.HIX"), "Cannot build formwick application file!!!\n"},
    };
    for (const Row& row : rows) {
        Result r = run(row.args);
        EXPECT_EQ(r.status, 1) << row.args;
        EXPECT_EQ(r.err, row.err) << row.args;
    }
    EXPECT_FALSE(fs::exists(dir / "out.HIX")); // nothing built from a refused definition
}

TEST_F(Cli, ExampleBuildsExportsAndRebuildsIdentically) {
    ASSERT_EQ(run("build " + example + " " + at("stock.HIX")).status, 0);
    Result exported = run("export " + at("stock.HIX"));
    ASSERT_EQ(exported.status, 0) << exported.err;
    ASSERT_EQ(run("export " + at("stock.HIX") + " " + at("stock.json")).status, 0);
    EXPECT_TRUE(read_file(dir / "stock.json") == exported.out);
    ASSERT_EQ(run("build " + at("stock.json") + " " + at("again.HIX")).status, 0);
    EXPECT_TRUE(read_file(dir / "again.HIX") == read_file(dir / "stock.HIX"));
    // The exported text is canonical: exporting the JSON gives it again.
    EXPECT_TRUE(run("export " + at("stock.json")).out == exported.out);
}

TEST_F(Cli, ShowListsWhatTheExampleUses) {
    ASSERT_EQ(run("build " + example + " " + at("stock.HIX")).status, 0);
    Result from_json = run("show " + example), from_hix = run("show " + at("stock.HIX"));
    ASSERT_EQ(from_json.status, 0) << from_json.err;
    EXPECT_EQ(from_json.out, from_hix.out);
    for (const char* expected :
         {"Menu 1 \"Stock taking\"", "item 1 \"Count stock\" -> Form 2", "Form 2 (", "line 2 Integer \"Quantity:\" -> Var 2",
          "looks up in Lookup 1", "saves a record to Data 1", "Lookup 1: Articles.txt", "Data 1: Counts.txt"})
        EXPECT_NE(from_json.out.find(expected), std::string::npos) << expected;
    EXPECT_EQ(from_json.out.find("Menu 2"), std::string::npos); // only what is in use
}

TEST_F(Cli, NewWritesAFreshDefinition) {
    ASSERT_EQ(run("new " + at("fresh.HIX")).status, 0);
    CParameters p;
    p.startup.brightness = 3;
    CollectingSink sink;
    ASSERT_TRUE(CBuildApplication(dir / "fresh.HIX", sink).load(p));
    std::string a, b;
    ASSERT_TRUE(definition_to_json(p, a, sink));
    ASSERT_TRUE(definition_to_json(CParameters{}, b, sink));
    EXPECT_TRUE(a == b);
}

// The articles file matches the example's lookup: its separator, field
// count and field lengths, with CR LF line ends.
TEST(Example, ArticlesMatchTheLookupLayout) {
    CParameters p;
    CollectingSink sink;
    ASSERT_TRUE(definition_from_json(read_file(std::string(FORMWICK_EXAMPLES) + "/stock.json"), p, sink));
    const CParamLookup& l = p.lookups[0];
    ASSERT_EQ(l.used, 1);
    ASSERT_EQ(l.fileType, 1);
    EXPECT_EQ(get_wide(l.fileName), u"Articles.txt");
    std::string text = read_file(std::string(FORMWICK_EXAMPLES) + "/Articles.txt");
    ASSERT_FALSE(text.empty());
    std::istringstream lines(text);
    std::string line;
    int count = 0;
    while (std::getline(lines, line)) {
        ASSERT_TRUE(line.ends_with("\r")) << line;
        line.pop_back();
        std::vector<std::string> fields;
        std::istringstream cells(line);
        for (std::string cell; std::getline(cells, cell, kDelimiters[l.delimiter]);) fields.push_back(cell);
        ASSERT_EQ(static_cast<int>(fields.size()), l.fieldCount) << line;
        for (int i = 0; i < l.fieldCount; ++i) EXPECT_LE(fields[i].size(), l.fields[i].maxLength) << line;
        ++count;
    }
    EXPECT_GE(count, 3);
}

} // namespace
