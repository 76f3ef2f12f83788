#include "editors/lookup_file_test.h"

#include "checks/check_definition.h"
#include "model/parameters.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace formwick {

namespace {

bool has_rule(const Findings& findings, const char* rule) {
    return std::any_of(findings.list.begin(), findings.list.end(), [&](const Finding& f) { return f.rule == rule; });
}

std::string file_label(const std::string& path) { return std::filesystem::path(path).filename().string(); }

} // namespace

LookupFileReport test_lookup_file(const CParamLookup& lookup, int number, const std::string& path) {
    LookupFileReport report;
    std::error_code error;
    if (std::filesystem::is_directory(path, error)) {
        report.text = "\"" + path + "\" is a folder, not a lookup file.";
        return report;
    }
    const auto size = std::filesystem::file_size(path, error);
    if (!error && size > static_cast<std::uintmax_t>(kLookupTestMaxBytes)) {
        report.text = "\"" + file_label(path) + "\" is larger than 256 MB; it cannot be a lookup file for the terminal.";
        return report;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        report.text = "Cannot read \"" + path + "\": " + std::strerror(errno) + ".";
        return report;
    }
    const std::string content((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) {
        report.text = "Cannot read \"" + path + "\": the read failed.";
        return report;
    }
    report.readable = true;
    report.lines = static_cast<int>(std::count(content.begin(), content.end(), '\n'));
    if (!content.empty() && content.back() != '\n') ++report.lines;

    CParameters definition;
    definition.lookups[number] = lookup;
    Findings findings;
    check_lookup_file(definition, number, content, findings);
    report.problems = static_cast<int>(findings.list.size());

    std::string& t = report.text;
    t = file_label(path) + ": " + std::to_string(report.lines) + (report.lines == 1 ? " line." : " lines.") + "\n";
    if (lookup.fileType == 1) {
        if (!has_rule(findings, "lookup-field-count"))
            t += "Every line has " + std::to_string(std::clamp(lookup.fieldCount, 1, kLookupFieldCount)) + " fields.\n";
    } else if (!has_rule(findings, "lookup-record-size")) {
        t += "Every line has the record size " + std::to_string(lookup.recordSize) + " (<CR><LF> included).\n";
    }
    if (!has_rule(findings, "lookup-duplicate-key") && !has_rule(findings, "lookup-key-long")) t += "Every key is unique.\n";
    for (const Finding& f : findings.list) {
        t += "\n" + f.place + ": " + (f.severity == Severity::Error ? "error: " : "warning: ") + f.terminal + ".\n";
        t += "Fix: " + f.fix + ".\n";
    }
    if (findings.list.empty()) t += "\nThe file fits these settings.\n";
    return report;
}

} // namespace formwick
