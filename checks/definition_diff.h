// What differs between two definitions, in the user's words, and which
// differences break the data already on terminals.
//
// Both definitions are compared through their canonical JSON text (the
// names users see, every key in a fixed order), so each difference is one
// key: "Form 2, line 1, prompt: \"Article:\" -> \"Item:\"".
#pragma once

#include "model/messages.h"
#include "model/parameters.h"

#include <optional>
#include <string>
#include <vector>

namespace formwick {

struct Difference {
    std::string page;  // "Forms", "Data files", ...
    std::string place; // "Form 2, line 1, prompt"
    std::string before, after; // as JSON values: "\"Article:\"", "13", "\"Variable size\""
};

// A file on the terminals whose shape changed.
struct Breakage {
    std::string place; // "Data 1 (Counts.txt)"
    std::string what;  // what happens and what to do
    bool data = true;  // a data file (true) or a lookup file
};

struct DefinitionDiff {
    std::vector<Difference> differences;
    std::vector<Breakage> breakages;
    bool same() const { return differences.empty(); }
};

// Nothing, with the reason in `messages`, when a definition cannot be
// written as JSON (a text that is not UTF-8).
std::optional<DefinitionDiff> diff_definitions(const CParameters& a, const CParameters& b, MessageSink& messages);

// For people: differences grouped by page, then the breakages.
std::string diff_text(const DefinitionDiff& diff);
// For tools: {"same", "differences": [{"page", "place", "before", "after"}], "breaks": [{"file", "kind", "what"}]}.
std::string diff_json(const DefinitionDiff& diff);

} // namespace formwick
