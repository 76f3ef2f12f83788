// An integrity check of an index against its data file, for tests and for
// the command line. It reads both files through the file services and
// changes nothing.
#pragma once

#include "runtime/db/database.h"

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace formwick {

// The descriptor gives both names and the layout. Checks that every block
// is referenced exactly once (by the tree or the free list), that used
// bytes lie within bounds and are filled by whole entries, that keys are in
// order across the whole tree, that every leaf lies at the header's depth,
// that the key count matches, that every entry's record position is the
// start of a line whose key equals the entry's key, and that every keyed
// line is indexed. Returns one text per finding; empty means sound.
std::vector<std::string> index_check(const DatabaseDescriptor& descriptor);

// Every entry of the index in tree order (key, record position); empty when
// the file cannot be read.
std::vector<std::pair<std::string, std::int32_t>> index_entries(const char* index_name);

} // namespace formwick
