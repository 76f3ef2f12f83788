// Processor time of the process and of the calling thread, in seconds.
#pragma once

#include <ctime>

namespace formwick::bench {

inline double cpu_seconds(clockid_t clock) {
    timespec ts{};
    clock_gettime(clock, &ts);
    return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) / 1e9;
}

inline double process_cpu_seconds() { return cpu_seconds(CLOCK_PROCESS_CPUTIME_ID); }
inline double thread_cpu_seconds() { return cpu_seconds(CLOCK_THREAD_CPUTIME_ID); }

} // namespace formwick::bench
