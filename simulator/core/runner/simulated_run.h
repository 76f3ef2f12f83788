// A headless run on a complete simulated terminal: the display emulation,
// a RAM disk over a host folder, and the host on virtual time.
#pragma once

#include "simulator/core/runner/headless_run.h"

namespace formwick {

struct SimulatedRunOptions {
    TerminalModel model = TerminalModel::KTM3300;
    std::filesystem::path ramdisk;        // the RAM disk folder; made when missing
    std::ostream* out = nullptr;          // printed screens and notes
    std::ostream* warnings = nullptr;     // what the player warns of (else `out`)
    std::filesystem::path outputDir;      // where relative SCREEN files go
    bool numberedPngs = false;            // every printed SCREEN also saved in outputDir
    ExpectationProbe* probe = nullptr;    // the program's values, for EXPECT VAR
    AudioOutput* audio = nullptr;         // silent when null
    std::chrono::milliseconds busyLimit{10000};
};

HeadlessResult run_simulated(const KeyScript& script, const std::function<void()>& routine,
                             const SimulatedRunOptions& options, MessageSink& sink);

} // namespace formwick
