// Reads a data file line by line through the file services, in large
// chunks, remembering where each line starts.
#pragma once

#include "runtime/db/database.h"

namespace formwick {

class LineReader {
public:
    explicit LineReader(int handle) : handle_(handle) {}

    // The next line (at most DB_LINE_MAX bytes, through its LF) into
    // `line` with a NUL; `start` receives its position. Returns its length,
    // 0 at the end of the file, -3 when the file cannot be read, -12 for a
    // line longer than DB_LINE_MAX bytes, one without an LF at the end of
    // the file, or one holding a NUL byte.
    int next(char* line, long long& start);

private:
    bool fill();

    int handle_;
    char chunk_[65536];
    int have_ = 0, at_ = 0;
    long long chunk_start_ = 0;
    bool failed_ = false, eof_ = false;
};

} // namespace formwick
