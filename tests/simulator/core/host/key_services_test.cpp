// The key services on the virtual clock: bursts, the time-out, wait_for,
// unget, poll, wait_ms and the stop during every kind of wait.
#include "virtual_run.h"

#include <gtest/gtest.h>

#include <atomic>
#include <future>

namespace formwick::test {
namespace {

TEST(HostKeys, QuickPressesReturnTheFirstAndDropTheRest) {
    std::promise<void> started, pressed;
    std::vector<int> got;
    VirtualRun run([&] {
        started.set_value();
        pressed.get_future().wait(); // the burst is queued before the read
        collect_keys(got)();
    });
    started.get_future().wait();
    run.terminal.key_press('1');
    run.terminal.key_press('2');
    run.terminal.key_press(KEY_ENTER);
    pressed.set_value();
    run.settle();
    EXPECT_EQ(got, std::vector<int>{'1'});
    EXPECT_EQ(run.terminal.queued_keys(), 0u);
    EXPECT_EQ(run.terminal.last_key(), '1');
    // The key click: 3 steps of 20 ms at 1500 Hz.
    EXPECT_EQ(run.audio.timeline(), (std::vector<ToneSegment>{{1500, 0, 60}}));
}

TEST(HostKeys, GetTimeoutGivesUpAfter250Ticks) {
    std::atomic<int> result{0};
    std::atomic<long long> at{-1};
    VirtualRun run([&] {
        result = key_get_timeout();
        at = run.terminal.clock().now();
        key_get();
    });
    run.settle();
    ASSERT_TRUE(run.terminal.advance(4980));
    EXPECT_EQ(at.load(), -1) << "returned before the 250th tick";
    ASSERT_TRUE(run.terminal.advance(20));
    run.settle();
    EXPECT_EQ(result.load(), KEY_NONE);
    EXPECT_EQ(at.load(), 5000);
    EXPECT_TRUE(run.audio.timeline().empty()) << "a time-out does not click";
}

TEST(HostKeys, GetTimeoutReturnsAKeyThatComesInTime) {
    std::atomic<int> result{0};
    VirtualRun run([&] {
        result = key_get_timeout();
        key_get();
    });
    run.settle();
    ASSERT_TRUE(run.terminal.advance(3000));
    run.press(KEY_DOWN);
    EXPECT_EQ(result.load(), KEY_DOWN);
}

TEST(HostKeys, GetTimeoutExpiring100TimesTakes500SecondsOfTerminalTime) {
    std::atomic<int> timeouts{0};
    VirtualRun run([&] {
        for (;;)
            if (key_get_timeout() == KEY_NONE) ++timeouts;
    });
    run.settle();
    ASSERT_TRUE(run.terminal.advance(500 * 1000));
    run.settle();
    EXPECT_EQ(timeouts.load(), 100);
}

TEST(HostKeys, WaitForIgnoresOtherKeysAndEmptiesTheQueue) {
    std::atomic<int> result{0};
    VirtualRun run([&] {
        result = key_wait_for(2, KEY_ENTER, KEY_CLEAR);
        key_get();
    });
    for (int code : {int('1'), int('9'), KEY_DOWN}) {
        run.press(code);
        EXPECT_EQ(result.load(), 0);
    }
    run.settle();
    run.terminal.key_press(KEY_ENTER);
    run.terminal.key_press('5');
    run.settle();
    EXPECT_EQ(result.load(), KEY_ENTER);
    EXPECT_EQ(run.terminal.queued_keys(), 0u);
}

TEST(HostKeys, WaitForWithoutCodesReturnsAtOnce) {
    std::atomic<int> result{0};
    VirtualRun run([&] {
        result = key_wait_for(0, KEY_ENTER);
        key_get();
    });
    run.settle();
    EXPECT_EQ(result.load(), KEY_NONE);
}

TEST(HostKeys, UngetPutsTheKeyInFrontAndPollTakesWithoutClick) {
    std::vector<int> polled;
    VirtualRun run([&] {
        scanner_arm(0);
        wait_ms(10000); // the barcode dialog: ends early on the key below
        scanner_disarm();
        key_unget(KEY_F1);
        for (int k; (k = key_poll()) != KEY_NONE;) polled.push_back(k);
        key_get();
    });
    run.press('5');
    EXPECT_EQ(polled, (std::vector<int>{KEY_F1, '5'}));
    EXPECT_TRUE(run.audio.timeline().empty());
    EXPECT_LT(run.terminal.clock().now(), 10000) << "wait_ms woke on the key";
}

TEST(HostKeys, FlushEmptiesTheQueueSoTheTimeOutStillRuns) {
    std::atomic<int> result{0};
    VirtualRun run([&] {
        scanner_arm(0);
        wait_ms(100); // the barcode dialog, where the key below comes
        scanner_disarm();
        key_flush();
        result = key_get_timeout();
        key_get();
    });
    run.press('5');
    ASSERT_TRUE(run.terminal.advance(5000));
    run.settle();
    EXPECT_EQ(result.load(), KEY_NONE);
}

// Every kind of wait ends the run on the stop, on both clocks.
struct StopCase {
    const char* name;
    void (*wait)();
};

const StopCase kStopCases[] = {
    {"key_get", [] { key_get(); }},
    {"key_get_timeout", [] { key_get_timeout(); }},
    {"key_wait_for", [] { key_wait_for(1, KEY_ENTER); }},
    {"wait_ms", [] {
         scanner_arm(0); // the barcode dialog's wait: a pause would not be waited in
         wait_ms(60000);
     }},
};

class HostStop : public ::testing::TestWithParam<std::tuple<StopCase, ClockMode>> {};

TEST_P(HostStop, EndsTheWaitingRun) {
    const auto& [stopCase, mode] = GetParam();
    std::atomic<bool> after{false};
    VirtualRun run(
        [&, wait = stopCase.wait] {
            wait();
            after = true;
        },
        TerminalModel::KTM3300, mode);
    run.settle();
    EXPECT_EQ(run.finish(), RunEnd::stopped) << stopCase.name;
    EXPECT_FALSE(after.load()) << stopCase.name;
}

INSTANTIATE_TEST_SUITE_P(HostWaits, HostStop,
                         ::testing::Combine(::testing::ValuesIn(kStopCases),
                                            ::testing::Values(ClockMode::virtual_time, ClockMode::real)),
                         [](const auto& info) {
                             return std::string(std::get<0>(info.param).name) +
                                    (std::get<1>(info.param) == ClockMode::real ? "_real" : "_virtual");
                         });

} // namespace
} // namespace formwick::test
