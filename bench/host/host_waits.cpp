// Measures the terminal host's waits:
//  1. processor time of a real-clock run that waits for a key (goal: under
//     0.5 % of one core), over a few seconds of idling;
//  2. time from stop() to the end of a run waiting in each kind of wait
//     (goal: under 10 ms);
//  3. wall time of a headless run whose key_get_timeout expires 100 times;
//  4. wall time of a day of terminal time (WAIT 86400) in the barcode
//     dialog's 2 ms polls and in key time-outs (goal: well under 1 s).
// usage: bench_host_waits [idle seconds, default 3]
#include "simulator/core/host/terminal_host.h"
#include "simulator/core/runner/headless_run.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <thread>

using namespace formwick;
using Clock = std::chrono::steady_clock;

namespace {

double process_cpu_seconds() {
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) / 1e9;
}

double ms_since(Clock::time_point t) {
    return std::chrono::duration<double, std::milli>(Clock::now() - t).count();
}

void idle_cpu(int seconds) {
    CTerminal terminal(ClockMode::real);
    std::thread runtime([&] { terminal.run(RunSetup{}, [] { key_get(); }); });
    terminal.wait_idle();
    const double cpu0 = process_cpu_seconds();
    const auto wall0 = Clock::now();
    std::this_thread::sleep_for(std::chrono::seconds(seconds));
    const double cpu = process_cpu_seconds() - cpu0;
    const double wall = ms_since(wall0) / 1000;
    terminal.stop();
    runtime.join();
    std::printf("idle run waiting for a key: %.3f s processor time in %.2f s = %.3f %% of one core\n", cpu, wall,
                100.0 * cpu / wall);
}

void stop_latency(const char* name, void (*wait)()) {
    constexpr int kRounds = 20;
    double worst = 0, total = 0;
    for (int i = 0; i < kRounds; ++i) {
        CTerminal terminal(ClockMode::real);
        std::thread runtime([&] { terminal.run(RunSetup{}, wait); });
        terminal.wait_idle();
        std::this_thread::sleep_for(std::chrono::milliseconds(30));
        const auto t0 = Clock::now();
        terminal.stop();
        runtime.join();
        const double ms = ms_since(t0);
        worst = std::max(worst, ms);
        total += ms;
    }
    std::printf("stop() to the end of a run in %-16s mean %.3f ms, worst %.3f ms (%d runs)\n", name, total / kRounds,
                worst, kRounds);
}

void headless_timeouts() {
    KeyScript script;
    CollectingSink sink;
    parse_key_script("WAIT 500\n", script, sink);
    int timeouts = 0;
    HeadlessOptions options;
    const auto t0 = Clock::now();
    run_headless(
        script,
        [&] {
            for (;;)
                if (key_get_timeout() == KEY_NONE) ++timeouts;
        },
        options, sink);
    std::printf("headless run with %d key time-outs (500 s of terminal time): %.2f ms\n", timeouts, ms_since(t0));
}

// The runtime's barcode dialog: polls the scanner and the keys every 2 ms.
void barcode_dialog() {
    scanner_arm(0);
    char buffer[32];
    for (;;) {
        if (scanner_read(buffer, 31) == 0 || key_poll() != KEY_NONE) scanner_arm(0);
        wait_ms(2);
    }
}

void timeouts_for_ever() {
    for (;;) key_get_timeout();
}

void headless_day(const char* name, void (*routine)()) {
    KeyScript script;
    CollectingSink sink;
    parse_key_script("WAIT 86400\n", script, sink);
    HeadlessOptions options;
    const double cpu0 = process_cpu_seconds();
    const auto t0 = Clock::now();
    run_headless(script, routine, options, sink);
    std::printf("a day of terminal time in %-18s %.2f ms wall, %.2f ms processor\n", name, ms_since(t0),
                (process_cpu_seconds() - cpu0) * 1000);
}

} // namespace

int main(int argc, char** argv) {
    const int seconds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
    idle_cpu(seconds);
    stop_latency("key_get", [] { key_get(); });
    stop_latency("key_get_timeout", [] { key_get_timeout(); });
    stop_latency("the barcode dialog", [] {
        scanner_arm(0);
        wait_ms(60000);
    });
    headless_timeouts();
    headless_day("the barcode dialog:", barcode_dialog);
    headless_day("key time-outs:", timeouts_for_ever);
    return 0;
}
