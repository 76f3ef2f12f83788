// formwick-cli show IN.(HIX|json): a readable summary of a definition.
#include "cli/command.h"
#include "cli/definition_files.h"
#include "cli/show_definition.h"

#include <cstdio>

namespace formwick::cli {

namespace {

int run_show(const Args& args) {
    CParameters p;
    if (!load_definition(args[0], p)) return kExitRefused;
    std::fputs(show_definition(p).c_str(), stdout);
    return kExitOk;
}

const Registration reg({"show", "IN.(HIX|json)", "print the forms, menus, data and lookup files in use", 40, 1, 1,
                        run_show});

} // namespace

} // namespace formwick::cli
