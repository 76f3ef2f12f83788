// Checks a definition for what will go wrong on the terminal: records the
// terminal refuses, searches that cannot work or never match, screens
// nobody reaches or that lead nowhere, values read before they are set,
// and texts that do not fit the display or its fonts. The findings name
// their place as the editors do and say what to change.
#pragma once

#include "checks/finding.h"
#include "model/parameters.h"

#include <string_view>

namespace formwick {

Findings check_definition(const CParameters& parameters);

// Checks the lines of a lookup file against the settings of lookup
// `lookup` (0..2): record size or field count, key lengths, unique keys.
// Each kind of fault is reported once, at its first line.
void check_lookup_file(const CParameters& parameters, int lookup, std::string_view content, Findings& out);

} // namespace formwick
