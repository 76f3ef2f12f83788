// Headless runs of small test routines fed by key scripts.
#include "simulator/core/runner/headless_run.h"
#include "../host/virtual_run.h"

#include <gtest/gtest.h>

#include <atomic>
#include <sstream>

namespace formwick::test {
namespace {

class FakeScreen final : public ScreenDump {
public:
    std::string text_view() override { return "<screen " + std::to_string(++views) + ">\n"; }
    std::vector<std::vector<std::string>> readings() override { return {rows}; }
    std::string pixel_view() override { return "<pixels>\n"; }
    bool write_png(const std::string& path, std::string& error) override {
        if (path.find("missing/") != std::string::npos) {
            error = "cannot create " + path;
            return false;
        }
        pngs.push_back(path);
        return true;
    }
    int views = 0;
    std::vector<std::string> pngs;
    std::vector<std::string> rows; // what the screen reads back
};

// A routine shaped like a form line: reads text up to ENTER, then a barcode
// the way the runtime reads one, then waits for keys for ever.
struct FormRoutine {
    std::string typed;
    std::string barcode;
    int timeouts = 0;
    void operator()() {
        for (int k; (k = key_get()) != KEY_ENTER;) typed += static_cast<char>(k);
        key_flush();
        scanner_arm(0);
        char buffer[32];
        while (scanner_read(buffer, 31) != 0) {
            if (key_poll() == KEY_TRIGGER) scanner_arm(0);
            wait_ms(2);
        }
        barcode = buffer;
        for (;;)
            if (key_get_timeout() == KEY_NONE) ++timeouts;
    }
};

struct ScriptRun {
    HeadlessResult result;
    CollectingSink sink;
    std::ostringstream out;
    std::ostringstream warnings;
    FakeScreen screen;
};

void run_script(ScriptRun& run, const std::string& text, const std::function<void()>& routine,
                TerminalModel model = TerminalModel::KTM3300) {
    KeyScript script;
    ASSERT_TRUE(parse_key_script(text, script, run.sink));
    HeadlessOptions options;
    options.executor.model = model;
    options.executor.screen = &run.screen;
    options.executor.out = &run.out;
    options.executor.warnings = &run.warnings;
    options.executor.outputDir = "/tmp/shots";
    options.executor.busyLimit = std::chrono::milliseconds(2000);
    run.result = run_headless(script, routine, options, run.sink);
}

TEST(HostRunner, TypesScansWaitsAndShowsTheScreen) {
    FormRoutine form;
    ScriptRun run;
    run_script(run,
               "# a form line and a scan\n"
               "TYPE \"Ab 1,c\"\n"
               "5\n"
               "ENTER\n"
               "SCAN \"4006381333931\"\n"
               "WAIT 500\n"
               "SCREEN\n"
               "SCREEN \"end.png\"\n",
               std::ref(form));
    EXPECT_TRUE(run.result.ok) << (run.sink.messages.empty() ? "" : run.sink.messages[0]);
    EXPECT_EQ(run.result.end, RunEnd::stopped);
    EXPECT_EQ(form.typed, "Ab 1,c5");
    EXPECT_EQ(form.barcode, "4006381333931");
    EXPECT_EQ(form.timeouts, 100);
    EXPECT_EQ(run.out.str(), "<screen 1>\n");
    EXPECT_EQ(run.screen.pngs, std::vector<std::string>{"/tmp/shots/end.png"});
}

TEST(HostRunner, TheSameScriptGivesTheSameTerminalTime) {
    HostClock::Millis first = 0;
    for (int i = 0; i < 2; ++i) {
        FormRoutine form;
        ScriptRun run;
        run_script(run, "TYPE \"hello\"\nENTER\nSCAN \"1\"\nWAIT 7\n", std::ref(form));
        ASSERT_TRUE(run.result.ok);
        EXPECT_EQ(form.typed, "hello");
        if (i == 0) first = run.result.terminalMs;
        EXPECT_EQ(run.result.terminalMs, first);
    }
    EXPECT_GT(first, 7000);
}

TEST(HostRunner, AScanNobodyReadsActsAsATriggerPress) {
    std::vector<int> got;
    ScriptRun run;
    run_script(run, "SCAN \"123\"\n", collect_keys(got));
    EXPECT_TRUE(run.result.ok);
    EXPECT_EQ(got, std::vector<int>{KEY_TRIGGER});
    EXPECT_EQ(run.warnings.str(), "line 1: no barcode read took \"123\"; the trigger acted as a key\n");
}

// The terminal refuses a barcode longer than the read takes without a
// word; the player says so.
TEST(HostRunner, ABarcodeLongerThanTheReadTakesIsReported) {
    FormRoutine form;
    ScriptRun run;
    run_script(run, "ENTER\nSCAN \"" + std::string(32, '7') + "\"\nSCAN \"12\"\n", std::ref(form));
    EXPECT_TRUE(run.result.ok);
    EXPECT_EQ(form.barcode, "12");
    EXPECT_EQ(run.warnings.str(), "line 2: the terminal refused \"" + std::string(32, '7') +
                                      "\": 32 characters, longer than the 31 the read takes\n");
}

// A letter still pending when a key that taps no letter comes would reach
// the queue with it, and the runtime's read would drop that key: the
// player lets the letter commit first, in every way a key can come.
TEST(HostRunner, APendingLetterIsCommittedBeforeAKeyThatTapsNone) {
    struct Case {
        const char* script;
        std::vector<int> keys;
    };
    const Case cases[] = {
        {"ALPHA ON\n2 x2\nDOWN\n", {'b', KEY_DOWN_ALPHA}},
        {"ALPHA ON\n2\nENTER\nTYPE \"c\"\n", {'a', KEY_ENTER, 'c'}},
        {"ALPHA ON\n2\n3\nBS\n", {'a', 'd', KEY_BS}},
        {"ALPHA ON\n2\nSCAN \"1\"\n", {'a', KEY_TRIGGER}},
        {"ALPHA ON\n2\nTYPE \"a\"\n", {'a', 'a'}}, // the text's first letter on the same key
    };
    for (const Case& c : cases) {
        std::vector<int> got;
        ScriptRun run;
        run_script(run, c.script, collect_keys(got));
        EXPECT_TRUE(run.result.ok) << c.script;
        EXPECT_EQ(got, c.keys) << c.script;
    }
}

TEST(HostRunner, StopsAtTheFirstFailingCommand) {
    std::vector<int> got;
    ScriptRun run;
    run_script(run, "1\nSCREEN \"missing/x.png\"\n2\n", collect_keys(got));
    EXPECT_FALSE(run.result.ok);
    EXPECT_EQ(got, std::vector<int>{'1'});
    ASSERT_EQ(run.sink.messages.size(), 1u);
    EXPECT_EQ(run.sink.messages[0], "line 2: SCREEN: cannot create /tmp/shots/missing/x.png");
}

TEST(HostRunner, ARoutineThatEndsLeavesTheRestOfTheScript) {
    ScriptRun run;
    run_script(run, "ENTER\nSCREEN\nENTER\n", [] { key_get(); });
    EXPECT_FALSE(run.result.ok);
    EXPECT_EQ(run.result.end, RunEnd::returned);
    EXPECT_EQ(run.out.str(), "<screen 1>\n") << "the last screen can still be shown";
    EXPECT_EQ(run.sink.messages, std::vector<std::string>{"line 3: the run ended before this line"});
}

TEST(HostRunner, AFailingRoutineIsReported) {
    ScriptRun run;
    run_script(run, "ENTER\n", [] {
        key_get();
        throw std::runtime_error("index broken");
    });
    EXPECT_FALSE(run.result.ok);
    EXPECT_EQ(run.sink.messages, std::vector<std::string>{"the run failed: index broken"});
}

TEST(HostRunner, AScriptTheModelCannotPlayDoesNotStart) {
    std::atomic<bool> entered{false};
    ScriptRun run;
    run_script(run, "F4\n", [&] { entered = true; }, TerminalModel::R58);
    EXPECT_FALSE(run.result.ok);
    EXPECT_FALSE(entered.load());
    EXPECT_EQ(run.sink.messages, std::vector<std::string>{"line 1: the R58 has no F4 key"});
}

TEST(HostRunner, ClockSetsTheTerminalDate) {
    DateRecord date;
    TimeRecord time;
    ScriptRun run;
    run_script(run, "CLOCK 2024-12-31 23:59:58\nWAIT 3\nENTER\n", [&] {
        key_get();
        clock_get_date(date);
        clock_get_time(time);
        key_get();
    });
    EXPECT_TRUE(run.result.ok);
    EXPECT_EQ(date.year, 2025);
    EXPECT_EQ(date.month, 1);
    EXPECT_EQ(time.second, 1);
}

} // namespace
} // namespace formwick::test
