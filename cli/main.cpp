// formwick-cli: headless commands over application definitions.
#include "cli/command.h"

#include <cstdio>
#include <cstring>
#include <string>

using namespace formwick::cli;

namespace {

// The help text is also the source of the manual page (help2man), so it
// keeps the form that tool reads: a "Usage:" line, then two columns, the
// call and what it does, at least two spaces apart; a call too long for the
// first column puts its summary on the next line.
void print_usage(std::FILE* to) {
    constexpr int kCallWidth = 28;
    const auto row = [to](std::string call, const char* arguments, const char* summary) {
        if (*arguments) call = call + " " + arguments;
        if (call.size() + 2 > kCallWidth)
            std::fprintf(to, "  %s\n  %-*s%s\n", call.c_str(), kCallWidth, "", summary);
        else
            std::fprintf(to, "  %-*s%s\n", kCallWidth, call.c_str(), summary);
    };
    std::fprintf(to, "Usage: formwick-cli COMMAND [ARGUMENTS]\n\ncommands:\n");
    for (const Command& c : commands()) row(c.name, c.arguments, c.summary);
    row("--help", "", "show this text");
    row("--version", "", "show the version");
    std::fprintf(to, "\nexit status: 0 success, 1 the input was refused (the reason is on stderr), 2 usage\n");
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        print_usage(stderr);
        return kExitUsage;
    }
    const char* name = argv[1];
    if (std::strcmp(name, "--help") == 0 || std::strcmp(name, "-h") == 0 || std::strcmp(name, "help") == 0) {
        print_usage(stdout);
        return kExitOk;
    }
    if (std::strcmp(name, "--version") == 0) {
        std::printf("formwick-cli %s\n", FORMWICK_VERSION);
        return kExitOk;
    }
    for (const Command& c : commands()) {
        if (std::strcmp(c.name, name) != 0) continue;
        Args args(argv + 2, argv + argc);
        if (!args.empty() && (args[0] == "--help" || args[0] == "-h")) {
            std::fputs(command_help(c).c_str(), stdout);
            return kExitOk;
        }
        if (static_cast<int>(args.size()) < c.min_args || static_cast<int>(args.size()) > c.max_args) {
            std::fprintf(stderr, "usage: formwick-cli %s %s\n", c.name, c.arguments);
            return kExitUsage;
        }
        return c.run(args);
    }
    std::fprintf(stderr, "formwick-cli: unknown command \"%s\"\n\n", name);
    print_usage(stderr);
    return kExitUsage;
}
