// The lines of a lookup file against its lookup's settings, cut into
// fields by the runtime's own database code.
#include "checks/check_definition.h"
#include "checks/places.h"
#include "model/choice_names.h"
#include "runtime/app/descriptors.h"
#include "runtime/db/database.h"

#include <algorithm>
#include <map>
#include <set>
#include <string>

namespace formwick {

namespace {

// Faults of one kind are reported once, at the first line, with a count.
struct FirstFault {
    int line = 0;
    int count = 0;
    std::string what;
    void note(int at, std::string text) {
        if (count++ == 0) {
            line = at;
            what = std::move(text);
        }
    }
};

// A key as messages show it: bytes that are not printable ASCII as \xNN.
std::string printable(const std::string& key) {
    static const char digits[] = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : key) {
        if (c >= 0x20 && c < 0x7F) {
            out += static_cast<char>(c);
        } else {
            out += "\\x";
            out += digits[c >> 4];
            out += digits[c & 15];
        }
    }
    return out;
}

std::string strip_line_end(std::string s) {
    while (!s.empty() && (s.back() == '\r' || s.back() == '\n')) s.pop_back();
    return s;
}

} // namespace

void check_lookup_file(const CParameters& p, int lookup, std::string_view content, Findings& out) {
    const CParamLookup& l = p.lookups[lookup];
    const DatabaseDescriptor d = lookup_descriptor(l);
    const bool csv = l.fileType == 1;
    const int fields = std::clamp(l.fieldCount, 1, kLookupFieldCount);
    const int key_length = l.fields[std::clamp(l.keyField, 0, kLookupFieldCount - 1)].maxLength;
    std::map<std::string, FirstFault> faults; // by rule id
    std::set<std::string> keys;
    int number = 0;
    std::size_t at = 0;
    while (at < content.size()) {
        // A line ends after its LF; the last one may have none.
        std::size_t end = content.find('\n', at);
        end = end == std::string_view::npos ? content.size() : end + 1;
        std::string line(content.substr(at, end - at));
        at = end;
        ++number;
        if (line.size() > static_cast<std::size_t>(DB_LINE_MAX)) {
            faults["lookup-line-unreadable"].note(number, "is " + std::to_string(line.size()) + " bytes long; a record line holds at most " +
                                                             std::to_string(DB_LINE_MAX));
            continue;
        }
        if (line.find('\0') != std::string::npos) {
            faults["lookup-line-unreadable"].note(number, "holds a NUL byte, which ends the record there");
            continue;
        }
        if (!csv && static_cast<int>(line.size()) != l.recordSize) {
            faults["lookup-record-size"].note(number, "is " + std::to_string(line.size()) + " bytes long (line end included); the record size is " +
                                                          std::to_string(l.recordSize));
            continue;
        }
        char buffer[DB_KEY_FIELD_MAX + 1];
        if (csv) {
            int found = 0;
            while (found <= DB_FIELDS && db_get_field(d, found, line.c_str(), buffer, DB_KEY_FIELD_MAX) != -1) ++found;
            if (found != fields)
                faults["lookup-field-count"].note(number, "has " + std::to_string(found) + " fields; the lookup has " + std::to_string(fields));
            for (int i = 0; i < std::min(found, fields); ++i) {
                db_get_field(d, i, line.c_str(), buffer, DB_KEY_FIELD_MAX);
                const std::size_t n = strip_line_end(buffer).size();
                if (i != l.keyField && n > l.fields[i].maxLength)
                    faults["lookup-field-long"].note(number, "field " + std::to_string(i + 1) + " has " + std::to_string(n) +
                                                                 " characters; at most " + std::to_string(l.fields[i].maxLength) +
                                                                 " are taken, the rest is cut");
            }
        }
        char key[INDEX_KEY_MAX + 1];
        if (db_line_key(d, line.c_str(), key) < 0) continue;
        const std::string k = key;
        if (static_cast<int>(k.size()) > key_length)
            faults["lookup-key-long"].note(number, "has the key \"" + printable(k) + "\" of " + std::to_string(k.size()) + " characters; the key field holds " +
                                                       std::to_string(key_length) + ", so a search (cut to that length) never finds it");
        else if (!keys.insert(k).second)
            faults["lookup-duplicate-key"].note(number, "repeats the key \"" + printable(k) + "\"; the index holds each key once");
    }
    for (const auto& [rule, f] : faults) {
        const std::string where = place::lookup(lookup) + " file, line " + std::to_string(f.line);
        const std::string more = f.count > 1 ? " (" + std::to_string(f.count) + " lines like it)" : "";
        const bool error = rule != "lookup-field-long";
        std::string fix = rule == "lookup-record-size"    ? "make every line " + std::to_string(l.recordSize) + " bytes long, or correct the record size"
                          : rule == "lookup-field-count"  ? "give every line " + std::to_string(fields) + " fields separated by \"" +
                                                               names::delimiter().label(l.delimiter) + "\", or correct the number of fields"
                          : rule == "lookup-duplicate-key" ? "keep one line per key"
                          : rule == "lookup-key-long"      ? "make the key field at least as long as the longest key"
                          : rule == "lookup-field-long"    ? "raise the field's maximum length, or shorten the values"
                                                           : "make every line a text line of at most " + std::to_string(DB_LINE_MAX) + " bytes";
        if (error)
            out.error(rule, where, "the line " + f.what + more, fix);
        else
            out.warning(rule, where, "the line's " + f.what + more, fix);
    }
}

} // namespace formwick
