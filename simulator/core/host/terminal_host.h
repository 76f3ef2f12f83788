// CTerminal: the terminal host.
//
// It runs the runtime once per run() on the calling thread (the runtime
// thread) and provides every terminal service except the display and the
// files: the key queue with alpha-mode multi-tap, the 20 ms tick with its
// count-down and callback slots, the scanner, the clock, the beeper and the
// LED. stop() ends a run from any thread: every waiting service throws
// TerminalStop{1}, which run() catches.
//
// Waits block on a condition variable and wake on a key, on the stop or on
// their time-out; nothing spins. The key queue, the multi-tap state, the
// count-down and the description of the runtime's current wait share one
// lock, held only for short updates.
//
// Time. Under the window the clock is real and a tick thread ticks every
// 20 ms. In headless runs the clock is virtual: time passes only when the
// driver calls advance(), which runs the ticks that fall due and wakes the
// runtime's waits when their time comes. The driver waits for the runtime
// to settle (wait_idle) before each scripted step, so runs repeat exactly.
// Settled means waiting for input: a key, a key time-out, or the barcode
// dialog's polling for a scan (wait_ms between the runtime's scanner_arm and
// scanner_disarm); a pause of the runtime's own (any other wait_ms) is not, and wait_idle lets its time pass. Virtual time
// jumps over ticks that can change nothing (no count-down running, no
// letter pending, no LED timer due, no tick callback) and over the barcode
// dialog's polls, so a day of waiting takes a few steps.
#pragma once

#include "runtime/services/terminal.h"
#include "simulator/core/beeper/beeper.h"
#include "simulator/core/host/barcode_entry.h"
#include "simulator/core/host/host_calendar.h"
#include "simulator/core/host/host_clock.h"
#include "simulator/core/host/key_queue.h"
#include "simulator/core/host/scanner_state.h"
#include "simulator/core/host/tick_slots.h"
#include "simulator/core/keys/key_list.h"
#include "simulator/core/keys/multi_tap.h"
#include "simulator/core/led/led_state.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <span>
#include <thread>
#include <vector>

namespace formwick {

// What a run is given: the display and files of the simulated terminal, its
// key list, and where barcodes come from. Null display or files fall back
// to the quiet null services.
struct RunSetup {
    DisplayService* display = nullptr;
    FileService* files = nullptr;
    std::span<const KeyListEntry> keys;
    BarcodeEntry* barcodes = nullptr;
};

enum class RunEnd {
    returned,    // the routine came back by itself
    stopped,     // the stop unwound it
    not_entered, // stopped before the routine was called
};

// How the runtime stands, as the driver of a virtual-time run sees it.
enum class RuntimeState {
    waiting,  // blocked in a service wait
    finished, // the run is over
    busy,     // still working after the driver's real-time limit
};

class CTerminal final : public KeyService {
public:
    static constexpr int kTickMs = 20;
    static constexpr int kTimeoutTicks = 250; // key_get_timeout: 5 s

    explicit CTerminal(ClockMode mode, AudioOutput* audio = nullptr);
    ~CTerminal() override;
    CTerminal(const CTerminal&) = delete;
    CTerminal& operator=(const CTerminal&) = delete;

    // Runs `routine` once with this terminal's services installed and returns
    // when it has come back or been stopped. Exceptions other than the stop
    // pass through after the run has been cleaned up.
    RunEnd run(const RunSetup& setup, const std::function<void()>& routine);
    // Sets the stop and waits (at most 5 s) for the tick thread to end. The
    // runtime thread ends by itself at its next wait.
    void stop();

    // A simulated key press, from any thread; KEY_ALPHA toggles alpha mode
    // and KEY_MENU is left to the window: neither reaches the runtime.
    void key_press(int code);
    // Alpha mode follows the toggle key; a pending letter is committed first.
    void set_alpha_mode(bool on);
    bool alpha_mode() const;
    // Whether the pending multi-tap letter is drawn at the cursor (default on).
    void set_preview(bool on);
    int pending_letter() const;
    // The scanner reads only while the trigger key is held down.
    void set_trigger_held(bool held);
    int last_key() const;
    std::size_t queued_keys() const;

