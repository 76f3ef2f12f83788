// The application the session benchmark runs: one form that takes an
// article code (scanned) and a quantity (typed) and stores both as one line
// of Data1.txt, then starts again; and the records a session stores.
#pragma once

#include "model/parameters.h"

#include <string>
#include <vector>

namespace formwick::bench {

// update_resized is update_sorted with the quantity stored as typed
// ("Variable size"), so a replacement often changes the line's length and
// the file is rewritten and its index rebuilt.
enum class StoreMode { append, update_sorted, update_resized };

const char* store_mode_name(StoreMode mode);

inline constexpr int kArticleLength = 13; // also the key field's width
inline constexpr int kQuantityWidth = 6;  // at most; right-aligned with zeros

// Form 1 (scan the article, type the quantity) stores into Data 1, keyed
// by the article, appending or replacing by `mode`, and goes to Form 1.
CParameters bench_application(StoreMode mode);

struct StoredRecord {
    std::string article; // 13 digits
    int quantity = 0;    // 1..999
};

// `count` records over `articles` distinct article codes, each code used
// equally often (within one), in a shuffled order that is the same for
// every run.
std::vector<StoredRecord> session_records(int count, int articles);

// The lines Data1.txt must hold afterwards, in file order, without CR LF:
// every record with append; with update one line per article holding its
// last quantity, in the order of its first store, except that a line
// replaced by one of another length moves to the end.
std::vector<std::string> expected_lines(const std::vector<StoredRecord>& records, StoreMode mode);

} // namespace formwick::bench
