#include "comm/posix_transfer.h"

#include <algorithm>

namespace formwick {

namespace {

constexpr Millis kStopCheck{100}; // how often a stop request is looked at while waiting

} // namespace

Millis steady_now() {
    return std::chrono::duration_cast<Millis>(std::chrono::steady_clock::now().time_since_epoch());
}

void drive_transfer(Loader& loader, PosixSerialPort& port, const std::atomic<bool>& stop) {
    std::uint8_t buffer[4096];
    bool aborted = false;
    while (loader.running()) {
        if (stop.load() && !aborted) {
            loader.abort(steady_now());
            aborted = true;
        }
        const Millis wait = std::clamp(loader.deadline() - steady_now(), Millis{0}, kStopCheck);
        std::string error;
        const long n = port.read(buffer, sizeof buffer, wait, error);
        if (n < 0) {
            loader.link_failed(error);
            break;
        }
        if (n > 0) loader.receive({buffer, static_cast<std::size_t>(n)}, steady_now());
        loader.tick(steady_now());
    }
}

} // namespace formwick
