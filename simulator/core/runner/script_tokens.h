// Splitting one key-script line into words and quoted strings.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace formwick {

struct ScriptToken {
    std::string text;
    bool quoted = false;
};

// The tokens of `line` up to a "#" outside quotes. Inside quotes a
// backslash makes the next quote or backslash plain text. False with
// `error` set for an unterminated string or an unknown escape.
bool split_script_line(std::string_view line, std::vector<ScriptToken>& tokens, std::string& error);

} // namespace formwick
