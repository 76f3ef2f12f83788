#include "simulator/core/runner/script_tokens.h"

namespace formwick {

namespace {

bool is_space(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f'; }

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
                if (d == '\\') {
                    if (i >= line.size() || (line[i] != '"' && line[i] != '\\')) {
                        error = "only \\\" and \\\\ may follow a backslash in quotes";
                        return false;
                    }
                    d = line[i++];
                }
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
