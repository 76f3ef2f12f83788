#include "simulator/core/runner/simulated_run.h"

#include "simulator/core/display/stat_display.h"
#include "simulator/core/ramdisk/ram_disk.h"
#include "simulator/core/runner/stat_display_screen.h"

#include <system_error>

namespace formwick {

HeadlessResult run_simulated(const KeyScript& script, const std::function<void()>& routine,
                             const SimulatedRunOptions& options, MessageSink& sink) {
    std::error_code ec;
    std::filesystem::create_directories(options.ramdisk, ec);
    if (ec || !std::filesystem::is_directory(options.ramdisk)) {
        sink.error("cannot make the RAM disk folder " + options.ramdisk.string() +
                   (ec ? ": " + ec.message() : std::string()));
        return {};
    }
    CStatDisplay display;
    StatDisplayScreen screen(display);
    CRamDisk files(options.ramdisk);

    HeadlessOptions headless;
    headless.executor.model = options.model;
    headless.executor.screen = &screen;
    headless.executor.out = options.out;
    headless.executor.warnings = options.warnings;
    headless.executor.outputDir = options.outputDir;
    headless.executor.numberedPngs = options.numberedPngs;
    headless.executor.probe = options.probe;
    headless.executor.busyLimit = options.busyLimit;
    headless.display = &display;
    headless.files = &files;
    headless.audio = options.audio;
    return run_headless(script, routine, headless, sink);
}

} // namespace formwick
