// The EXPECT commands of the script executor: each checks what the terminal
// shows or holds once it waits for input, and reports what it found when
// the check fails.
#include "simulator/core/runner/ramdisk_lines.h"
#include "simulator/core/runner/screen_match.h"
#include "simulator/core/runner/script_executor.h"

namespace formwick {

namespace {

// How many rows or lines a report shows at most.
constexpr std::size_t kShown = 3;

std::string quoted(const std::string& s) {
    return "\"" + s + "\"";
}

std::string quoted_list(const std::vector<std::string>& items) {
    std::string out;
    for (const std::string& item : items)
        out += (out.empty() ? "" : ", ") + quoted(item);
    return out;
}

std::string count_of_lines(std::size_t n) {
    return std::to_string(n) + (n == 1 ? " line" : " lines");
}

std::string indented(const std::string& text) {
    std::string out;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        out += "    " + text.substr(start, end - start) + "\n";
        start = end + 1;
    }
    return out;
}

} // namespace

bool ScriptExecutor::expectation_failed(const ScriptCommand& cmd, MessageSink& sink,
                                        const std::string& expected, const std::string& found) {
    std::string report =
        at_line(cmd) + "expected " + expected + "\n  found: " + found;
    if (options_.screen) report += "\n  the screen:\n" + indented(options_.screen->text_view());
    while (!report.empty() && report.back() == '\n')
        report.pop_back();
    sink.error(report);
    return false;
}

bool ScriptExecutor::do_expect_screen(const ScriptCommand& cmd, MessageSink& sink) {
    if (!options_.screen) {
        sink.error(at_line(cmd) +
                   "EXPECT SCREEN: this run has no screen to read");
        return false;
    }
    const std::vector<std::string> rows = options_.screen->readings();
    const std::string* row = row_holding(rows, cmd.text);
    if (cmd.absent) {
        if (!row) return true;
        return expectation_failed(cmd, sink, "the screen not to show " + quoted(cmd.text),
                                  "the row " + quoted(*row));
    }
    if (row) return true;
    const std::vector<std::string> near = nearest_rows(rows, cmd.text, kShown);
    return expectation_failed(cmd, sink, "the screen to show " + quoted(cmd.text),
                              near.empty() ? "no row like it"
                                           : "no such row; the nearest read " + quoted_list(near));
}

bool ScriptExecutor::file_lines(const ScriptCommand& cmd, MessageSink& sink,
                                std::vector<std::string>& lines) {
    if (!options_.files) {
        sink.error(at_line(cmd) + "EXPECT FILE: this run has no RAM disk");
        return false;
    }
    if (read_ramdisk_lines(*options_.files, cmd.file, lines)) return true;
    const std::string expected = cmd.op == ScriptOp::expect_lines
                                     ? count_of_lines(static_cast<std::size_t>(cmd.number))
                                     : "the line " + quoted(cmd.text);
    return expectation_failed(cmd, sink, cmd.file + " to hold " + expected,
                              "no file " + cmd.file + " on the RAM disk");
}

bool ScriptExecutor::do_expect_line(const ScriptCommand& cmd, MessageSink& sink) {
    std::vector<std::string> lines;
    if (!file_lines(cmd, sink, lines)) return false;
    for (const std::string& line : lines)
        if (line == cmd.text) return true;
    const std::vector<std::string> near = nearest_rows(lines, cmd.text, kShown);
    std::string found = count_of_lines(lines.size()) + ", none of them that one";
    if (!near.empty()) found += "; the nearest " + quoted_list(near);
    return expectation_failed(cmd, sink, cmd.file + " to hold the line " + quoted(cmd.text), found);
}

bool ScriptExecutor::do_expect_lines(const ScriptCommand& cmd, MessageSink& sink) {
    std::vector<std::string> lines;
    if (!file_lines(cmd, sink, lines)) return false;
    if (lines.size() == static_cast<std::size_t>(cmd.number)) return true;
    std::string found = count_of_lines(lines.size());
    if (!lines.empty()) {
        const std::size_t from = lines.size() > kShown ? lines.size() - kShown : 0;
        found += (from ? ", the last " : ": ") +
                 quoted_list(std::vector<std::string>(
                     lines.begin() + static_cast<std::ptrdiff_t>(from), lines.end()));
    }
    return expectation_failed(
        cmd, sink, cmd.file + " to hold " + count_of_lines(static_cast<std::size_t>(cmd.number)),
        found);
}

bool ScriptExecutor::do_expect_variable(const ScriptCommand& cmd, MessageSink& sink) {
    if (!options_.probe) {
        sink.error(at_line(cmd) +
                   "EXPECT VAR: this run has no variables to read");
        return false;
    }
    const std::string value = options_.probe->variable(cmd.number);
    if (value == cmd.text) return true;
    return expectation_failed(
        cmd, sink, "variable " + std::to_string(cmd.number) + " to hold " + quoted(cmd.text),
        value.empty() ? "it is empty" : quoted(value));
}

} // namespace formwick
