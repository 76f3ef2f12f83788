// Building one record from the current values and storing it in a data file.
#pragma once

#include <string>

namespace formwick {

// Builds the record of data file `data` (0..2) and appends it, or with
// "Update record (sorted)" replaces the record with the same key. 1 when
// stored. A fixed-size record of the wrong length is dropped silently; a
// sum that overflows its field shows "Under or overflow numeric or real!"
// and is stored empty; a database failure shows its message.
int store_record(int data);

// The name an unreadable data file is moved to before a new one is
// started, so none of its records is lost: the name with its extension
// replaced by ".BAK" (".BK1".. ".BK9" when that exists already).
// Empty when every such name is taken.
std::string data_backup_name(const char* file_name);

} // namespace formwick
