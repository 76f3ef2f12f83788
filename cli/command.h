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

} // namespace formwick::cli
