// formwick-cli run APP.(HIX|json) --script FILE [--ramdisk DIR]: runs the
// application in the headless simulator, fed by a key script.
#include "cli/command.h"
#include "cli/definition_files.h"
#include "runtime/app/runtime_entry.h"
#include "simulator/core/runner/key_script_file.h"
#include "simulator/core/runner/simulated_run.h"

#include <cstdio>
#include <iostream>
#include <string>

namespace formwick::cli {

namespace {

class StderrSink final : public MessageSink {
public:
    void error(std::string_view message) override { std::fprintf(stderr, "%.*s\n", int(message.size()), message.data()); }
};

int run_run(const Args& args) {
    std::string app, script_path, ramdisk = "RAM_DISK";
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--script" && i + 1 < args.size()) script_path = args[++i];
        else if (args[i] == "--ramdisk" && i + 1 < args.size()) ramdisk = args[++i];
        else app = args[i];
    }
    if (app.empty() || script_path.empty()) return kExitUsage;
    CParameters p;
    if (!load_definition(app, p)) return kExitRefused;
    StderrSink sink;
    KeyScript script;
    if (!read_key_script_file(script_path, script, sink)) return kExitRefused;
    SimulatedRunOptions options;
    options.ramdisk = ramdisk;
    options.out = &std::cout;
    HeadlessResult r = run_simulated(script, [&] { runtime_main(p); }, options, sink);
    return r.ok ? kExitOk : kExitRefused;
}

const Registration reg({"run", "APP.(HIX|json) --script FILE [--ramdisk DIR]",
                        "run the application in the headless simulator", 50, 3, 5, run_run});

} // namespace

} // namespace formwick::cli
