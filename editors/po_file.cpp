#include "editors/po_file.h"

namespace formwick {

namespace {

std::string quoted(std::string_view text) {
    std::string out = "\"";
    for (char c : text) {
        switch (c) {
        case '\\': out += "\\\\"; break;
        case '"': out += "\\\""; break;
        case '\n': out += "\\n"; break;
        case '\t': out += "\\t"; break;
        case '\r': out += "\\r"; break;
        default: out += c;
        }
    }
    return out + "\"";
}

// Reads one quoted string starting at `line[0]`; false on a malformed one.
bool unquote(std::string_view line, std::string& out, std::string& what) {
    if (line.size() < 2 || line.front() != '"') {
        what = "a quoted text was expected";
        return false;
    }
    std::size_t i = 1;
    for (; i < line.size() && line[i] != '"'; ++i) {
        char c = line[i];
        if (c == '\\') {
            if (++i == line.size()) break;
            switch (line[i]) {
            case 'n': c = '\n'; break;
            case 't': c = '\t'; break;
            case 'r': c = '\r'; break;
            case '\\': c = '\\'; break;
            case '"': c = '"'; break;
            default: what = "unknown escape \\" + std::string(1, line[i]); return false;
            }
        }
        out += c;
    }
    if (i >= line.size()) {
        what = "the quoted text does not end";
        return false;
    }
    for (++i; i < line.size(); ++i) {
        if (line[i] != ' ' && line[i] != '\t') {
            what = "text after the closing quote";
            return false;
        }
    }
    return true;
}

std::string_view trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
    return s;
}

} // namespace

std::string write_po(const std::vector<PoEntry>& entries) {
    std::string out = "msgid \"\"\nmsgstr \"\"\n\"MIME-Version: 1.0\\n\"\n"
                      "\"Content-Type: text/plain; charset=UTF-8\\n\"\n"
                      "\"Content-Transfer-Encoding: 8bit\\n\"\n";
    for (const PoEntry& e : entries) {
        out += "\n";
        if (e.fuzzy) out += "#, fuzzy\n";
        if (!e.context.empty()) out += "msgctxt " + quoted(e.context) + "\n";
        out += "msgid " + quoted(e.id) + "\n";
        out += "msgstr " + quoted(e.str) + "\n";
    }
    return out;
}

bool parse_po(std::string_view text, std::vector<PoEntry>& entries, std::string& error) {
    entries.clear();
    if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3); // a byte order mark
    enum Field { kNone, kContext, kId, kStr };
    PoEntry entry;
    Field field = kNone;
    bool hasId = false, hasStr = false, fuzzy = false;
    int lineNumber = 0;
    auto fail = [&](const std::string& what) {
        error = "line " + std::to_string(lineNumber) + ": " + what;
        entries.clear();
        return false;
    };
    auto finish = [&]() -> bool {
        if (!hasId && field == kNone) return true;
        if (!hasId || !hasStr) return false;
        entry.fuzzy = fuzzy;
        if (!entry.id.empty()) entries.push_back(entry); // the header has an empty msgid
        entry = PoEntry{};
        field = kNone;
        hasId = hasStr = fuzzy = false;
        return true;
    };

    std::size_t pos = 0;
    while (pos <= text.size()) {
        const std::size_t end = std::min(text.find('\n', pos), text.size());
        const std::string_view line = trim(text.substr(pos, end - pos));
        pos = end + 1;
        ++lineNumber;
        if (line.empty()) continue;
        std::string what;
        if (line.front() == '#') {
            // A comment starts the next entry.
            if (hasStr && !finish()) return fail("an entry without msgid or msgstr");
            if (line.substr(0, 2) == "#," && line.find("fuzzy") != std::string_view::npos) fuzzy = true;
            continue;
        }
        if (line.front() == '"') {
            std::string* to = field == kContext ? &entry.context : field == kId ? &entry.id : field == kStr ? &entry.str : nullptr;
            if (!to) return fail("a text line without a keyword before it");
            if (!unquote(line, *to, what)) return fail(what);
            continue;
        }
        const std::size_t space = line.find_first_of(" \t");
        const std::string_view keyword = line.substr(0, space);
        const std::string_view rest = space == std::string_view::npos ? std::string_view{} : trim(line.substr(space));
        if (keyword == "msgctxt") {
            if (hasId && !finish()) return fail("an entry without msgstr");
            if (hasId || field == kContext) return fail("msgctxt twice");
            field = kContext;
            if (!unquote(rest, entry.context, what)) return fail(what);
        } else if (keyword == "msgid") {
            if (hasStr && !finish()) return fail("an entry without msgstr");
            if (hasId) return fail("msgid twice");
            field = kId;
            hasId = true;
            entry.line = lineNumber;
            if (!unquote(rest, entry.id, what)) return fail(what);
        } else if (keyword == "msgstr") {
            if (!hasId) return fail("msgstr without msgid");
            if (hasStr) return fail("msgstr twice");
            field = kStr;
            hasStr = true;
            if (!unquote(rest, entry.str, what)) return fail(what);
        } else if (keyword == "msgid_plural" || keyword.substr(0, 7) == "msgstr[") {
            return fail("plural forms are not used here");
        } else {
            return fail("unknown keyword " + std::string(keyword.substr(0, 40)));
        }
    }
    if (!finish()) return fail("the last entry has no msgstr");
    return true;
}

} // namespace formwick
