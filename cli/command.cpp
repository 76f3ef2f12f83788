#include "cli/command.h"

#include <algorithm>

namespace formwick::cli {

namespace {

std::vector<Command>& table() {
    static std::vector<Command> commands; // filled before main by the registrations
    return commands;
}

std::vector<std::pair<std::string, std::string>>& help_table() {
    static std::vector<std::pair<std::string, std::string>> texts; // filled before main
    return texts;
}

} // namespace

HelpRegistration::HelpRegistration(const char* name, const char* text) { help_table().emplace_back(name, text); }

std::string command_help(const Command& command) {
    std::string out = std::string("usage: formwick-cli ") + command.name + " " + command.arguments + "\n\n" + command.summary + "\n";
    for (const auto& [name, text] : help_table())
        if (name == command.name) out += "\n" + text;
    return out;
}

Registration::Registration(const Command& command) { table().push_back(command); }

std::vector<Command> commands() {
    std::vector<Command> sorted = table();
    std::sort(sorted.begin(), sorted.end(), [](const Command& a, const Command& b) { return a.rank < b.rank; });
    return sorted;
}

} // namespace formwick::cli
