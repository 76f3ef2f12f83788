// formwick-cli summary: what a fresh definition holds.
#include "cli/command.h"
#include "cli/show_definition.h"

#include <cstdio>

namespace formwick::cli {

namespace {

int run_summary(const Args&) {
    std::printf("Formwick %s, a fresh application definition:\n\n", FORMWICK_VERSION);
    std::fputs(show_definition(CParameters{}).c_str(), stdout);
    return kExitOk;
}

const Registration reg({"summary", "", "show what a fresh definition holds", 90, 0, 0, run_summary});

} // namespace

} // namespace formwick::cli
