// "Test with file..." of the Lookup page: a real lookup file read against a
// lookup's settings, with the checks the command line's `check --lookup`
// makes, told as a short report. Nothing is changed. Plain code, no Qt.
#pragma once

#include "model/lookup.h"

#include <string>

namespace formwick {

struct LookupFileReport {
    bool readable = false; // false: `text` says why the file could not be read
    int lines = 0;
    int problems = 0;      // findings of the checks
    std::string text;      // what the page shows, UTF-8
};

// Lookup files larger than this are refused: the terminal's RAM disk holds
// far less.
inline constexpr long long kLookupTestMaxBytes = 256ll * 1024 * 1024;

// `number` is the lookup's index (0..2), used to name it.
LookupFileReport test_lookup_file(const CParamLookup& lookup, int number, const std::string& path);

} // namespace formwick
