#include "runtime/db/line_reader.h"

#include "runtime/services/terminal.h"

#include <cstring>

namespace formwick {

bool LineReader::fill() {
    if (eof_ || failed_) return false;
    chunk_start_ += have_;
    have_ = at_ = 0;
    long long n = file_read(handle_, chunk_, sizeof chunk_);
    if (n < 0) failed_ = true;
    if (n <= 0) {
        eof_ = true;
        return false;
    }
    have_ = static_cast<int>(n);
    return true;
}

int LineReader::next(char* line, long long& start) {
    int length = 0;
    start = chunk_start_ + at_;
    for (;;) {
        if (at_ == have_ && !fill()) break;
        if (length == 0) start = chunk_start_ + at_;
        char c = chunk_[at_++];
        if (c == '\0' || length == DB_LINE_MAX) return DB_WRONG_FORMAT;
        line[length++] = c;
        if (c == '\n') {
            line[length] = '\0';
            return length;
        }
    }
    if (failed_) return DB_CANNOT_READ;
    if (length > 0) return DB_WRONG_FORMAT; // the last line has no line end
    line[0] = '\0';
    return 0;
}

} // namespace formwick
