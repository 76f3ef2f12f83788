// The tick's callback slots, the real tick thread, and the calendar.
#include "simulator/core/host/host_calendar.h"
#include "simulator/core/host/tick_slots.h"
#include "virtual_run.h"

#include <gtest/gtest.h>

#include <atomic>
#include <condition_variable>

namespace formwick::test {
namespace {

std::atomic<int> gTicks{0};
void count_tick() { ++gTicks; }
// Draws through the installed services, as the busy animation does.
void drawing_tick() {
    display_refresh();
    ++gTicks;
}

template <int N> void numbered_tick() {}

TEST(HostTickSlots, TwentySlotsThenFull) {
    TickSlots slots;
    const TickCallback distinct[] = {
        numbered_tick<0>,  numbered_tick<1>,  numbered_tick<2>,  numbered_tick<3>,  numbered_tick<4>,
        numbered_tick<5>,  numbered_tick<6>,  numbered_tick<7>,  numbered_tick<8>,  numbered_tick<9>,
        numbered_tick<10>, numbered_tick<11>, numbered_tick<12>, numbered_tick<13>, numbered_tick<14>,
        numbered_tick<15>, numbered_tick<16>, numbered_tick<17>, numbered_tick<18>,
    };
    for (TickCallback cb : distinct) ASSERT_EQ(slots.install(cb), 0);
    EXPECT_EQ(slots.install(count_tick), 0);
    EXPECT_EQ(slots.install(count_tick), 0) << "already installed takes no second slot";
    EXPECT_EQ(slots.install(numbered_tick<19>), -1);
    EXPECT_EQ(slots.remove(numbered_tick<3>), 0);
    EXPECT_EQ(slots.install(numbered_tick<19>), 0);
}

TEST(HostTick, BusyCallbackRunsOnEveryVirtualTickUntilStopped) {
    gTicks = 0;
    std::atomic<int> started{99};
    VirtualRun run([&] {
        started = busy_start(count_tick);
        key_get();
        busy_stop(count_tick);
        key_get();
    });
    run.settle();
    ASSERT_TRUE(run.terminal.advance(1000));
    EXPECT_EQ(started.load(), 0);
    EXPECT_EQ(gTicks.load(), 50);
    run.press(KEY_ENTER);
    ASSERT_TRUE(run.terminal.advance(1000));
    EXPECT_EQ(gTicks.load(), 50);
}

// Run under ThreadSanitizer this shows that on virtual time the callback
// and the runtime never draw at the same moment.
TEST(HostTick, VirtualTicksNeverDrawWhileTheRuntimeDraws) {
    gTicks = 0;
    std::atomic<int> woken{0};
    VirtualRun run([&] {
        busy_start(drawing_tick);
        for (;;) {
            key_get_timeout();
            display_refresh();
            ++woken;
        }
    });
    run.settle();
    ASSERT_TRUE(run.terminal.advance(20000));
    run.settle();
    EXPECT_EQ(woken.load(), 4);
    EXPECT_EQ(gTicks.load(), 1000);
    EXPECT_EQ(run.display.refreshes, 1 + 4 + 1000);
}

TEST(HostTick, TheLedTimersRunOnTheHostTick) {
    VirtualRun run([] {
        led_show(LED_GREEN, false, 200);
        key_get();
    });
    run.settle();
    EXPECT_TRUE(run.terminal.led().view().lit());
    ASSERT_TRUE(run.terminal.advance(200));
    EXPECT_FALSE(run.terminal.led().view().on);
}

TEST(HostTick, RealClockTicksOnItsOwnThread) {
    gTicks = 0;
    VirtualRun run(
        [] {
            busy_start(drawing_tick);
            key_get();
        },
        TerminalModel::KTM3300, ClockMode::real);
    run.settle();
    // No claim on speed: only that ticks come without anyone driving them.
    for (int i = 0; i < 500 && gTicks.load() < 3; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_GE(gTicks.load(), 3);
    EXPECT_EQ(run.finish(), RunEnd::stopped);
}

TEST(HostCalendar, VirtualTimeCountsFromTheStartMoment) {
    HostClock clock(ClockMode::virtual_time);
    HostCalendar calendar(clock);
    DateRecord d;
    TimeRecord t;
    calendar.get_date(d);
    calendar.get_time(t);
    EXPECT_EQ(d.year, 2025);
    EXPECT_EQ(d.month, 1);
    EXPECT_EQ(d.day, 1);
    EXPECT_EQ(t.hour, 8);
    clock.advance_to(61500);
    calendar.get_time(t);
    EXPECT_EQ(t.minute, 1);
    EXPECT_EQ(t.second, 1);
    ASSERT_TRUE(calendar.set_now({2024, 2, 29}, {23, 59, 59}));
    clock.advance_to(62500);
    calendar.get_date(d);
    calendar.get_time(t);
    EXPECT_EQ(d.month, 3);
    EXPECT_EQ(d.day, 1);
    EXPECT_EQ(t.hour, 0);
    EXPECT_FALSE(calendar.set_now({2023, 2, 29}, {0, 0, 0}));
}

TEST(HostCalendar, SetDateOnlyChecksTheDateExists) {
    HostClock clock(ClockMode::real);
    HostCalendar calendar(clock);
    const std::pair<DateRecord, int> cases[] = {
        {{2024, 2, 29}, 0}, {{2023, 2, 29}, -1}, {{2025, 13, 1}, -1}, {{2025, 4, 31}, -1},
        {{2025, 1, 0}, -1}, {{1600, 6, 1}, -1},  {{30827, 12, 31}, 0},
    };
    for (auto [date, expected] : cases)
        EXPECT_EQ(calendar.set_date(date), expected) << date.year << "-" << int(date.month) << "-" << int(date.day);
    DateRecord today;
    calendar.get_date(today);
    EXPECT_GE(today.year, 2024);
}

} // namespace
} // namespace formwick::test
