// Database descriptors made from the settings of a lookup or data file.
#pragma once

#include "model/data_file.h"
#include "model/lookup.h"
#include "runtime/db/database.h"

namespace formwick {

// The separator character of a delimiter choice (comma, semicolon, bar, tab).
char separator_for(int delimiter);

// Lookup files are searched by key and never hold a key twice; CSV files
// are separated, Fixed files have their fields at fixed positions.
DatabaseDescriptor lookup_descriptor(const CParamLookup& lookup);

// Data files: separated unless their records have a fixed size; keyed when
// stored "Update record (sorted)", duplicates allowed when "Append new
// data". Field n starts after the sizes of the fields before it, plus one
// separator each when fields are delimited. With `for_search` the index is
// keyed without duplicates whatever the storage mode.
DatabaseDescriptor data_descriptor(const CParamData& data, bool for_search = false);

// Shows a database failure the way every runtime screen does: the code's
// (translated) text, a blank and the file name, in an error box.
void show_database_error(int code, const char* name);

} // namespace formwick
