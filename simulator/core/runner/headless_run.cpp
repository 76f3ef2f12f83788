#include "simulator/core/runner/headless_run.h"

#include <exception>
#include <thread>

namespace formwick {

HeadlessResult run_headless(const KeyScript& script, const std::function<void()>& routine,
                            const HeadlessOptions& options, MessageSink& sink) {
    HeadlessResult result;
    if (!check_key_script(script, options.executor.model, sink)) return result;

    CTerminal terminal(ClockMode::virtual_time, options.audio);
    ScriptBarcodes barcodes;
    RunSetup setup;
    setup.display = options.display;
    setup.files = options.files;
    setup.keys = key_list(options.executor.model);
    setup.barcodes = &barcodes;

    // What the routine threw, other than the stop; reported once it has ended.
    std::string failure;
    std::thread runtime([&] {
        try {
            result.end = terminal.run(setup, routine);
        } catch (const std::exception& e) {
            failure = std::string("the run failed: ") + e.what();
        } catch (...) {
            failure = "the run failed with an unknown exception";
        }
    });

    ExecutorOptions executorOptions = options.executor;
    if (!executorOptions.files) executorOptions.files = options.files; // EXPECT FILE reads the same RAM disk
    ScriptExecutor executor(terminal, barcodes, executorOptions);
    const bool played = executor.execute(script, sink);
    terminal.stop();
    runtime.join();

    if (!failure.empty()) sink.error(failure);
    result.ok = played && failure.empty();
    result.terminalMs = terminal.clock().now();
    return result;
}

} // namespace formwick
