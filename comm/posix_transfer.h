// Runs a loader over a POSIX serial port in the calling thread, for the
// command line: reads what arrives, keeps the loader's clock, and turns a
// stop request into an abort.
#pragma once

#include "comm/loader.h"
#include "comm/posix_serial_port.h"

#include <atomic>

namespace formwick {

// Milliseconds of the steady clock, the loader's `now`.
Millis steady_now();

// Drives a started `loader` whose link is `port` until its transfer ends.
// `stop` may be set from a signal handler or another thread: the transfer is
// then aborted within a tenth of a second (and ends when the receiver has
// taken the cancel).
void drive_transfer(Loader& loader, PosixSerialPort& port, const std::atomic<bool>& stop);

} // namespace formwick
