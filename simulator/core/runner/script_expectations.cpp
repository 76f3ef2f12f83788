// The EXPECT commands of the script executor: each checks what the terminal
// shows or holds once it waits for input, and reports what it found when
// the check fails.
#include "model/field_refs.h"
#include "simulator/core/runner/ramdisk_lines.h"
#include "simulator/core/runner/screen_match.h"
#include "simulator/core/runner/script_executor.h"

#include <cstdio>
#include <utility>

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

// A text with its control bytes and backslashes as the escapes scripts use.
std::string escaped(const std::string& s) {
    std::string out = "\"";
    for (unsigned char c : s) {
        if (c == '\r') out += "\\r";
        else if (c == '\n') out += "\\n";
        else if (c == '\t') out += "\\t";
        else if (c == '\\' || c == '"') out += std::string("\\") + static_cast<char>(c);
        else if (c < 32 || c == 127) {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02X", c);
            out += hex;
        } else out += static_cast<char>(c);
    }
    return out + "\"";
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
    const std::vector<std::vector<std::string>> readings = options_.screen->readings();
    std::vector<std::string> rows; // every row of every reading, the unread and the empty aside
    for (const std::vector<std::string>& reading : readings)
        for (const std::string& r : reading)
            if (!r.empty()) rows.push_back(r);
    // Where the text is: in one row, else wrapped over several rows of one reading.
    std::vector<std::string> holding;
    if (const std::string* row = row_holding(rows, cmd.text)) holding.push_back(*row);
    for (std::size_t i = 0; holding.empty() && i < readings.size(); ++i)
        holding = rows_wrapping(readings[i], cmd.text);
    if (cmd.absent) {
        if (holding.empty()) return true;
        return expectation_failed(cmd, sink, "the screen not to show " + quoted(cmd.text),
                                  (holding.size() == 1 ? "the row " : "the rows ") + quoted_list(holding));
    }
    if (!holding.empty()) return true;
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
    const std::string value = options_.probe->value(cmd.number);
    if (value == cmd.text) return true;
    const std::string name(field_ref_name_ascii(cmd.number));
    const std::string what = cmd.number <= kFieldRefLastVariable ? "variable " + std::to_string(cmd.number) : name;
    return expectation_failed(cmd, sink, what + " to hold " + quoted(cmd.text),
                              value.empty() ? "it is empty" : quoted(value));
}

bool ScriptExecutor::do_expect_no_file(const ScriptCommand& cmd, MessageSink& sink) {
    if (!options_.files) {
        sink.error(at_line(cmd) + "EXPECT NO FILE: this run has no RAM disk");
        return false;
    }
    std::vector<std::string> lines;
    if (!read_ramdisk_lines(*options_.files, cmd.file, lines)) return true;
    return expectation_failed(cmd, sink, "no file " + cmd.file + " on the RAM disk",
                              "the file, " + count_of_lines(lines.size()));
}

bool ScriptExecutor::do_expect_bytes(const ScriptCommand& cmd, MessageSink& sink) {
    if (!options_.files) {
        sink.error(at_line(cmd) + "EXPECT FILE: this run has no RAM disk");
        return false;
    }
    std::string bytes;
    if (!read_ramdisk_bytes(*options_.files, cmd.file, bytes))
        return expectation_failed(cmd, sink, cmd.file + " to hold " + escaped(cmd.text),
                                  "no file " + cmd.file + " on the RAM disk");
    if (bytes == cmd.text) return true;
    std::size_t same = 0;
    while (same < bytes.size() && same < cmd.text.size() && bytes[same] == cmd.text[same])
        ++same;
    return expectation_failed(cmd, sink, cmd.file + " to hold " + escaped(cmd.text),
                              escaped(bytes) + " (" + std::to_string(bytes.size()) + " bytes, the first " +
                                  std::to_string(same) + " as expected)");
}

bool ScriptExecutor::do_expect_box(const ScriptCommand& cmd, MessageSink& sink) {
    if (!options_.probe) {
        sink.error(at_line(cmd) + "EXPECT BOX: this run cannot see message boxes");
        return false;
    }
    auto box_of = [](BoxKind kind) {
        static constexpr const char* kPhrases[kBoxKindCount] = {"an information box", "a warning box",
                                                                "an error box", "a question box"};
        return std::string(kPhrases[static_cast<int>(kind)]);
    };
    const std::string expected =
        (cmd.boxKind < 0 ? std::string("a message box") : box_of(static_cast<BoxKind>(cmd.boxKind))) + " with " +
        quoted(cmd.text);
    std::string text;
    BoxKind kind{};
    if (!options_.probe->message_box(text, kind)) return expectation_failed(cmd, sink, expected, "no message box");
    const bool textFits = squeeze_blanks(text).find(squeeze_blanks(cmd.text)) != std::string::npos;
    if (textFits && (cmd.boxKind < 0 || cmd.boxKind == static_cast<int>(kind))) return true;
    return expectation_failed(cmd, sink, expected, box_of(kind) + " with " + quoted(std::as_const(text)));
}

} // namespace formwick
