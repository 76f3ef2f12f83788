// TerminalSession: the one owner of the simulated terminal's runs under the
// window.
//
// It owns the terminal host (real clock), the display, the RAM disk folder
// and the runtime thread, and offers start, stop and restart. The window
// holds one session and never manages threads itself.
//
// - start() stops the current run and starts the next on a new runtime
//   thread that first waits for the old one to end: two runs never overlap,
//   so the runtime's globals and the installed services belong to one run
//   at a time. start() itself does not wait.
// - stop() never waits for the runtime: it marks the run stopped, sets the
//   host's stop and wakes an open barcode request. A run waiting for a key,
//   a time-out or a barcode ends within milliseconds; a run busy without a
//   wait (an index rebuild) ends at its next wait. A stop issued before the
//   runtime thread reaches the runtime is kept: that run never enters it.
// - News (frames, LED, tones, barcode requests, run ends) reaches the
//   observer on the session's event thread (session_events.h).
#pragma once

#include "model/parameters.h"
#include "simulator/core/display/stat_display.h"
#include "simulator/core/host/terminal_host.h"
#include "simulator/core/keys/key_list.h"
#include "simulator/core/ramdisk/ram_disk.h"
#include "simulator/core/session/barcode_desk.h"
#include "simulator/core/session/session_events.h"

#include <atomic>
#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <thread>

namespace formwick {

class TerminalSession {
public:
    using Routine = std::function<void()>;

    TerminalSession(std::filesystem::path ramdisk, SessionObserver* observer = nullptr);
    ~TerminalSession();
    TerminalSession(const TerminalSession&) = delete;
    TerminalSession& operator=(const TerminalSession&) = delete;

    // Runs the runtime over a copy of `definition`, so later edits of the
    // caller's copy never reach a running run.
    void start(const CParameters& definition, std::span<const KeyListEntry> keys);
    // Runs any routine on the terminal (tests, benchmarks).
    void start(Routine routine, std::span<const KeyListEntry> keys);
    void stop();
    // Stops and starts the last routine again, e.g. on another key list.
    void restart();
    void restart(std::span<const KeyListEntry> keys);
    // Waits (at most `limit`) until the latest run's thread has left the
    // runtime; true when it has, or when nothing was started.
    bool wait_ended(std::chrono::milliseconds limit);
    // Waits (at most `limit`) until the latest run has entered the runtime
    // and sits in a wait (a key, a time-out, a pause); false otherwise.
    bool wait_waiting(std::chrono::milliseconds limit);
    // True from start() until the latest run has ended.
    bool running() const;

    // Window thread.
    void key_press(int code) { host_.key_press(code); }
    void set_alpha_mode(bool on) { host_.set_alpha_mode(on); }
    void set_trigger_held(bool held) { host_.set_trigger_held(held); }
    void answer_barcode(std::optional<std::string> text) { barcodes_.answer(std::move(text)); }

    CStatDisplay& display() { return display_; }
    CTerminal& host() { return host_; }
    LedView led() { return host_.led().view(); }
    const std::filesystem::path& ramdisk_folder() const { return ramdisk_.folder(); }
    bool barcode_waiting() const { return barcodes_.waiting(); }
    // Waits until every piece of news so far has reached the observer.
    void flush_events() { events_.flush(); }

private:
    struct RunControl {
        std::atomic<bool> stopped{false};
        std::atomic<bool> entered{false};
        std::atomic<bool> ended{false};
    };
    // Hands the host's beeper sequences to the event thread.
    class EventAudio final : public AudioOutput {
    public:
        explicit EventAudio(SessionEvents& events) : events_(events) {}
        void play(std::int64_t at, const std::vector<ToneSegment>& sequence) override {
            events_.post_tones(at, sequence);
        }

    private:
        SessionEvents& events_;
    };

    void run_once(RunControl& control, const Routine& routine, std::span<const KeyListEntry> keys);

    SessionEvents events_;
    EventAudio audio_{events_};
    CStatDisplay display_;
    CRamDisk ramdisk_;
    CTerminal host_;
    BarcodeDesk barcodes_{events_};

    mutable std::mutex mutex_; // the fields below; never held while waiting for a run
    std::condition_variable endedWake_;
    std::shared_ptr<RunControl> current_;
    Routine routine_;
    std::span<const KeyListEntry> keys_;
    std::thread runner_; // the latest runtime thread; it joins the one before
};

} // namespace formwick
