// formwick-cli check and diff as a user runs them, on every definition the
// project has, on bad input, and --help of every command.
#include "cli_runner.h"

#include <nlohmann/json.hpp>

using formwick::test::Cli;
using formwick::test::read_file;

namespace {

const std::string kSource = FORMWICK_SOURCE;

TEST_F(Cli, EveryDefinitionOfTheProjectChecksAndDiffsAgainstItself) {
    struct Definition {
        std::string path;
        int status;
    };
    for (const Definition& d : {Definition{example, 0}, Definition{kSource + "/tests/runtime/app_e2e/fixtures/road.json", 0},
                                Definition{kSource + "/tests/checks/data/clean.json", 0},
                                // the example before its article lines were made "Variable size"
                                Definition{kSource + "/tests/appfile/data/stock-v1.json", 1}}) {
        Result r = run("check " + d.path);
        EXPECT_EQ(r.status, d.status) << d.path << "\n" << r.out << r.err;
        EXPECT_EQ(run("diff " + d.path + " " + d.path).status, 0) << d.path;
    }
    Result lookup = run("check " + example + " --lookup " + std::string(FORMWICK_EXAMPLES) + "/Articles.txt");
    EXPECT_EQ(lookup.status, 0) << lookup.out;
    EXPECT_EQ(lookup.out, "0 errors, 0 warnings\n");
}

TEST_F(Cli, CheckReportsFindingsForPeopleAndForTools) {
    write("bad.json", R"({"format": "Formwick application definition", "version": 2,
                          "forms": [{"lines": [{"dataType": "Integer", "prompt": "Qty:", "minimum": 9, "maximum": 4,
                                                "variable": "Var 1"}]}]})");
    Result text = run("check " + at("bad.json"));
    EXPECT_EQ(text.status, 1);
    EXPECT_NE(text.out.find("Form 1, line 1: error [min-above-max]"), std::string::npos) << text.out;
    Result json = run("check " + at("bad.json") + " --format json");
    EXPECT_EQ(json.status, 1);
    nlohmann::json j = nlohmann::json::parse(json.out);
    EXPECT_GE(j["errors"].get<int>(), 1);
    EXPECT_EQ(j["findings"][0]["place"], "Form 1, line 1");
}

TEST_F(Cli, CheckUsageErrorsExitWith2) {
    write("Other.txt", "x\r\n");
    for (const std::string& args : {std::string("check"), "check " + example + " " + example, "check " + example + " --format xml",
                                    "check " + example + " --bogus", "check " + example + " --lookup",
                                    "check " + example + " --lookup " + at("Other.txt"), std::string("diff a.json"),
                                    "diff " + example + " " + example + " --format xml"}) {
        Result r = run(args);
        EXPECT_EQ(r.status, 2) << args;
        EXPECT_NE(r.err.find("usage: formwick-cli"), std::string::npos) << args << r.err;
    }
}

TEST_F(Cli, BadInputGetsTheLoadersMessageNeverACrash) {
    ASSERT_EQ(run("build " + example + " " + at("a.HIX")).status, 0);
    std::string hix = read_file(at("a.HIX"));
    hix[hix.size() / 2] = hix[hix.size() / 2] == '0' ? '1' : '0';
    write("damaged.HIX", hix);
    write("unknown.json", R"({"format": "Formwick application definition", "version": 2, "forms": [{"colour": 1}]})");
    std::string garbage;
    for (int i = 0; i < 4096; ++i) garbage += static_cast<char>((i * 7919) & 0xFF);
    write("garbage.bin", garbage);
    for (const char* name : {"damaged.HIX", "unknown.json", "garbage.bin", "missing.json"}) {
        Result check = run("check " + at(name));
        EXPECT_EQ(check.status, 1) << name;
        EXPECT_FALSE(check.err.empty()) << name;
        Result diff = run("diff " + example + " " + at(name));
        EXPECT_EQ(diff.status, 2) << name;
        EXPECT_EQ(diff.err, check.err) << name;
    }
    EXPECT_NE(run("check " + at("unknown.json")).err.find("forms[0].colour: unknown key"), std::string::npos);
}

TEST_F(Cli, DiffComparesApplicationFilesAndJsonInAnyMix) {
    ASSERT_EQ(run("build " + example + " " + at("a.HIX")).status, 0);
    Result same = run("diff " + at("a.HIX") + " " + example);
    EXPECT_EQ(same.status, 0);
    EXPECT_EQ(same.out, "same definition\n");
    std::string changed = read_file(example);
    changed.replace(changed.find("\"Quantity:\""), 11, "\"Qty:\"");
    write("changed.json", changed);
    Result diff = run("diff " + at("a.HIX") + " " + at("changed.json"));
    EXPECT_EQ(diff.status, 1);
    EXPECT_EQ(diff.out, "Forms\n  Form 2, line 2, prompt: \"Quantity:\" -> \"Qty:\"\n");
    nlohmann::json j = nlohmann::json::parse(run("diff " + at("a.HIX") + " " + at("changed.json") + " --format json").out);
    EXPECT_EQ(j["same"], false);
    EXPECT_EQ(j["differences"][0]["place"], "Form 2, line 2, prompt");
}

TEST_F(Cli, EveryCommandAnswersHelpOnStdout) {
    for (const char* command : {"new", "build", "export", "show", "run", "check-index", "summary", "check", "diff"}) {
        Result r = run(std::string(command) + " --help");
        EXPECT_EQ(r.status, 0) << command;
        EXPECT_TRUE(r.out.starts_with(std::string("usage: formwick-cli ") + command + " ")) << command << r.out;
        EXPECT_TRUE(r.err.empty()) << command;
    }
    EXPECT_NE(run("check --help").out.find("--lookup FILE"), std::string::npos);
    EXPECT_NE(run("run --help").out.find("--script FILE"), std::string::npos);
}

} // namespace
