// formwick-cli diff A B [--format text|json]: what differs between two
// definitions, and which differences break the files on the terminals.
#include "checks/definition_diff.h"
#include "cli/command.h"
#include "cli/definition_files.h"

#include <cstdio>

namespace formwick::cli {

namespace {

int run_diff(const Args& args) {
    std::vector<std::string> files;
    std::string format = "text";
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--format" && i + 1 < args.size()) {
            format = args[++i];
        } else if (args[i].starts_with("--")) {
            std::fprintf(stderr, "diff: unknown option %s\n", args[i].c_str());
            return kExitUsage;
        } else {
            files.push_back(args[i]);
        }
    }
    if (files.size() != 2 || (format != "text" && format != "json")) {
        std::fprintf(stderr, "usage: formwick-cli diff A B [--format text|json]\n");
        return kExitUsage;
    }
    CParameters a, b;
    // Unlike the other commands, diff answers trouble with 2, as diff(1) does.
    if (!load_definition(files[0], a) || !load_definition(files[1], b)) return kExitUsage;
    StderrSink sink;
    std::optional<DefinitionDiff> diff = diff_definitions(a, b, sink);
    if (!diff) return kExitUsage;
    std::fputs((format == "json" ? diff_json(*diff) : diff_text(*diff)).c_str(), stdout);
    return diff->same() ? kExitOk : kExitRefused;
}

const Registration reg({"diff", "A B [--format text|json]", "what differs between two definitions, in the user's words", 46, 2,
                        4, run_diff});

const HelpRegistration help("diff",
                            "A and B are JSON definitions or application files, in any mix. One line per difference,\n"
                            "grouped by page; lines starting BREAKS name data files whose record layout changed\n"
                            "(terminals hold records of the old shape) and lookup files that must be replaced.\n\n"
                            "options:\n"
                            "  --format text|json   for people (default) or for tools\n\n"
                            "exit status: 0 the same, 1 different, 2 trouble (a file refused, usage)\n");

} // namespace

} // namespace formwick::cli
