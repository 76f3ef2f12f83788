// Helpers shared by the database layer's files.
#pragma once

#include "runtime/db/database.h"

namespace formwick {

// Length of the line in `buf` (n bytes read) once cut after its CR LF: at
// the first CR (an LF right after it kept), else just after the first LF.
int db_cut_line(const char* buf, int n);

// The index key of a line: its key field cut to 100 and then to 51
// characters, in `key` (INDEX_KEY_MAX + 1 bytes). The key's length (0 for
// an empty key field) or a negative field code.
int db_line_key(const DatabaseDescriptor& d, const char* line, char* key);

// Size of the data file, or -1.
long long db_file_size(int handle);

} // namespace formwick
