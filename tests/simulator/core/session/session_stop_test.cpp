// The stop of a session: kept when early, quick when the run waits, and
// never a wait for the window thread.
#include "session_observer_log.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace formwick::test {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

// A routine that works without ever waiting until it is released, as an
// index rebuild does.
struct BusyRoutine {
    std::atomic<bool> release{false};
    std::atomic<bool> inside{false};
    TerminalSession::Routine routine() {
        return [this] {
            inside = true;
            while (!release) std::this_thread::yield();
            for (;;) key_get();
        };
    }
};

// Run B is started while run A still works, then stopped before B's thread
// can reach the runtime. The host clears its own stop when a run begins, so
// only the session's mark keeps this stop from being lost.
TEST(SessionStop, AStopBeforeTheRuntimeThreadEntersIsKept) {
    TempFolder folder;
    ObserverLog log;
    TerminalSession session(folder.path, &log);
    BusyRoutine a;
    session.start(a.routine(), key_list(TerminalModel::KTM3300));
    while (!a.inside) std::this_thread::yield();
    std::atomic<bool> bEntered{false};
    session.start([&] { bEntered = true; for (;;) key_get(); }, key_list(TerminalModel::KTM3300));
    session.stop();
    a.release = true;
    ASSERT_TRUE(session.wait_ended(2s)) << "run B must not wait for keys after its stop";
    EXPECT_FALSE(bEntered.load());
    session.flush_events();
    ASSERT_EQ(log.ends.size(), 2u);
    EXPECT_EQ(log.ends[0], RunEnd::stopped);
    EXPECT_EQ(log.ends[1], RunEnd::not_entered);
}

TEST(SessionStop, NeverWaitsForABusyRuntime) {
    TempFolder folder;
    TerminalSession session(folder.path);
    BusyRoutine busy;
    session.start(busy.routine(), key_list(TerminalModel::KTM3300));
    while (!busy.inside) std::this_thread::yield();
    session.stop();
    EXPECT_TRUE(session.running()) << "stop returned while the runtime still works";
    busy.release = true;
    EXPECT_TRUE(session.wait_ended(2s)) << "the busy run ends at its next wait";
}

struct WaitCase {
    const char* name;
    TerminalSession::Routine routine;
};

// Each kind of wait the runtime sits in on the desktop. The bound here only
// tells a stop that works from one that falls through to a time-out; the
// time a stop takes is measured in the window benchmark.
TEST(SessionStop, EndsARunThatWaits) {
    const WaitCase cases[] = {
        {"key", [] { for (;;) key_get(); }},
        {"time-out", [] { for (;;) key_get_timeout(); }},
        {"pause", [] { for (;;) wait_ms(60000); }},
        {"barcode dialog",
         [] {
             scanner_arm(0);
             char buffer[21];
             scanner_read(buffer, 20);
             for (;;) key_get();
         }},
    };
    for (const WaitCase& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder folder;
        ObserverLog log;
        TerminalSession session(folder.path, &log);
        session.set_trigger_held(true);
        session.start(c.routine, key_list(TerminalModel::KTM3300));
        if (std::string(c.name) == "barcode dialog")
            ASSERT_TRUE(log.wait([&] { return log.barcodeOpens == 1; }));
        else if (std::string(c.name) == "pause")
            std::this_thread::sleep_for(50ms); // a pause is not a wait for input: nothing reports it
        else
            ASSERT_TRUE(session.wait_waiting(2s));
        const auto t0 = Clock::now();
        session.stop();
        const auto stopReturned = Clock::now() - t0;
        ASSERT_TRUE(session.wait_ended(1s));
        EXPECT_LT(stopReturned, 500ms);
        EXPECT_LT(Clock::now() - t0, 500ms);
        session.flush_events();
        EXPECT_EQ(log.barcodeOpens, log.barcodeCloses) << "an open dialog is closed by the stop";
        ASSERT_EQ(log.ends.size(), 1u);
        EXPECT_EQ(log.ends[0], RunEnd::stopped);
        EXPECT_FALSE(session.barcode_waiting());
    }
}

TEST(SessionStop, TheBarcodeDialogAnswerReachesTheRuntimeAndALateAnswerIsDropped) {
    TempFolder folder;
    ObserverLog log;
    TerminalSession session(folder.path, &log);
    session.set_trigger_held(true);
    std::string read;
    std::atomic<int> result{99};
    session.start(
        [&] {
            scanner_arm(1);
            char buffer[9] = {};
            result = scanner_read(buffer, 8);
            read = buffer;
            for (;;) key_get();
        },
        key_list(TerminalModel::KTM3300));
    ASSERT_TRUE(log.wait([&] { return log.barcodeOpens == 1; }));
    session.answer_barcode(std::string("4006381"));
    ASSERT_TRUE(session.wait_waiting(2s));
    EXPECT_EQ(result.load(), 0);
    EXPECT_EQ(read, "4006381");
    session.answer_barcode(std::string("late")); // no request open: dropped
    EXPECT_FALSE(session.barcode_waiting());
    session.flush_events();
    EXPECT_EQ(log.barcodeCloses, 1);
}

} // namespace
} // namespace formwick::test
