// The command table of formwick-cli.
//
// Each command lives in its own source file (cmd_*.cpp) and registers itself
// with a static Registration, so adding a command means adding a file:
//
//   static const Registration reg({"show", "IN.(HIX|json)", "print a readable summary", 40, 1, 1, run_show});
#pragma once

#include <string>
#include <vector>

namespace formwick::cli {

inline constexpr int kExitOk = 0;
inline constexpr int kExitRefused = 1; // the input was refused; the message is on stderr
inline constexpr int kExitUsage = 2;

using Args = std::vector<std::string>; // the arguments after the command name

struct Command {
    const char* name;
    const char* arguments; // as the usage line shows them
    const char* summary;
    int rank;              // order in the help text
    int min_args;
    int max_args;
    int (*run)(const Args& args);
};

struct Registration {
    explicit Registration(const Command& command);
};

// Every registered command, in help order.
std::vector<Command> commands();

// What "formwick-cli COMMAND --help" prints after the usage line and the
// summary: the options and the exit status. A command without one prints
// only its usage and summary.
struct HelpRegistration {
    HelpRegistration(const char* name, const char* text);
};

// The usage line, the summary and the registered help of a command.
std::string command_help(const Command& command);

} // namespace formwick::cli
