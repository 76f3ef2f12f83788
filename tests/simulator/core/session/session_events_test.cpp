// News from a run reaches the observer on the session's own thread, with
// no lock of the display or the host held.
#include "session_observer_log.h"

#include <gtest/gtest.h>

#include <atomic>

namespace formwick::test {
namespace {

using namespace std::chrono_literals;

TEST(SessionEvents, FramesLedAndTonesReachTheObserverOnItsOwnThread) {
    TempFolder folder;
    ObserverLog log;
    TerminalSession session(folder.path, &log);
    // The observer reads the display and the host from its call: under the
    // draw lock or the key lock of another thread this would block the run,
    // on the same thread the key lock would deadlock.
    std::atomic<int> readsInObserver{0};
    log.onFrame = [&] {
        (void)session.display().get_pixel(0, 0);
        (void)session.host().queued_keys();
        (void)session.led();
        ++readsInObserver;
    };
    std::thread::id runtimeThread;
    session.start(
        [&] {
            runtimeThread = std::this_thread::get_id();
            term_printf("Hello");
            led_show(LED_GREEN, false, 200);
            sound(5, 32, TONE_1000HZ, TONE_SILENCE, TONE_1000HZ);
            for (;;) key_get();
        },
        key_list(TerminalModel::KTM3300));
    ASSERT_TRUE(session.wait_waiting(2s));
    ASSERT_TRUE(log.wait([&] { return log.frames > 0 && log.leds > 0 && log.toneCalls > 0; }));
    session.stop();
    ASSERT_TRUE(session.wait_ended(2s));
    session.flush_events();
    EXPECT_GT(readsInObserver.load(), 0);
    EXPECT_TRUE(session.led().on && session.led().colour == LED_GREEN);
    std::lock_guard lock(log.mutex);
    ASSERT_EQ(log.threads.size(), 1u) << "one event thread delivers everything";
    EXPECT_NE(*log.threads.begin(), runtimeThread);
    EXPECT_NE(*log.threads.begin(), std::this_thread::get_id());
}

// Alpha-mode taps come from the window thread while the runtime draws,
// moves its cursor by hand and the observer reads frames: nothing may
// deadlock, and (under the thread sanitizer) the preview never reads the
// cursor while the runtime sets it.
TEST(SessionEvents, AlphaTapsWhileTheRuntimeDrawsNeverDeadlock) {
    TempFolder folder;
    ObserverLog log;
    TerminalSession session(folder.path, &log);
    log.onFrame = [&] { (void)session.display().frame(); };
    std::atomic<bool> drawing{false};
    session.start(
        [&] {
            drawing = true;
            for (int i = 0;; ++i) {
                if (i % 16 == 0) display_state().cursorColumn = 0;
                term_printf("%c", 'a' + i % 26);
                wait_ms(0);
                key_poll();
            }
        },
        key_list(TerminalModel::KTM3300));
    while (!drawing) std::this_thread::yield();
    session.set_alpha_mode(true);
    for (int i = 0; i < 3000; ++i) session.key_press('2' + i % 3);
    session.stop();
    EXPECT_TRUE(session.wait_ended(5s));
}

} // namespace
} // namespace formwick::test
