#include "simulator/core/runner/script_tokens.h"

namespace formwick {

namespace {

bool is_space(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f'; }

int hex_digit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// The character of the escape after a backslash at line[i]; moves i past it.
bool unescape(std::string_view line, std::size_t& i, char& out, std::string& error) {
    const char e = i < line.size() ? line[i] : '\0';
    switch (e) {
    case '"':
    case '\\': out = e; i += 1; return true;
    case 'r': out = '\r'; i += 1; return true;
    case 'n': out = '\n'; i += 1; return true;
    case 't': out = '\t'; i += 1; return true;
    case 'x': {
        const int high = i + 1 < line.size() ? hex_digit(line[i + 1]) : -1;
        const int low = i + 2 < line.size() ? hex_digit(line[i + 2]) : -1;
        if (high >= 0 && low >= 0) {
            out = static_cast<char>(high * 16 + low);
            i += 3;
            return true;
        }
        break;
    }
    default: break;
    }
    error = "only \\\", \\\\, \\r, \\n, \\t and \\xHH (two hex digits) may follow a backslash in quotes";
    return false;
}

} // namespace

bool split_script_line(std::string_view line, std::vector<ScriptToken>& tokens, std::string& error) {
    tokens.clear();
    std::size_t i = 0;
    while (i < line.size()) {
        const char c = line[i];
        if (is_space(c)) {
            ++i;
        } else if (c == '#') {
            break;
        } else if (c == '"') {
            ScriptToken token{"", true};
            ++i;
            for (;;) {
                if (i >= line.size()) {
                    error = "the text in quotes has no closing \"";
                    return false;
                }
                char d = line[i++];
                if (d == '"') break;
                if (d == '\\' && !unescape(line, i, d, error)) return false;
                token.text += d;
            }
            tokens.push_back(std::move(token));
        } else {
            ScriptToken token;
            while (i < line.size() && !is_space(line[i]) && line[i] != '#' && line[i] != '"') token.text += line[i++];
            tokens.push_back(std::move(token));
        }
    }
    return true;
}

} // namespace formwick
