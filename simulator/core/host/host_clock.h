// The one clock of a terminal host.
//
// Real time under the simulator window; virtual time in headless runs, where
// the clock stands still until the driver of the run advances it, so a run
// that sits through many key time-outs takes no time and repeats exactly.
// Times are milliseconds since the clock was made.
#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>

namespace formwick {

enum class ClockMode { real, virtual_time };

class HostClock {
public:
    using Millis = std::int64_t;
    static constexpr Millis kNever = INT64_MAX;

    explicit HostClock(ClockMode mode);

    bool is_virtual() const { return mode_ == ClockMode::virtual_time; }
    Millis now() const;
    // Virtual clocks only; time never runs backwards.
    void advance_to(Millis ms);
    // The steady-clock instant of a time on this clock (real clocks).
    std::chrono::steady_clock::time_point real_point(Millis ms) const;

private:
    ClockMode mode_;
    std::chrono::steady_clock::time_point origin_;
    std::atomic<Millis> virtualNow_{0};
};

} // namespace formwick
