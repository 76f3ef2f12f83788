// Gettext PO files, the subset translators' tools write for plain texts:
//
//   # a comment                 (translator and tool comments; "#," flags)
//   msgctxt "menu"              (optional)
//   msgid "Input"
//   msgstr "Eingabe"
//   "continued"                 (a string line continues the keyword above)
//
// Strings are double-quoted with the escapes \\ \" \n \t \r; the file is
// UTF-8. The header entry (empty msgid) is written and skipped on reading.
// Plural forms (msgid_plural, msgstr[n]) are refused: no text here has one.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace formwick {

struct PoEntry {
    std::string context; // msgctxt, "" when absent
    std::string id;      // msgid
    std::string str;     // msgstr; "" = not translated
    bool fuzzy = false;  // "#, fuzzy": a guess the translator has not confirmed
    int line = 0;        // line of its msgid, for messages
};

// The file text for `entries`, with a UTF-8 header first.
std::string write_po(const std::vector<PoEntry>& entries);

// Parses `text`. On a syntax error returns false with "line N: what" in
// `error`; `entries` is then left empty.
bool parse_po(std::string_view text, std::vector<PoEntry>& entries, std::string& error);

} // namespace formwick
