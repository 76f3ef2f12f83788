// What a simulator session tells the window about a run.
//
// Every call comes on the session's own event thread, never on the runtime
// or tick thread and never while the display's draw lock, the host's key
// lock or any session lock is held. An observer only posts the news to its
// own thread (a queued call) and returns; it may read the display's frame
// or the LED there, but should not block.
#pragma once

#include "simulator/core/beeper/audio_output.h"
#include "simulator/core/host/terminal_host.h"

#include <cstdint>
#include <string>
#include <vector>

namespace formwick {

class SessionObserver {
public:
    virtual ~SessionObserver() = default;
    // A new frame is ready; refreshes that come faster than the observer
    // takes them are merged into one call.
    virtual void frame_ready() {}
    // The LED changed (merged like frames); read the session's led().
    virtual void led_changed() {}
    // Stop what plays and play `sequence` (possibly empty: silence). The
    // times are on the host clock; `at` is the moment of the call.
    virtual void tones(std::int64_t /*at*/, const std::vector<ToneSegment>& /*sequence*/) {}
    // The runtime asks for a barcode: open the entry dialog and answer
    // through TerminalSession::answer_barcode.
    virtual void barcode_opened(int /*max_length*/) {}
    // The barcode request is over (answered, or cancelled by a stop): close
    // the dialog if it is still open.
    virtual void barcode_closed() {}
    // A run has ended; `failure` is empty unless the runtime failed.
    virtual void run_ended(RunEnd /*end*/, const std::string& /*failure*/) {}
};

} // namespace formwick
