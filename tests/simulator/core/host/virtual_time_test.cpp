// Virtual time as a driver sees it: what counts as the runtime waiting for
// input, and time jumping over stretches where nothing can change.
#include "virtual_run.h"

#include <gtest/gtest.h>

#include <atomic>

namespace formwick::test {
namespace {

// The barcode dialog of the runtime: polls the scanner and the keys every
// 2 ms while the scanner is armed; counts its polls.
void barcode_dialog(std::atomic<int>& polls, std::atomic<int>& stage) {
    key_flush();
    scanner_arm(0);
    char buffer[32];
    for (;;) {
        ++polls;
        if (scanner_read(buffer, 31) == 0) break;
        if (const int key = key_poll(); key != KEY_NONE) {
            if (key == KEY_TRIGGER) {
                scanner_arm(0);
                continue;
            }
            break;
        }
        wait_ms(2);
    }
    scanner_disarm();
    stage = 2;
    key_get();
}

// A pause is not a wait for input: the driver settles only once the
// routine waits for a key again, with the pauses' time passed.
TEST(HostSettle, PausesOfTheRuntimeAreWaitedThrough) {
    std::atomic<int> stage{0};
    VirtualRun run([&] {
        stage = 1;
        key_get();
        wait_ms(2); // between two rounds of the main loop
        wait_ms(2);
        wait_ms(100);
        stage = 2;
        key_get();
    });
    run.press(KEY_ENTER);
    EXPECT_EQ(stage.load(), 2);
    EXPECT_EQ(run.terminal.clock().now(), 104);
}

TEST(HostSettle, ARuntimeThatOnlyPausesIsBusy) {
    VirtualRun run([] {
        for (;;) wait_ms(2);
    });
    EXPECT_EQ(run.terminal.wait_idle(std::chrono::milliseconds(200)), RuntimeState::busy);
}

// The barcode dialog's polls are a wait for input: the driver settles there
// at once, and a day of waiting wakes the dialog a few times, not once
// every 2 ms (43 million times).
TEST(HostSettle, TheBarcodeDialogWaitsForInputAndADayPassesInOneStep) {
    std::atomic<int> polls{0}, stage{0};
    VirtualRun run([&] { barcode_dialog(polls, stage); });
    run.settle();
    EXPECT_EQ(run.terminal.clock().now(), 0);
    EXPECT_EQ(polls.load(), 1);
    ASSERT_TRUE(run.terminal.advance(86'400'000));
    run.settle();
    EXPECT_EQ(run.terminal.clock().now(), 86'400'000);
    EXPECT_LE(polls.load(), 3);
    run.press(KEY_CLEAR); // a key ends the dialog
    EXPECT_EQ(stage.load(), 2);
}

// Ticks that can change nothing are skipped, and skipping keeps every
// time-out, LED timer and multi-tap commit where it falls.
TEST(HostVirtualTime, SkippedTicksKeepEveryTimerInPlace) {
    std::atomic<int> timeouts{0};
    VirtualRun run([&] {
        led_show(LED_RED, false, 7000);
        for (;;)
            if (key_get_timeout() == KEY_NONE) ++timeouts;
    });
    run.settle();
    ASSERT_TRUE(run.terminal.advance(4990));
    EXPECT_EQ(timeouts.load(), 0);
    ASSERT_TRUE(run.terminal.advance(10));
    run.settle();
    EXPECT_EQ(timeouts.load(), 1) << "the time-out falls on its 250th tick";
    ASSERT_TRUE(run.terminal.advance(1990));
    EXPECT_TRUE(run.terminal.led().view().on);
    ASSERT_TRUE(run.terminal.advance(10));
    EXPECT_FALSE(run.terminal.led().view().on) << "the LED goes off at 7 s";
    ASSERT_TRUE(run.terminal.advance(86'400'000 - 7000));
    run.settle();
    EXPECT_EQ(timeouts.load(), 86'400 / 5);
}

TEST(HostVirtualTime, APendingLetterCommitsAfterASecondAfterAJump) {
    std::vector<int> got;
    VirtualRun run(collect_keys(got));
    run.settle();
    ASSERT_TRUE(run.terminal.advance(3600'000));
    run.terminal.set_alpha_mode(true);
    run.terminal.key_press('2');
    ASSERT_TRUE(run.terminal.advance(980));
    EXPECT_TRUE(got.empty());
    ASSERT_TRUE(run.terminal.advance(20));
    run.settle();
    EXPECT_EQ(got, std::vector<int>{'a'});
}

} // namespace
} // namespace formwick::test
