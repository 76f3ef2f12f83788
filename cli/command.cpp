#include "cli/command.h"

#include <algorithm>

namespace formwick::cli {

namespace {

std::vector<Command>& table() {
    static std::vector<Command> commands; // filled before main by the registrations
    return commands;
}

} // namespace

Registration::Registration(const Command& command) { table().push_back(command); }

std::vector<Command> commands() {
    std::vector<Command> sorted = table();
    std::sort(sorted.begin(), sorted.end(), [](const Command& a, const Command& b) { return a.rank < b.rank; });
    return sorted;
}

} // namespace formwick::cli
