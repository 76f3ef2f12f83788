// formwick-cli build DEF.json OUT.HIX: an application file from a definition.
#include "cli/command.h"
#include "cli/definition_files.h"

namespace formwick::cli {

namespace {

int run_build(const Args& args) {
    CParameters p;
    if (!load_definition(args[0], p)) return kExitRefused;
    return build_definition(p, args[1]) ? kExitOk : kExitRefused;
}

const Registration reg({"build", "DEF.json OUT.HIX", "build an application file from a definition", 20, 2, 2, run_build});

} // namespace

} // namespace formwick::cli
