#include "simulator/core/session/terminal_session.h"

#include "runtime/app/runtime_entry.h"

#include <algorithm>
#include <exception>

namespace formwick {

TerminalSession::TerminalSession(std::filesystem::path ramdisk, SessionObserver* observer)
    : events_(observer), ramdisk_(std::move(ramdisk)), host_(ClockMode::real, &audio_) {
    display_.set_refresh_handler([this] { events_.post_frame(); });
    host_.led().set_listener([this] { events_.post_led(); });
}

TerminalSession::~TerminalSession() {
    stop();
    std::thread last;
    {
        std::lock_guard lock(mutex_);
        last = std::move(runner_);
    }
    if (last.joinable()) last.join();
    events_.flush();
}

void TerminalSession::start(const CParameters& definition, std::span<const KeyListEntry> keys) {
    auto parameters = std::make_shared<const CParameters>(definition);
    start([parameters] { runtime_main(*parameters); }, keys);
}

void TerminalSession::start(Routine routine, std::span<const KeyListEntry> keys) {
    stop();
    auto control = std::make_shared<RunControl>();
    std::lock_guard lock(mutex_);
    routine_ = std::move(routine);
    keys_ = keys;
    current_ = control;
    std::thread previous = std::move(runner_);
    runner_ = std::thread([this, previous = std::move(previous), control, routine = routine_, keys]() mutable {
        if (previous.joinable()) previous.join();
        run_once(*control, routine, keys);
    });
}

// The order matters: the run is marked stopped before the host's stop is
// set. A runtime thread that has not reached the host yet sees the mark
// when it enters (the host clears its own stop at the start of a run); one
// that is already inside meets the host's stop at its next wait.
void TerminalSession::stop() {
    {
        std::lock_guard lock(mutex_);
        if (current_) current_->stopped = true;
    }
    barcodes_.cancel();
    host_.stop();
}

void TerminalSession::restart() {
    Routine routine;
    std::span<const KeyListEntry> keys;
    {
        std::lock_guard lock(mutex_);
        routine = routine_;
        keys = keys_;
    }
    if (routine) start(std::move(routine), keys);
}

void TerminalSession::restart(std::span<const KeyListEntry> keys) {
    Routine routine;
    {
        std::lock_guard lock(mutex_);
        routine = routine_;
    }
    if (routine) start(std::move(routine), keys);
}

bool TerminalSession::wait_ended(std::chrono::milliseconds limit) {
    std::unique_lock lock(mutex_);
    std::shared_ptr<RunControl> control = current_;
    if (!control) return true;
    return endedWake_.wait_for(lock, limit, [&] { return control->ended.load(); });
}

bool TerminalSession::wait_waiting(std::chrono::milliseconds limit) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    {
        std::unique_lock lock(mutex_);
        std::shared_ptr<RunControl> control = current_;
        if (!control) return false;
        if (!endedWake_.wait_until(lock, deadline, [&] { return control->entered || control->ended; })) return false;
        if (control->ended) return false;
    }
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    return host_.wait_idle(std::max(left, std::chrono::milliseconds(0))) == RuntimeState::waiting;
}

bool TerminalSession::running() const {
    std::lock_guard lock(mutex_);
    return current_ && !current_->ended;
}

void TerminalSession::run_once(RunControl& control, const Routine& routine, std::span<const KeyListEntry> keys) {
    struct RunBarcodes final : BarcodeEntry {
        BarcodeDesk& desk;
        const std::atomic<bool>& stopped;
        RunBarcodes(BarcodeDesk& d, const std::atomic<bool>& s) : desk(d), stopped(s) {}
        std::optional<std::string> read_barcode(int max_length) override { return desk.read(max_length, stopped); }
    } barcodes(barcodes_, control.stopped);

    RunSetup setup;
    setup.display = &display_;
    setup.files = &ramdisk_;
    setup.keys = keys;
    setup.barcodes = &barcodes;

    bool entered = false;
    RunEnd end = RunEnd::not_entered;
    std::string failure;
    try {
        end = host_.run(setup, [&] {
            if (control.stopped) throw TerminalStop{1};
            entered = true;
            {
                std::lock_guard lock(mutex_);
                control.entered = true;
            }
            endedWake_.notify_all();
            routine();
        });
    } catch (const std::exception& e) {
        failure = std::string("the simulated terminal stopped on an error: ") + e.what();
    } catch (...) {
        failure = "the simulated terminal stopped on an unknown error";
    }
    if (!entered && failure.empty()) end = RunEnd::not_entered;
    // Posted before the run counts as ended, so whoever waited for the end
    // and then flushes the news hears of it.
    events_.post_run_ended(end, failure);
    {
        std::lock_guard lock(mutex_);
        control.ended = true;
    }
    endedWake_.notify_all();
}

} // namespace formwick
