// formwick-cli run over the example application: its key script passes, a
// wrong expectation fails with a report, and the options do what they say.
#include "read_whole_file.h"

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;
using formwick::test::read_file;

namespace {

const std::string kExamples = FORMWICK_EXAMPLES;

class CliRun : public ::testing::Test {
  protected:
    CliRun() {
        char name[] = "/tmp/formwick-cli-run-XXXXXX";
        dir = mkdtemp(name);
        fs::create_directory(dir / "tmp");
    }
    ~CliRun() override { fs::remove_all(dir); }

    struct Result {
        int status;
        std::string out, err;
    };
    // Runs `formwick-cli run` with its temporary files under dir/tmp.
    Result run(const std::string& args) {
        const std::string command = "TMPDIR=" + (dir / "tmp").string() + " " + FORMWICK_CLI +
                                    " run " + args + " >" + (dir / "out").string() + " 2>" +
                                    (dir / "err").string();
        const int raw = std::system(command.c_str());
        return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, read_file(dir / "out"),
                read_file(dir / "err")};
    }
    std::string example_args(const std::string& script) const {
        return kExamples + "/stock.json --script " + script + " --file " + kExamples +
               "/Articles.txt";
    }
    // The example script with one line replaced; its line number in `line`.
    std::string changed_script(const std::string& from, const std::string& to, int& line) {
        std::istringstream in(read_file(kExamples + "/stock.keys"));
        std::string text, s;
        line = 0;
        for (int n = 1; std::getline(in, s); ++n) {
            if (s.find(from) != std::string::npos) {
                s.replace(s.find(from), from.size(), to);
                line = n;
            }
            text += s + "\n";
        }
        EXPECT_NE(line, 0) << from;
        const fs::path path = dir / "changed.keys";
        std::ofstream(path, std::ios::binary) << text;
        return path.string();
    }

    fs::path dir;
};

TEST_F(CliRun, TheExampleScriptPassesShowsItsScreensAndStoresTheCounts) {
    const Result r =
        run(example_args(kExamples + "/stock.keys") + " --ramdisk " + (dir / "rd").string());
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    for (const char* row :
         {"|Stock taking    |", "|1 Count stock   |", "|search item not |", "|Coffee beans 1kg|"})
        EXPECT_NE(r.out.find(row), std::string::npos) << row << "\n" << r.out;
    EXPECT_EQ(read_file(dir / "rd" / "Counts.txt"),
              "8712345678913;000012\r\n999          ;000005\r\n");
    EXPECT_TRUE(fs::is_empty(dir / "tmp")) << "a named RAM disk needs no temporary folder";
}

TEST_F(CliRun, AWrongExpectationExitsWith1AndNamesItsLine) {
    struct Case {
        const char* from;
        const char* to;
        const char* expected;
        const char* found;
    };
    const Case cases[] = {
        {"000012\\r\\n999", "000012\\n999", "expected Counts.txt to hold \"8712345678913;000012\\n999",
         "found: \"8712345678913;000012\\r\\n999          ;000005\\r\\n\" (44 bytes, the first 20 as expected)"},
        {"EXPECT SCREEN \"Quantity:\"", "EXPECT SCREEN \"Quantty:\"",
         "expected the screen to show \"Quantty:\"", "the nearest read \"Quantity:\""},
        {"EXPECT VAR 1 \"8712345678913\"", "EXPECT VAR 1 \"8712345678920\"",
         "expected variable 1 to hold \"8712345678920\"", "found: \"8712345678913\""},
    };
    for (const Case& c : cases) {
        int line = 0;
        const Result r = run(example_args(changed_script(c.from, c.to, line)));
        EXPECT_EQ(r.status, 1) << c.to;
        EXPECT_NE(r.err.find("line " + std::to_string(line) + ": " + c.expected), std::string::npos)
            << r.err;
        EXPECT_NE(r.err.find(c.found), std::string::npos) << r.err;
        EXPECT_NE(r.err.find("  the screen:\n    +----------------+\n    |"), std::string::npos)
            << r.err;
    }
    EXPECT_TRUE(fs::is_empty(dir / "tmp")) << "the temporary RAM disk is removed after the run";
}

TEST_F(CliRun, TheR58HasNoF4) {
    std::ofstream(dir / "f4.keys") << "WAIT 6\nF4\n";
    const Result r58 =
        run(kExamples + "/stock.json --script " + (dir / "f4.keys").string() + " --model R58");
    EXPECT_EQ(r58.status, 1);
    EXPECT_EQ(r58.err, "line 2: the R58 has no F4 key\n");
    EXPECT_EQ(
        run(kExamples + "/stock.json --script " + (dir / "f4.keys").string() + " --model KTM3300")
            .status,
        0);
}

TEST_F(CliRun, PngSavesEveryPrintedScreenNumbered) {
    const Result r =
        run(example_args(kExamples + "/stock.keys") + " --png " + (dir / "shots").string());
    ASSERT_EQ(r.status, 0) << r.err;
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir / "shots"))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    ASSERT_EQ(names.size(), 5u);
    EXPECT_EQ(names.front(), "screen-01-line9.png");
    EXPECT_EQ(names.back().rfind("screen-05-line", 0), 0u) << names.back();
    for (const std::string& name : names) {
        EXPECT_EQ(read_file(dir / "shots" / name).substr(1, 3), "PNG") << name;
        EXPECT_NE(r.out.find("saved " + (dir / "shots" / name).string() + "\n"), std::string::npos) << name;
    }
}

TEST_F(CliRun, BadArgumentsAreUsageErrorsAndBadFilesAreRefused) {
    std::ofstream(dir / "ok.keys") << "WAIT 1\n";
    const std::string keys = (dir / "ok.keys").string();
    struct Case {
        std::string args;
        int status;
        std::string err;
    };
    const std::vector<Case> cases = {
        {kExamples + "/stock.json --ramdisk " + dir.string(), 2, "run: needs --script FILE"},
        {"--script " + keys + " --model R58", 2, "run: names no application"},
        {kExamples + "/stock.json --script " + keys + " --model R59", 2,
         "--model takes R58 or KTM3300, not R59"},
        {kExamples + "/stock.json --script " + keys + " --speed 2", 2, "unknown option --speed"},
        {kExamples + "/stock.json " + kExamples + "/stock.json --script " + keys, 2,
         "one application only"},
        {kExamples + "/stock.json --script " + keys + " --file " + (dir / "nope.txt").string(), 1,
         (dir / "nope.txt").string() + ": no such file"},
        {kExamples + "/stock.json --script " + (dir / "nope.keys").string(), 1,
         "cannot read the key script"},
    };
    for (const Case& c : cases) {
        const Result r = run(c.args);
        EXPECT_EQ(r.status, c.status) << c.args;
        EXPECT_NE(r.err.find(c.err), std::string::npos) << c.args << "\n" << r.err;
        if (c.status == 2) {
            EXPECT_NE(r.err.find("usage: formwick-cli run"), std::string::npos) << r.err;
        }
    }
}

} // namespace
