#include "simulator/core/host/host_clock.h"

namespace formwick {

HostClock::HostClock(ClockMode mode) : mode_(mode), origin_(std::chrono::steady_clock::now()) {}

HostClock::Millis HostClock::now() const {
    if (is_virtual()) return virtualNow_.load();
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - origin_)
        .count();
}

void HostClock::advance_to(Millis ms) {
    if (ms > virtualNow_.load()) virtualNow_.store(ms);
}

std::chrono::steady_clock::time_point HostClock::real_point(Millis ms) const {
    if (ms >= kNever / 2) return std::chrono::steady_clock::time_point::max();
    return origin_ + std::chrono::milliseconds(ms);
}

} // namespace formwick
