// formwick-cli new OUT.HIX: the application file of a fresh definition.
#include "cli/command.h"
#include "cli/definition_files.h"

namespace formwick::cli {

namespace {

int run_new(const Args& args) { return build_definition(CParameters{}, args[0]) ? kExitOk : kExitRefused; }

const Registration reg({"new", "OUT.HIX", "write the application file of a fresh definition", 10, 1, 1, run_new});

} // namespace

} // namespace formwick::cli
