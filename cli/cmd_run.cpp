// formwick-cli run APP.(HIX|json) --script FILE [--ramdisk DIR] [--png DIR]
// [--model R58|KTM3300] [--file PATH]...: runs the application in the
// headless simulator, fed by a key script whose expectations decide the
// exit status.
#include "cli/command.h"
#include "cli/definition_files.h"
#include "cli/run_ramdisk.h"
#include "runtime/app/runtime_entry.h"
#include "simulator/core/runner/key_script_file.h"
#include "simulator/core/runner/runtime_probe.h"
#include "simulator/core/runner/simulated_run.h"

#include <cstdio>
#include <iostream>
#include <string>
#include <system_error>

namespace formwick::cli {

namespace {

constexpr const char* kUsage = "APP.(HIX|json) --script FILE [--ramdisk DIR] [--png DIR] [--model "
                               "R58|KTM3300] [--file PATH]...";

struct RunArgs {
    std::string app, script;
    std::filesystem::path ramdisk, png;
    TerminalModel model = TerminalModel::KTM3300;
    std::vector<std::filesystem::path> files;
};

bool usage(const std::string& why) {
    std::fprintf(stderr, "run: %s\nusage: formwick-cli run %s\n", why.c_str(), kUsage);
    return false;
}

bool parse_model(const std::string& name, TerminalModel& model) {
    for (TerminalModel m : {TerminalModel::R58, TerminalModel::KTM3300}) {
        if (name != model_name(m)) continue;
        model = m;
        return true;
    }
    return false;
}

bool parse_args(const Args& args, RunArgs& run) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (!a.starts_with("--")) {
            if (!run.app.empty()) return usage("one application only, not also " + a);
            run.app = a;
            continue;
        }
        if (i + 1 == args.size()) return usage("option " + a + " needs a value or is unknown");
        const std::string& v = args[++i];
        if (a == "--script")
            run.script = v;
        else if (a == "--ramdisk")
            run.ramdisk = v;
        else if (a == "--png")
            run.png = v;
        else if (a == "--file")
            run.files.emplace_back(v);
        else if (a == "--model") {
            if (!parse_model(v, run.model)) return usage("--model takes R58 or KTM3300, not " + v);
        } else
            return usage("unknown option " + a);
    }
    if (run.app.empty()) return usage("names no application");
    if (run.script.empty()) return usage("needs --script FILE");
    return true;
}

bool prepare_png_folder(const std::filesystem::path& folder) {
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    if (!ec && std::filesystem::is_directory(folder)) return true;
    std::fprintf(stderr, "cannot make the picture folder %s\n", folder.string().c_str());
    return false;
}

int run_run(const Args& args) {
    RunArgs run;
    if (!parse_args(args, run)) return kExitUsage;
    CParameters parameters;
    if (!load_definition(run.app, parameters)) return kExitRefused;
    StderrSink sink;
    KeyScript script;
    if (!read_key_script_file(run.script, script, sink)) return kExitRefused;
    RunRamDisk ramdisk;
    if (!ramdisk.prepare(run.ramdisk) || !ramdisk.copy_in(run.files)) return kExitRefused;
    if (!run.png.empty() && !prepare_png_folder(run.png)) return kExitRefused;

    RuntimeProbe values;
    SimulatedRunOptions options;
    options.model = run.model;
    options.ramdisk = ramdisk.folder();
    options.out = &std::cout;
    options.warnings = &std::cerr;
    options.outputDir = run.png;
    options.numberedPngs = !run.png.empty();
    options.probe = &values;
    const HeadlessResult result = run_simulated(
        script, [&] { runtime_main(parameters); }, options, sink);
    std::cout.flush();
    return result.ok ? kExitOk : kExitRefused;
}

const Registration reg({"run", "APP.(HIX|json) --script FILE [options]",
                        "run the application in the headless simulator with a key script", 50, 3,
                        1000, run_run});

} // namespace

} // namespace formwick::cli
