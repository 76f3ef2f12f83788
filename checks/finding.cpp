#include "checks/finding.h"

#include <nlohmann/json.hpp>

#include <algorithm>

namespace formwick {

int Findings::errors() const {
    return static_cast<int>(std::count_if(list.begin(), list.end(), [](const Finding& f) { return f.severity == Severity::Error; }));
}

int Findings::warnings() const { return static_cast<int>(list.size()) - errors(); }

namespace {

const char* severity_name(Severity s) { return s == Severity::Error ? "error" : "warning"; }

std::string counted(int n, const char* what) { return std::to_string(n) + " " + what + (n == 1 ? "" : "s"); }

} // namespace

std::string findings_text(const Findings& findings) {
    std::string out;
    for (const Finding& f : findings.list) {
        out += f.place + ": " + severity_name(f.severity) + " [" + f.rule + "] " + f.terminal + "\n";
        out += "  fix: " + f.fix + "\n";
    }
    out += counted(findings.errors(), "error") + ", " + counted(findings.warnings(), "warning") + "\n";
    return out;
}

std::string findings_json(const Findings& findings) {
    nlohmann::ordered_json list = nlohmann::ordered_json::array();
    for (const Finding& f : findings.list)
        list.push_back({{"rule", f.rule}, {"severity", severity_name(f.severity)}, {"place", f.place},
                        {"terminal", f.terminal}, {"fix", f.fix}});
    nlohmann::ordered_json root;
    root["findings"] = std::move(list);
    root["errors"] = findings.errors();
    root["warnings"] = findings.warnings();
    // Texts of a damaged definition may hold bytes that are not UTF-8.
    return root.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) + "\n";
}

} // namespace formwick
