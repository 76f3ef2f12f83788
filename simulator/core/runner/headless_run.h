// A headless run: a routine on its own thread against a virtual-time
// terminal host, fed by a key script.
//
// The caller hands in the display and the files of the simulated terminal
// (the display emulation and a RAM disk folder in real use, fakes in tests).
// The run ends when the script is done (the host's stop unwinds the
// routine), when the routine returns, or at the first failing command.
#pragma once

#include "simulator/core/runner/script_executor.h"

#include <functional>

namespace formwick {

struct HeadlessOptions {
    ExecutorOptions executor;
    DisplayService* display = nullptr;
    FileService* files = nullptr;
    AudioOutput* audio = nullptr; // what the beeper plays into; silent when null
};

struct HeadlessResult {
    bool ok = false;               // every command ran and the routine did not fail
    RunEnd end = RunEnd::not_entered;
    HostClock::Millis terminalMs = 0; // terminal time the run took
};

HeadlessResult run_headless(const KeyScript& script, const std::function<void()>& routine,
                            const HeadlessOptions& options, MessageSink& sink);

} // namespace formwick
