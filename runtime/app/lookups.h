// Searching lookup files and data files by the value of a field reference,
// and the check of a lookup file before it is used.
#pragma once

#include <string_view>

namespace formwick {

// Searches lookup file `lookup` (0..2) for `key`: the found record's
// fields become the lookup's field values (empty when nothing is found). A
// miss may warn and set app_goto_state by the lookup's no-match action.
// 1 when a record was found.
int search_lookup(int lookup, std::string_view key);

// Searches data file `data` (0..2), which must be stored "Update record
// (sorted)": the found record's fields, date and time become the data
// file's values. Never changes the state. 1 when found.
int search_data(int data, std::string_view key);

// Whether lookup file `lookup` (0..2) may be used: it exists (or its
// missing-file action lets the application go on) and opens.
int check_lookup(int lookup);

} // namespace formwick
