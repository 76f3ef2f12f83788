// One finding of a check: which rule, how bad, where in the user's words,
// what the terminal will do, and how to mend it.
#pragma once

#include <string>
#include <vector>

namespace formwick {

enum class Severity {
    Error,   // the terminal will lose input or refuse to work
    Warning, // it works, but not as the user likely meant
};

struct Finding {
    std::string rule;     // "record-length"
    Severity severity = Severity::Error;
    std::string place;    // "Form 2, line 1", "Data 1, field 3"
    std::string terminal; // what happens on the terminal
    std::string fix;      // what to change
};

class Findings {
public:
    void error(std::string rule, std::string place, std::string terminal, std::string fix) {
        list.push_back({std::move(rule), Severity::Error, std::move(place), std::move(terminal), std::move(fix)});
    }
    void warning(std::string rule, std::string place, std::string terminal, std::string fix) {
        list.push_back({std::move(rule), Severity::Warning, std::move(place), std::move(terminal), std::move(fix)});
    }
    int errors() const;
    int warnings() const;

    std::vector<Finding> list;
};

// For people: one block per finding, then a count.
//   Data 1: error [record-length] every record is refused: ...
//     fix: set the record length to 23
std::string findings_text(const Findings& findings);
// For tools: {"findings": [{"rule", "severity", "place", "terminal", "fix"}], "errors", "warnings"}.
std::string findings_json(const Findings& findings);

} // namespace formwick
