// The barcode entry of a windowed run: the runtime thread asks, the window
// shows its "Read barcode dialog" and answers.
//
// read() posts the request to the observer and waits until the window
// answers or the run is stopped; a stop wakes it at once (cancel()) and the
// observer then hears that the request is over, so the dialog closes. An
// answer that comes after the request has ended is dropped.
#pragma once

#include "simulator/core/session/session_events.h"

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <string>

namespace formwick {

class BarcodeDesk {
public:
    explicit BarcodeDesk(SessionEvents& events) : events_(events) {}

    // Runtime thread. Nothing when cancelled, or when `stopped` is set.
    std::optional<std::string> read(int max_length, const std::atomic<bool>& stopped);
    // Window thread: the dialog's OK (with its text) or Cancel (nothing).
    void answer(std::optional<std::string> text);
    // Wakes a waiting read so that it sees its run's stop.
    void cancel();
    bool waiting() const;

private:
    SessionEvents& events_;
    mutable std::mutex mutex_;
    std::condition_variable wake_;
    bool open_ = false;
    bool answered_ = false;
    std::optional<std::string> answer_;
};

} // namespace formwick
