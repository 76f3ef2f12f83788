// formwick-cli export IN.HIX [OUT.json]: the definition as JSON.
#include "appfile/definition_json.h"
#include "cli/command.h"
#include "cli/definition_files.h"

namespace formwick::cli {

namespace {

int run_export(const Args& args) {
    CParameters p;
    if (!load_definition(args[0], p)) return kExitRefused;
    std::string text;
    StderrSink sink;
    if (!definition_to_json(p, text, sink)) return kExitRefused;
    return write_text(args.size() > 1 ? args[1] : std::string(), text) ? kExitOk : kExitRefused;
}

const Registration reg({"export", "IN.HIX [OUT.json]", "write the definition as JSON (to stdout without OUT)", 30, 1, 2,
                        run_export});

} // namespace

} // namespace formwick::cli
