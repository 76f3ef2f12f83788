// Runs of a session: one at a time, each with the services to itself.
#include "session_observer_log.h"

#include <gtest/gtest.h>

#include <atomic>

namespace formwick::test {
namespace {

using namespace std::chrono_literals;

// Many quick restarts, as when the user changes models and edits in a
// hurry: no routine ever starts while another is still inside, and each one
// sees the session's own services installed.
TEST(SessionRuns, TwoRunsNeverOverlapAndEachHasTheServices) {
    TempFolder folder;
    ObserverLog log;
    std::atomic<int> inside{0}, most{0}, runs{0};
    std::atomic<bool> foreignServices{false};
    {
        TerminalSession session(folder.path, &log);
        auto routine = [&] {
            const int now = ++inside;
            int seen = most.load();
            while (now > seen && !most.compare_exchange_weak(seen, now)) {}
            ++runs;
            if (&services().display->state() != &session.display().state() || services().keys != &session.host() ||
                services().files == nullptr)
                foreignServices = true;
            struct Leave {
                std::atomic<int>& n;
                ~Leave() { --n; }
            } leave{inside};
            // Draw a little, then wait for a key like the main menu does.
            term_printf("run %d", now);
            for (;;) key_get();
        };
        for (int i = 0; i < 20; ++i) {
            session.start(routine, key_list(i % 2 ? TerminalModel::R58 : TerminalModel::KTM3300));
            if (i % 4 == 0) {
                ASSERT_TRUE(session.wait_waiting(2s));
            }
        }
        ASSERT_TRUE(session.wait_waiting(2s));
        EXPECT_TRUE(session.running());
        session.stop();
        EXPECT_TRUE(session.wait_ended(2s));
        EXPECT_FALSE(session.running());
    }
    EXPECT_EQ(most.load(), 1);
    EXPECT_GE(runs.load(), 5) << "the runs that were not stopped before they began did run";
    EXPECT_FALSE(foreignServices.load());
    EXPECT_EQ(services().keys, &services_detail::null_keys) << "no run leaves its services behind";
    EXPECT_EQ(log.ends.size(), 20u) << "every start ends once";
}

TEST(SessionRuns, RestartRunsTheSameRoutineOnTheNewKeyList) {
    TempFolder folder;
    TerminalSession session(folder.path);
    std::atomic<int> starts{0};
    session.start(
        [&] {
            ++starts;
            for (;;) key_get();
        },
        key_list(TerminalModel::R58));
    ASSERT_TRUE(session.wait_waiting(2s));
    session.restart(key_list(TerminalModel::KTM3300));
    ASSERT_TRUE([&] {
        for (int i = 0; i < 200 && starts < 2; ++i) std::this_thread::sleep_for(10ms);
        return starts == 2;
    }());
    ASSERT_TRUE(session.wait_waiting(2s));
    // The new run's key table is the KTM3300's: its F4 key is on the keypad,
    // so alpha mode turns it into KEY_F8 (the R58 has no F4 to translate).
    session.set_alpha_mode(true);
    session.key_press(KEY_F4);
    ASSERT_TRUE(session.wait_waiting(2s));
    EXPECT_EQ(session.host().queued_keys(), 0u) << "taken by the waiting run";
    EXPECT_EQ(session.host().last_key(), KEY_F8);
}

TEST(SessionRuns, ARuntimeFailureIsReportedAndTheNextStartWorks) {
    TempFolder folder;
    ObserverLog log;
    TerminalSession session(folder.path, &log);
    session.start([] { throw std::runtime_error("broken table"); }, key_list(TerminalModel::KTM3300));
    ASSERT_TRUE(session.wait_ended(2s));
    session.flush_events();
    ASSERT_EQ(log.failures.size(), 1u);
    EXPECT_NE(log.failures[0].find("broken table"), std::string::npos);
    std::atomic<bool> ran{false};
    session.start([&] { ran = true; }, key_list(TerminalModel::KTM3300));
    ASSERT_TRUE(session.wait_ended(2s));
    EXPECT_TRUE(ran.load());
}

} // namespace
} // namespace formwick::test
