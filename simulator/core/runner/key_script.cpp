#include "simulator/core/runner/key_script.h"

#include "model/field_refs.h"
#include "runtime/services/keys.h"
#include "simulator/core/host/host_calendar.h"
#include "simulator/core/keys/key_names.h"
#include "simulator/core/ramdisk/ram_disk.h"
#include "simulator/core/runner/expectation_probe.h"
#include "simulator/core/runner/script_tokens.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdlib>

namespace formwick {

namespace {

using Tokens = std::vector<ScriptToken>;

// Longest WAIT: one day of terminal time.
constexpr double kMaxWaitSeconds = 86400;

std::string upper(std::string_view s) {
    std::string out(s);
    for (char& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return out;
}

bool only_digits_and_points(std::string_view s) {
    if (s.empty()) return false;
    for (char c : s)
        if (!(std::isdigit(static_cast<unsigned char>(c)) || c == '.')) return false;
    return true;
}

bool parse_int(std::string_view s, int& value) {
    auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
    return ec == std::errc() && end == s.data() + s.size();
}

// Each parser fills `cmd` from the tokens after the command word, or
// returns an error text.
using ArgParser = std::string (*)(const Tokens& args, ScriptCommand& cmd);

std::string one_quoted(const Tokens& args, ScriptCommand& cmd, const char* what) {
    if (args.size() != 1 || !args[0].quoted) return std::string("needs one text in quotes: ") + what;
    cmd.text = args[0].text;
    return {};
}

std::string parse_type(const Tokens& args, ScriptCommand& cmd) {
    return one_quoted(args, cmd, "TYPE \"text\"");
}

std::string parse_scan(const Tokens& args, ScriptCommand& cmd) {
    std::string error = one_quoted(args, cmd, "SCAN \"barcode\"");
    if (error.empty() && cmd.text.empty()) error = "needs a barcode that is not empty";
    return error;
}

std::string parse_wait(const Tokens& args, ScriptCommand& cmd) {
    if (args.size() != 1 || args[0].quoted) return "needs a number of seconds: WAIT 5";
    const std::string& s = args[0].text;
    char* end = nullptr;
    const double seconds = std::strtod(s.c_str(), &end);
    if (s.empty() || *end || !std::isfinite(seconds) || seconds < 0 || !(std::isdigit(static_cast<unsigned char>(s[0])) || s[0] == '.'))
        return "needs a number of seconds, not '" + s + "'";
    if (seconds > kMaxWaitSeconds) return "waits at most 86400 seconds";
    cmd.ms = std::llround(seconds * 1000);
    return {};
}

std::string parse_screen(const Tokens& args, ScriptCommand& cmd) {
    std::size_t at = 0;
    if (at < args.size() && !args[at].quoted && upper(args[at].text) == "PIXELS") {
        cmd.pixels = true;
        ++at;
    }
    if (at < args.size() && args[at].quoted && !args[at].text.empty()) cmd.text = args[at++].text;
    if (at == args.size()) return {};
    return "takes PIXELS and a file name in quotes, each optional";
}

std::string parse_alpha(const Tokens& args, ScriptCommand& cmd) {
    if (args.empty()) return {};
    if (args.size() == 1 && !args[0].quoted) {
        const std::string word = upper(args[0].text);
        if (word == "ON") cmd.alpha = 1;
        if (word == "OFF") cmd.alpha = 0;
        if (cmd.alpha >= 0) return {};
    }
    return "takes nothing (toggle), ON or OFF";
}

std::string parse_clock(const Tokens& args, ScriptCommand& cmd) {
    const char* usage = "needs a date and a time: CLOCK 2025-06-30 17:45:00";
    if (args.size() != 2 || args[0].quoted || args[1].quoted) return usage;
    int y, mo, d, h, mi, s;
    char tail;
    if (std::sscanf(args[0].text.c_str(), "%d-%d-%d%c", &y, &mo, &d, &tail) != 3 ||
        std::sscanf(args[1].text.c_str(), "%d:%d:%d%c", &h, &mi, &s, &tail) != 3)
        return usage;
    if (mo < 1 || mo > 12 || d < 1 || d > 31) return "has no such date: " + args[0].text;
    cmd.date = DateRecord{y, static_cast<std::uint8_t>(mo), static_cast<std::uint8_t>(d)};
    if (!date_is_valid(cmd.date)) return "has no such date: " + args[0].text;
    if (h < 0 || h > 23 || mi < 0 || mi > 59 || s < 0 || s > 59) return "has no such time: " + args[1].text;
    cmd.time = TimeRecord{static_cast<std::uint8_t>(h), static_cast<std::uint8_t>(mi), static_cast<std::uint8_t>(s)};
    return {};
}

// EXPECT is followed by what is checked; each kind has its own parser over
// the tokens after its word.
std::string expect_screen(const Tokens& args, ScriptCommand& cmd) {
    cmd.op = ScriptOp::expect_screen;
    std::string error = one_quoted(args, cmd, "EXPECT SCREEN \"text\"");
    if (error.empty() && cmd.text.empty()) error = "needs a text that is not empty";
    return error;
}

// The largest line count EXPECT FILE ... LINES takes.
constexpr int kMaxExpectedLines = 1000000;

std::string expect_file(const Tokens& args, ScriptCommand& cmd) {
    const char* usage = "needs a file name in quotes, then LINE \"text\", LINES n or BYTES \"text\"";
    if (args.empty() || !args[0].quoted || args[0].text.empty()) return usage;
    cmd.file = args[0].text;
    if (!ramdisk_name_valid(cmd.file.c_str()))
        return "needs a plain RAM disk file name, not \"" + cmd.file + "\"";
    if (cmd.absent) {
        cmd.op = ScriptOp::expect_no_file;
        return args.size() == 1 ? std::string() : "takes only the file name after NO FILE";
    }
    if (args.size() != 3 || args[1].quoted) return usage;
    const std::string word = upper(args[1].text);
    if ((word == "LINE" || word == "BYTES") && args[2].quoted) {
        cmd.op = word == "LINE" ? ScriptOp::expect_line : ScriptOp::expect_bytes;
        cmd.text = args[2].text;
        return {};
    }
    if (word == "LINES" && !args[2].quoted) {
        cmd.op = ScriptOp::expect_lines;
        if (parse_int(args[2].text, cmd.number) && cmd.number >= 0 && cmd.number <= kMaxExpectedLines) return {};
        return "LINES needs a count from 0 to 1000000, not '" + args[2].text + "'";
    }
    return usage;
}

// The field reference a name stands for ("Look 1-2", "var 3"; blanks and
// case do not matter), or -1.
int field_ref_by_name(std::string_view name) {
    auto squeeze = [](std::string_view s) {
        std::string out;
        for (char c : s)
            if (c != ' ') out += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        return out;
    };
    const std::string wanted = squeeze(name);
    for (int code = 1; code < kFieldRefCount; ++code) {
        const std::string_view known = field_ref_name_ascii(code);
        if (!known.empty() && squeeze(known) == wanted) return code;
    }
    return -1;
}

std::string expect_variable(const Tokens& args, ScriptCommand& cmd) {
    cmd.op = ScriptOp::expect_variable;
    if (args.size() != 2 || !args[1].quoted)
        return "needs a variable number or a field name in quotes, then a value in quotes: EXPECT VAR 3 \"12\", "
               "EXPECT VAR \"Look 1-2\" \"Tea\"";
    if (args[0].quoted) {
        cmd.number = field_ref_by_name(args[0].text);
        if (cmd.number < 0)
            return "knows no field \"" + args[0].text + "\"; fields are named as in \"Var 3\", \"Look 1-2\", "
                   "\"Data 2-5\", \"Const 1\", \"Term ID\"";
    } else if (!parse_int(args[0].text, cmd.number) || cmd.number < kFieldRefFirstVariable ||
               cmd.number > kFieldRefLastVariable) {
        return "has variables 1 to 20, not '" + args[0].text + "'";
    }
    cmd.text = args[1].text;
    return {};
}

std::string expect_box(const Tokens& args, ScriptCommand& cmd) {
    cmd.op = ScriptOp::expect_box;
    const char* usage = "needs a text in quotes, after INFORMATION, WARNING, ERROR or QUESTION if the kind matters";
    std::size_t at = 0;
    if (args.size() == 2 && !args[0].quoted) {
        const std::string word = upper(args[0].text);
        for (int kind = 0; kind < kBoxKindCount; ++kind)
            if (word == box_kind_word(static_cast<BoxKind>(kind))) cmd.boxKind = kind;
        if (cmd.boxKind < 0) return usage;
        at = 1;
    }
    if (args.size() != at + 1 || !args[at].quoted || args[at].text.empty()) return usage;
    cmd.text = args[at].text;
    return {};
}

struct ExpectEntry {
    const char* name;
    ArgParser parse;
};

constexpr ExpectEntry kExpectations[] = {
    {"SCREEN", expect_screen},
    {"FILE", expect_file},
    {"VAR", expect_variable},
    {"BOX", expect_box},
};

std::string parse_expect(const Tokens& args, ScriptCommand& cmd) {
    std::size_t at = 0;
    if (at < args.size() && !args[at].quoted && upper(args[at].text) == "NO") {
        cmd.absent = true;
        ++at;
    }
    if (at < args.size() && !args[at].quoted) {
        const std::string word = upper(args[at].text);
        for (const ExpectEntry& entry : kExpectations) {
            if (word != entry.name) continue;
            if (cmd.absent && entry.parse != expect_screen && entry.parse != expect_file)
                return "NO goes only with SCREEN and FILE";
            const Tokens rest(args.begin() + static_cast<std::ptrdiff_t>(at) + 1, args.end());
            const std::string error = entry.parse(rest, cmd);
            return error.empty() ? error : word + " " + error;
        }
    }
    return "needs SCREEN, NO SCREEN, FILE, NO FILE, VAR or BOX";
}

struct CommandEntry {
    const char* name;
    ScriptOp op;
    ArgParser parse;
};

// The commands named by a word of their own; key names and digit runs are
// recognised after these.
constexpr CommandEntry kCommands[] = {
    {"TYPE", ScriptOp::type, parse_type},       {"SCAN", ScriptOp::scan, parse_scan},
    {"WAIT", ScriptOp::wait, parse_wait},       {"SCREEN", ScriptOp::screen, parse_screen},
    {"ALPHA", ScriptOp::alpha, parse_alpha},    {"CLOCK", ScriptOp::clock, parse_clock},
    {"EXPECT", ScriptOp::expect_screen, parse_expect}, // the kind of expectation sets the op
};

std::string parse_press(const Tokens& args, ScriptCommand& cmd) {
    if (args.empty()) return {};
    const std::string& s = args[0].text;
    if (args.size() == 1 && !args[0].quoted && s.size() > 1 && (s[0] == 'x' || s[0] == 'X') &&
        parse_int(std::string_view(s).substr(1), cmd.repeat) && cmd.repeat >= 1 && cmd.repeat <= 1000)
        return {};
    return "takes nothing or a count of presses from x1 to x1000, as in DOWN x3";
}

std::string parse_line(const Tokens& tokens, ScriptCommand& cmd) {
    const ScriptToken& first = tokens[0];
    if (first.quoted) return "starts with a text in quotes; a command comes first, as in TYPE \"text\"";
    const Tokens args(tokens.begin() + 1, tokens.end());
    const std::string word = upper(first.text);
    for (const CommandEntry& entry : kCommands) {
        if (word == entry.name) {
            cmd.op = entry.op;
            std::string error = entry.parse(args, cmd);
            return error.empty() ? error : std::string(entry.name) + " " + error;
        }
    }
    if (word == "MENU") return "MENU opens the simulator's own menu, which headless runs do not have";
    if (std::optional<int> code = key_code_from_name(word)) {
        cmd.op = ScriptOp::press;
        cmd.key = *code;
        std::string error = parse_press(args, cmd);
        return error.empty() ? error : word + " " + error;
    }
    if (only_digits_and_points(word)) {
        if (!args.empty()) return "has more after the digits '" + first.text + "'; one command per line";
        cmd.op = ScriptOp::digits;
        cmd.text = word;
        return {};
    }
    return "unknown command or key '" + first.text + "'";
}

} // namespace

bool parse_key_script(std::string_view text, KeyScript& script, MessageSink& sink) {
    script.commands.clear();
    bool ok = true;
    int number = 0;
    std::size_t pos = 0;
    Tokens tokens;
    while (pos <= text.size()) {
        std::size_t end = text.find('\n', pos);
        if (end == std::string_view::npos) end = text.size();
        const std::string_view line = text.substr(pos, end - pos);
        pos = end + 1;
        ++number;
        std::string error;
        if (!split_script_line(line, tokens, error)) {
            sink.error("line " + std::to_string(number) + ": " + error);
            ok = false;
            continue;
        }
        if (tokens.empty()) continue;
        ScriptCommand cmd;
        cmd.line = number;
        error = parse_line(tokens, cmd);
        if (!error.empty()) {
            sink.error("line " + std::to_string(number) + ": " + error);
            ok = false;
            continue;
        }
        script.commands.push_back(std::move(cmd));
    }
    return ok;
}

bool script_op_checks(ScriptOp op) {
    switch (op) {
    case ScriptOp::expect_screen:
    case ScriptOp::expect_line:
    case ScriptOp::expect_lines:
    case ScriptOp::expect_variable:
    case ScriptOp::expect_no_file:
    case ScriptOp::expect_bytes:
    case ScriptOp::expect_box: return true;
    default: return false;
    }
}

std::string at_line(const ScriptCommand& cmd) { return "line " + std::to_string(cmd.line) + ": "; }

const char* script_op_name(ScriptOp op) {
    switch (op) {
    case ScriptOp::press: return "key";
    case ScriptOp::digits: return "digits";
    case ScriptOp::type: return "TYPE";
    case ScriptOp::scan: return "SCAN";
    case ScriptOp::wait: return "WAIT";
    case ScriptOp::screen: return "SCREEN";
    case ScriptOp::alpha: return "ALPHA";
    case ScriptOp::clock: return "CLOCK";
    case ScriptOp::expect_screen: return "EXPECT SCREEN";
    case ScriptOp::expect_line: return "EXPECT FILE LINE";
    case ScriptOp::expect_lines: return "EXPECT FILE LINES";
    case ScriptOp::expect_variable: return "EXPECT VAR";
    case ScriptOp::expect_no_file: return "EXPECT NO FILE";
    case ScriptOp::expect_bytes: return "EXPECT FILE BYTES";
    case ScriptOp::expect_box: return "EXPECT BOX";
    }
    return "?";
}

} // namespace formwick
