#include "bench/app/session_run.h"

#include "bench/app/cpu_clock.h"
#include "bench/app/timed_services.h"
#include "runtime/app/runtime_entry.h"
#include "simulator/core/display/stat_display.h"
#include "simulator/core/ramdisk/ram_disk.h"
#include "simulator/core/runner/headless_run.h"

#include <chrono>
#include <optional>

namespace formwick::bench {

namespace {

using Clock = std::chrono::steady_clock;

Share share(const CallTime& t) { return Share{t.seconds(), t.calls.load()}; }

Share operator+(Share a, Share b) { return Share{a.seconds + b.seconds, a.calls + b.calls}; }

// Notes the runtime thread's processor and real time when the run's stop
// unwinds the runtime past it.
struct RuntimeClock {
    SessionTimes& times;
    double cpu0 = thread_cpu_seconds();
    Clock::time_point wall0 = Clock::now();
    ~RuntimeClock() {
        times.runtimeCpu = thread_cpu_seconds() - cpu0;
        times.runtimeWall = std::chrono::duration<double>(Clock::now() - wall0).count();
    }
};

} // namespace

SessionTimes run_session(const CParameters& parameters, const std::string& script_text,
                         const std::filesystem::path& ramdisk, MessageSink& sink) {
    SessionTimes times;
    KeyScript script;
    if (!parse_key_script(script_text, script, sink)) return times;

    std::filesystem::create_directories(ramdisk);
    CStatDisplay display;
    CRamDisk disk(ramdisk);
    TimedDisplay timedDisplay(display);
    TimedFiles timedFiles(disk);
    std::optional<TimedKeys> timedKeys;

    HeadlessOptions options;
    options.display = &timedDisplay;
    options.files = &timedFiles;

    const auto wall0 = Clock::now();
    const double cpu0 = process_cpu_seconds();
    const double driver0 = thread_cpu_seconds();
    HeadlessResult r = run_headless(
        script,
        [&] {
            RuntimeClock clock{times};
            // The host installs itself as the key service; the runtime gets
            // the counting wrapper in its place.
            Terminal t = services();
            timedKeys.emplace(*t.keys);
            t.keys = &*timedKeys;
            services_install(t);
            runtime_main(parameters);
        },
        options, sink);
    times.driverCpu = thread_cpu_seconds() - driver0;
    times.processCpu = process_cpu_seconds() - cpu0;
    times.wall = std::chrono::duration<double>(Clock::now() - wall0).count();
    times.ok = r.ok;
    times.terminalMs = r.terminalMs;

    if (timedKeys) {
        times.keyWait = share(timedKeys->waiting);
        times.scanWait = share(timedKeys->scanning);
        times.keyOther = share(timedKeys->other);
    }
    times.text = share(timedDisplay.text);
    times.frames = share(timedDisplay.frames);
    times.shapes = share(timedDisplay.shapes);
    times.drawing = times.text + times.frames + times.shapes;
    times.screenSave = share(timedDisplay.saving);
    times.fileReads = share(timedFiles.reading);
    times.fileWrites = share(timedFiles.writing);
    times.fileOpens = share(timedFiles.opening);
    times.fileSeeks = share(timedFiles.seeking);
    times.fileFolder = share(timedFiles.folder);
    times.files = times.fileReads + times.fileWrites + times.fileOpens + times.fileSeeks + times.fileFolder;
    return times;
}

} // namespace formwick::bench