    // Virtual-time driving (headless runs and tests). wait_idle blocks until
    // the runtime waits for input or the run is over, for at most `limit` of
    // real time, letting the virtual time of the runtime's pauses pass;
    // on a fresh terminal it first waits for the run to begin (after a run
    // has ended it reports `finished` until the next one starts).
    RuntimeState wait_idle(std::chrono::milliseconds limit = std::chrono::seconds(10));
    // Lets `ms` of virtual time pass, letting the runtime react to every
    // wake-up before time goes on (ticks that can change nothing are
    // skipped). False when the runtime stayed busy past the real-time limit
    // after a wake-up.
    bool advance(HostClock::Millis ms, std::chrono::milliseconds limit = std::chrono::seconds(10));

    HostClock& clock() { return clock_; }
    HostCalendar& calendar() { return calendar_; }
    Beeper& beeper() { return beeper_; }
    LedState& led() { return led_; }

    // ---- KeyService
    int get() override;
    int get_timeout() override;
    int wait_for(const int* codes, int count) override;
    void flush() override;
    void unget(int code) override;
    int poll() override;
    void wait_ms(int ms) override;
    void scanner_arm(int read_mode) override;
    int scanner_read(char* buffer, int max_length) override;
    void scanner_disarm() override;
    int busy_start(TickCallback callback) override;
    int busy_stop(TickCallback callback) override;

private:
    // The runtime's current wait: what may end it, and what it is for.
    struct Wait {
        bool active = false;
        bool onKey = false;
        bool onCountdown = false;
        HostClock::Millis deadline = HostClock::kNever;
        bool forInput = true;  // false: a pause, which a driver does not stop at
        bool pollOnly = false; // its deadline only lets the runtime poll the scanner and keys again
    };
    enum class Phase { not_started, running, finished };

    void tick();
    void tick_thread_main();
    void start_tick_thread();
    void end_tick_thread();
    // Blocks the runtime until its wait is due; throws TerminalStop on stop.
    void block(std::unique_lock<std::mutex>& lock, Wait wait);
    void wake_if_due();  // lock held
    void throw_if_stopped() const; // lock held
    void queue_letter(int letter); // lock held
    // Virtual clocks, lock held: the time of the next tick that can change
    // anything, and one step of time towards `target` (see the top).
    HostClock::Millis next_useful_tick() const;
    void step_towards(HostClock::Millis target, std::unique_lock<std::mutex>& lock);
    void apply_tap(const TapEffect& effect); // lock held
    void draw_preview();                     // lock held
    void finish_run();
    // Wake the runtime's or the driver's wait and count the wake-up for
    // spin_for_wake().
    void wake_runtime();
    void wake_driver();
    // Before a thread sleeps on a condition: on a virtual clock, spins with
    // the lock released until the other side wakes it or a short time has
    // passed. The caller checks its condition again afterwards.
    void spin_for_wake(std::unique_lock<std::mutex>& lock);

    HostClock clock_;
    HostCalendar calendar_;
    NullAudioOutput nullAudio_;
    Beeper beeper_;
    LedState led_;
    TickSlots slots_;

    mutable std::mutex mutex_;
    std::condition_variable runtimeWake_; // the runtime's waits
    std::condition_variable driverWake_;  // wait_idle, advance, the end of the tick thread
    std::condition_variable tickWake_;    // the tick thread's sleep
    // Counts wake_runtime() and wake_driver() calls; written under the lock,
    // read without it while spinning.
    std::atomic<unsigned> wakes_{0};
    bool stop_ = false;
    Phase phase_ = Phase::not_started;
    Wait wait_;
    KeyQueue queue_;
    int countdown_ = 0;
    int lastKey_ = KEY_NONE;
    bool alpha_ = false;
    bool preview_ = true;
    MultiTap multiTap_;
    bool previewDue_ = false; // a tap's letter waits to be drawn
    std::vector<KeyListEntry> keyTable_;
    DisplayService* display_ = nullptr;
    BarcodeEntry* barcodes_ = nullptr;
    bool triggerHeld_ = false;
    ScannerState scanner_;
    bool barcodeDialog_ = false; // from the runtime's scanner_arm to its scanner_disarm

    // Tick thread of a real-clock run.
    std::thread tickThread_;
    bool tickRunning_ = false;
    bool tickQuit_ = false;
    // Virtual clocks: time of the next tick; every tick before it has run or
    // been skipped, so it always lies after now.
    HostClock::Millis nextTick_ = kTickMs;
};

} // namespace formwick
