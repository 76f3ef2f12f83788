// Building an index from scratch out of its data file.
#include "runtime/db/block_cache.h"
#include "runtime/db/db_internal.h"
#include "runtime/db/index_io.h"
#include "runtime/db/line_reader.h"
#include "runtime/services/terminal.h"
#include "runtime/text/busy.h"

#include <cstring>
#include <memory>

namespace formwick {

namespace {

// Lines between two looks at the host's stop: about a millisecond of work.
constexpr long kLinesPerStopPoll = 512;

int add_lines(const DatabaseDescriptor& d, int data, IndexDescriptor& index) {
    auto reader = std::make_unique<LineReader>(data);
    char line[DB_LINE_MAX + 1];
    bool fixed = !(d.flags & DB_SEPARATED);
    for (long count = 1;; ++count) {
        if (count % kLinesPerStopPoll == 0) stop_poll();
        long long start = 0;
        int n = reader->next(line, start);
        if (n <= 0) return n;
        if (fixed && (line[0] == '\r' || line[0] == '\n')) return DB_CANNOT_OPEN; // an empty line
        if (fixed && n != d.record_length) return DB_WRONG_FORMAT;
        line[db_cut_line(line, n)] = '\0'; // the line as db_read_line gives it
        IndexEntry e;
        int k = db_line_key(d, line, e.key);
        if (k < 0) return k;
        if (k == 0 && !fixed) continue; // a line without a key is not indexed
        if (start > INT32_MAX) return DB_WRONG_FORMAT;
        e.position = static_cast<std::int32_t>(start);
        int added = index_add(index, e);
        if (added < 0) return added;
        if (added == 0) return DB_DUPLICATE;
    }
}

// A half-built index is never left behind. It is emptied before it is
// closed, so none of it needs writing out.
void discard(const DatabaseDescriptor& d, IndexDescriptor& index) {
    if (index.handle >= 0) file_truncate(index.handle, 0);
    index_abandon(index);
    file_remove(d.index_name);
}

} // namespace

int index_rebuild(const DatabaseDescriptor& d) {
    int data = file_open(d.file_name, FILE_READ);
    if (data < 0) return DB_CANNOT_OPEN;
    IndexDescriptor index;
    if (index_create(index, d.index_name, (d.flags & DB_DUPLICATES) != 0) != 1) {
        file_close(data);
        file_remove(d.index_name);
        return DB_CANNOT_OPEN_INDEX;
    }
    busy_begin();
    int r;
    try {
        r = db_catching([&] { return add_lines(d, data, index); });
    } catch (const TerminalStop&) {
        // The run was stopped: the index is given up as after a failure.
        busy_end();
        file_close(data);
        discard(d, index);
        throw;
    }
    busy_end();
    file_close(data);
    if (r == 0) {
        r = index_close(index);
        if (r != 0) file_remove(d.index_name);
    } else {
        discard(d, index);
    }
    return r;
}

} // namespace formwick
