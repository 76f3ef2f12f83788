// Helpers shared by the database layer's files.
#pragma once

#include "runtime/db/database.h"

namespace formwick {

// Length of the line in `buf` (n bytes read) once cut after its CR LF: at
// the first CR (an LF right after it kept), else just after the first LF.
int db_cut_line(const char* buf, int n);

// Size of the data file, or -1.
long long db_file_size(int handle);

} // namespace formwick
