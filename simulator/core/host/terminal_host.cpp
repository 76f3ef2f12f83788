// CTerminal: runs, the stop, the tick and the waits (see terminal_host.h).
#include "simulator/core/host/terminal_host.h"

#include <algorithm>

namespace formwick {

CTerminal::CTerminal(ClockMode mode, AudioOutput* audio)
    : clock_(mode), calendar_(clock_), beeper_(clock_, audio ? audio : &nullAudio_), led_(clock_) {}

CTerminal::~CTerminal() {
    stop();
    end_tick_thread();
}

// ------------------------------------------------------------------ runs
RunEnd CTerminal::run(const RunSetup& setup, const std::function<void()>& routine) {
    slots_.clear();
    if (setup.display) {
        // Every run starts on a cleared screen without a cursor.
        setup.display->putc(12);
        setup.display->state().cursorMode = 0;
        setup.display->refresh();
    }
    {
        std::lock_guard lock(mutex_);
        stop_ = false;
        queue_.clear();
        multiTap_.commit();
        previewDue_ = false;
        countdown_ = 0;
        wait_ = Wait{};
        scanner_.disarm();
        barcodeDialog_ = false;
        display_ = setup.display;
        barcodes_ = setup.barcodes;
        keyTable_.clear();
        for (const KeyListEntry& entry : setup.keys)
            if (entry.kind == KEY_KIND_KEY) keyTable_.push_back(entry);
        phase_ = Phase::running;
    }
    wake_driver();

    // Undone in reverse order: the tick thread ends before the services are
    // uninstalled, since tick callbacks draw through them.
    struct Finish {
        CTerminal* host;
        ~Finish() { host->finish_run(); }
    } finish{this};
    ScopedServices services(Terminal{setup.display, this, &calendar_, &beeper_, &led_, setup.files});
    struct Ticking {
        CTerminal* host;
        ~Ticking() { host->end_tick_thread(); }
    } ticking{this};
    start_tick_thread();
    {
        std::lock_guard lock(mutex_);
        if (stop_) return RunEnd::not_entered;
    }
    try {
        routine();
        return RunEnd::returned;
    } catch (const TerminalStop&) {
        return RunEnd::stopped;
    }
}

void CTerminal::finish_run() {
    end_tick_thread();
    slots_.clear();
    {
        std::lock_guard lock(mutex_);
        phase_ = Phase::finished;
        wait_ = Wait{};
        display_ = nullptr;
        barcodes_ = nullptr;
        scanner_.disarm();
        barcodeDialog_ = false;
    }
    wake_driver();
}

void CTerminal::stop() {
    std::unique_lock lock(mutex_);
    stop_ = true;
    wake_if_due();
    tickWake_.notify_all();
    driverWake_.wait_for(lock, std::chrono::milliseconds(5000), [this] { return !tickRunning_; });
    keyTable_.clear();
}

// ------------------------------------------------------------------ tick
// One tick: the key time-out count-down, the multi-tap commit, the LED
// timers and the callback slots, in that order. A runtime wait that the
// tick ends is woken only after the callbacks, so on virtual time the busy
// animation never draws while the runtime draws.
void CTerminal::tick() {
    {
        std::lock_guard lock(mutex_);
        if (countdown_ > 0) --countdown_;
        if (int letter = multiTap_.tick()) queue_letter(letter);
    }
    led_.tick();
    slots_.call_all();
    std::lock_guard lock(mutex_);
    wake_if_due();
}

void CTerminal::start_tick_thread() {
    if (clock_.is_virtual()) return;
    std::lock_guard lock(mutex_);
    tickQuit_ = false;
    tickRunning_ = true;
    tickThread_ = std::thread([this] { tick_thread_main(); });
}

// Ticks on an absolute 20 ms schedule; after a stall (a debugger, a loaded
// machine) it resumes from now instead of firing the missed ticks at once.
void CTerminal::tick_thread_main() {
    using namespace std::chrono;
    auto next = steady_clock::now() + milliseconds(kTickMs);
    std::unique_lock lock(mutex_);
    while (!stop_ && !tickQuit_) {
        if (tickWake_.wait_until(lock, next, [this] { return stop_ || tickQuit_; })) break;
        lock.unlock();
        tick();
        lock.lock();
        next += milliseconds(kTickMs);
        const auto now = steady_clock::now();
        if (next < now) next = now + milliseconds(kTickMs);
    }
    tickRunning_ = false;
    wake_driver();
}

// A tick thread that does not end within 5 s (a callback that hangs) is
// left running rather than blocking the caller for ever.
void CTerminal::end_tick_thread() {
    std::unique_lock lock(mutex_);
    if (!tickThread_.joinable()) return;
    tickQuit_ = true;
    tickWake_.notify_all();
    const bool ended =
        driverWake_.wait_for(lock, std::chrono::milliseconds(5000), [this] { return !tickRunning_; });
    std::thread thread = std::move(tickThread_);
    lock.unlock();
    if (ended)
        thread.join();
    else
        thread.detach();
}

// ------------------------------------------------------------------ waits
void CTerminal::throw_if_stopped() const {
    if (stop_) throw TerminalStop{1};
}

void CTerminal::wake_if_due() {
    if (!wait_.active) return;
    const bool due = stop_ || (wait_.onKey && queue_.available()) || (wait_.onCountdown && countdown_ == 0) ||
                     (wait_.deadline != HostClock::kNever && clock_.now() >= wait_.deadline);
    if (!due) return;
    wait_.active = false;
    wake_runtime();
}

void CTerminal::block(std::unique_lock<std::mutex>& lock, Wait wait) {
    throw_if_stopped();
    wait_ = wait;
    wait_.active = true;
    draw_preview();
    wake_if_due();
    wake_driver();
    while (wait_.active) {
        if (!clock_.is_virtual() && wait_.deadline != HostClock::kNever) {
            runtimeWake_.wait_until(lock, clock_.real_point(wait_.deadline));
            wake_if_due();
        } else {
            spin_for_wake(lock);
            if (wait_.active) runtimeWake_.wait(lock);
        }
    }
    throw_if_stopped();
}

void CTerminal::queue_letter(int letter) { queue_.push_back(letter); }

void CTerminal::wake_runtime() {
    wakes_.fetch_add(1, std::memory_order_release);
    runtimeWake_.notify_all();
}

void CTerminal::wake_driver() {
    wakes_.fetch_add(1, std::memory_order_release);
    driverWake_.notify_all();
}

// On a virtual clock a script player and the runtime hand the terminal to
// each other for every key, thousands of times a second, and the work in
// between is often shorter than a sleep and wake-up through the kernel. So
// the waiting side first spins a little (yielding the processor, which keeps
// a one-processor machine going) and sleeps only when the other side takes
// longer. Real-clock runs wait for a person and never spin.
void CTerminal::spin_for_wake(std::unique_lock<std::mutex>& lock) {
    static const bool severalProcessors = std::thread::hardware_concurrency() > 1;
    if (!clock_.is_virtual() || !severalProcessors) return;
    constexpr auto kSpin = std::chrono::microseconds(200);
    const unsigned seen = wakes_.load(std::memory_order_relaxed);
    lock.unlock();
    const auto until = std::chrono::steady_clock::now() + kSpin;
    for (unsigned n = 1; wakes_.load(std::memory_order_acquire) == seen; ++n) {
        if (n % 16 == 0 && std::chrono::steady_clock::now() >= until) break;
        std::this_thread::yield();
    }
    lock.lock();
}

// ------------------------------------------------------- virtual driving
RuntimeState CTerminal::wait_idle(std::chrono::milliseconds limit) {
    const auto giveUp = std::chrono::steady_clock::now() + limit;
    const bool isVirtual = clock_.is_virtual();
    std::unique_lock lock(mutex_);
    const auto idle = [this, isVirtual] {
        return phase_ == Phase::finished || (phase_ == Phase::running && wait_.active && (wait_.forInput || isVirtual));
    };
    for (;;) {
        if (!idle()) spin_for_wake(lock);
        const bool settled = driverWake_.wait_until(lock, giveUp, idle);
        if (!settled) return RuntimeState::busy;
        if (phase_ == Phase::finished) return RuntimeState::finished;
        if (wait_.forInput) return RuntimeState::waiting;
        step_towards(wait_.deadline, lock); // a pause: its time passes
    }
}

bool CTerminal::advance(HostClock::Millis ms, std::chrono::milliseconds limit) {
    if (!clock_.is_virtual() || ms <= 0) return true;
    const HostClock::Millis target = clock_.now() + ms;
    std::unique_lock lock(mutex_);
    for (;;) {
        // The limit holds for each wake-up: a long wait may take many.
        const auto settledNow = [this] { return phase_ != Phase::running || wait_.active; };
        if (!settledNow()) spin_for_wake(lock);
        const bool settled = driverWake_.wait_for(lock, limit, settledNow);
        if (!settled) return false;
        if (clock_.now() >= target) return true;
        step_towards(target, lock);
    }
}

HostClock::Millis CTerminal::next_useful_tick() const {
    if (multiTap_.pending() || !slots_.empty()) return nextTick_;
    HostClock::Millis due = countdown_ > 0 ? nextTick_ + (countdown_ - 1) * kTickMs : HostClock::kNever;
    const HostClock::Millis led = led_.next_due();
    if (led != HostClock::kNever) {
        // The first tick at or after the LED's timer.
        const HostClock::Millis late = std::max<HostClock::Millis>(led - nextTick_, 0);
        due = std::min(due, nextTick_ + (late + kTickMs - 1) / kTickMs * kTickMs);
    }
    return due;
}

// Moves the clock to the earliest of `target`, the next useful tick and the
// deadline of the runtime's wait (a polling wait's deadline aside: it is met
// when the step ends), runs that tick, and wakes the runtime when its wait
// is due. Skipped ticks only count the key time-out down.
void CTerminal::step_towards(HostClock::Millis target, std::unique_lock<std::mutex>& lock) {
    const HostClock::Millis now = clock_.now();
    const HostClock::Millis tickAt = next_useful_tick();
    HostClock::Millis next = std::min(target, tickAt);
    if (phase_ == Phase::running && wait_.active && !wait_.pollOnly && wait_.deadline < next)
        next = std::max(wait_.deadline, now);
    clock_.advance_to(next);
    const HostClock::Millis lastSkipped = next >= tickAt ? tickAt - kTickMs : next;
    if (lastSkipped >= nextTick_) {
        const HostClock::Millis skipped = (lastSkipped - nextTick_) / kTickMs + 1;
        countdown_ = static_cast<int>(std::max<HostClock::Millis>(countdown_ - skipped, 0));
        nextTick_ += skipped * kTickMs;
    }
    if (next >= tickAt) {
        nextTick_ = tickAt + kTickMs;
        lock.unlock();
        tick();
        lock.lock();
    }
    wake_if_due();
}

} // namespace formwick
