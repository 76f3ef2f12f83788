#include "bench/app/player_baseline.h"

#include "bench/app/cpu_clock.h"
#include "simulator/core/runner/headless_run.h"

#include <chrono>

namespace formwick::bench {

PlayerTimes run_player_baseline(int keys, MessageSink& sink) {
    PlayerTimes times;
    KeyScript script;
    if (!parse_key_script("ENTER\n", script, sink)) return times;
    script.commands.assign(static_cast<std::size_t>(keys), script.commands.front());

    int taken = 0;
    const auto wall0 = std::chrono::steady_clock::now();
    const double cpu0 = process_cpu_seconds();
    HeadlessResult r = run_headless(
        script,
        [&] {
            for (;;) {
                key_get();
                ++taken;
            }
        },
        HeadlessOptions{}, sink);
    times.cpu = process_cpu_seconds() - cpu0;
    times.wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - wall0).count();
    times.ok = r.ok && taken == keys;
    if (r.ok && taken != keys)
        sink.error("the player baseline took " + std::to_string(taken) + " of " + std::to_string(keys) + " keys");
    return times;
}

} // namespace formwick::bench
