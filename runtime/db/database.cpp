// Opening, creating, closing and searching databases, and writing records.
#include "runtime/db/database.h"

#include "runtime/db/db_internal.h"
#include "runtime/db/index_io.h"
#include "runtime/services/terminal.h"

#include <cstring>

namespace formwick {

char db_record[DB_LINE_MAX + 1];
long long db_record_position = -1;

namespace {

bool duplicates(const DatabaseDescriptor& d) { return (d.flags & DB_DUPLICATES) != 0; }

int read_size(const DatabaseDescriptor& d) {
    return d.record_length > 0 && d.record_length < DB_LINE_MAX ? d.record_length : DB_LINE_MAX;
}

// After an index failure the index no longer matches its data file: it is
// dropped, and the next open rebuilds it.
int drop_index_on_failure(DatabaseHandle& h, int r) {
    if (r == DB_INDEX_READ || r == DB_INDEX_WRITE) {
        index_abandon(h.index);
        file_remove(h.descriptor.index_name);
    }
    return r;
}

// Adding: the line goes at the end, its key into the index. The key is
// checked before anything is written, so a refused record leaves the file
// as it was; a short write is cut off again so no partial line remains.
int append_record(DatabaseHandle& h, int length) {
    const DatabaseDescriptor& d = h.descriptor;
    IndexEntry e;
    int k = db_line_key(d, db_record, e.key);
    if (k < 0) return k;
    bool keyed = k > 0 || !(d.flags & DB_SEPARATED);
    if (keyed && !duplicates(d)) {
        int found = index_find(h.index, e, false);
        if (found != 0) return found == 1 ? DB_DUPLICATE : found;
    }

    long long end = file_seek(h.file, 0, FILE_SEEK_END);
    if (end < 0 || end + length > INT32_MAX) return DB_CANNOT_WRITE;
    if (end > 0) {
        // A last line without its line end would swallow the new record.
        char last = 0;
        if (file_seek(h.file, end - 1, FILE_SEEK_SET) != end - 1 || file_read(h.file, &last, 1) != 1)
            return DB_CANNOT_READ;
        if (last != '\n') return DB_WRONG_FORMAT;
    }
    if (file_write(h.file, db_record, length) != length) {
        file_truncate(h.file, end);
        return DB_CANNOT_WRITE;
    }
    if (!keyed) return 0;
    e.position = static_cast<std::int32_t>(end);
    int added = index_add(h.index, e);
    return added < 0 ? added : 0;
}

// Copies `count` bytes from `src` to `dst` front to back, in chunks of one
// line buffer (dst < src, or the two do not overlap).
int copy_bytes(int file, long long src, long long dst, long long count) {
    char chunk[DB_LINE_MAX];
    for (long long done = 0; done < count;) {
        long long want = count - done < DB_LINE_MAX ? count - done : DB_LINE_MAX;
        if (file_seek(file, src + done, FILE_SEEK_SET) != src + done) return DB_CANNOT_READ;
        long long n = file_read(file, chunk, want);
        if (n <= 0) return DB_CANNOT_READ;
        if (file_seek(file, dst + done, FILE_SEEK_SET) != dst + done) return DB_CANNOT_WRITE;
        if (file_write(file, chunk, n) != n) return DB_CANNOT_WRITE;
        done += n;
    }
    return 0;
}

// Replacing the line at db_record_position. A line of the same length and
// key is written in place. Otherwise the line is dropped and the new one
// goes last, without a moment in which any other line exists only broken:
//
//   1. the new line is appended:        prefix OLD tail NEW
//   2. tail+NEW is copied to the end:   prefix OLD tail NEW | tail NEW
//   3. that copy is moved down over OLD: prefix tail NEW ...  | tail NEW
//   4. the file is cut after it:        prefix tail NEW
//
// A failure in 1 or 2 cuts the file back to what it was. From 3 on, the
// whole copy past the end of the moved data holds every line, so a failure
// leaves lines twice but none lost; the index is then dropped and the next
// open rebuilds it (or reports the duplicates).
int replace_record(DatabaseHandle& h, int length) {
    const DatabaseDescriptor& d = h.descriptor;
    long long at = db_record_position;
    char old[DB_LINE_MAX + 1];
    if (file_seek(h.file, at, FILE_SEEK_SET) != at) return DB_NOT_FOUND;
    int old_length = db_read_line(h, old);
    if (old_length < 0) return old_length;
    if (old[old_length - 1] != '\n') return DB_WRONG_FORMAT; // not a whole line: moving it would corrupt the file

    char old_key[INDEX_KEY_MAX + 1], new_key[INDEX_KEY_MAX + 1];
    int new_k = db_line_key(d, db_record, new_key);
    if (new_k < 0) return new_k;
    int old_k = db_line_key(d, old, old_key);
    if (old_length == length && old_k >= 0 && std::strcmp(old_key, new_key) == 0) {
        if (file_seek(h.file, at, FILE_SEEK_SET) != at || file_write(h.file, db_record, length) != length)
            return DB_CANNOT_WRITE;
        return 0;
    }

    long long size = db_file_size(h.file);
    long long moved = size + length - (at + old_length); // the tail and the new line
    if (size < 0 || size + length + moved > INT32_MAX) return DB_CANNOT_WRITE;
    int r = 0;
    if (file_seek(h.file, size, FILE_SEEK_SET) != size || file_write(h.file, db_record, length) != length)
        r = DB_CANNOT_WRITE;
    if (r == 0) r = copy_bytes(h.file, at + old_length, size + length, moved);
    if (r != 0) {
        file_truncate(h.file, size); // nothing before `size` was touched yet
    } else {
        r = copy_bytes(h.file, size + length, at, moved);
        if (r == 0 && file_truncate(h.file, at + moved) != 0) r = DB_CANNOT_WRITE;
    }
    if (r != 0) {
        index_abandon(h.index);
        file_remove(d.index_name); // stale: rebuilt on the next open
        return r;
    }
    return db_reindex(h);
}

} // namespace

void db_set_names(DatabaseDescriptor& d, const char* file_name, const char* index_name) {
    std::memset(d.file_name, 0, sizeof d.file_name);
    std::memset(d.index_name, 0, sizeof d.index_name);
    if (file_name) std::memcpy(d.file_name, file_name, strnlen(file_name, 12));
    if (index_name) std::memcpy(d.index_name, index_name, strnlen(index_name, 12));
}

int db_open(const DatabaseDescriptor& d, DatabaseHandle& h) {
    h = DatabaseHandle{};
    h.descriptor = d;
    int r = db_guarded([&]() -> int {
        if (!(d.flags & DB_SEPARATED)) {
            long long size = ramdisk_file_size(d.file_name);
            if (size < 0) return DB_CANNOT_OPEN;
            if (d.record_length <= 0 || size % d.record_length != 0) return DB_WRONG_FORMAT;
        }
        h.file = file_open(d.file_name, FILE_READ | FILE_WRITE);
        if (h.file < 0) return DB_CANNOT_OPEN;
        if (index_open(h.index, d.index_name, duplicates(d)) == 1) return 0;
        return db_reindex(h); // missing or damaged: the index is disposable, build it anew
    });
    if (r != 0) {
        index_abandon(h.index);
        if (h.file >= 0) file_close(h.file);
        h.file = -1;
        return r;
    }
    h.flags = d.flags;
    return 0;
}

int db_create(const DatabaseDescriptor& d, DatabaseHandle& h) {
    h = DatabaseHandle{};
    h.descriptor = d;
    h.file = file_open(d.file_name, FILE_READ | FILE_WRITE | FILE_CREATE | FILE_TRUNCATE);
    if (h.file < 0) return DB_CANNOT_OPEN;
    if (index_create(h.index, d.index_name, duplicates(d)) != 1) {
        file_close(h.file);
        h.file = -1;
        return DB_CANNOT_OPEN_INDEX;
    }
    h.flags = d.flags;
    return 0;
}

int db_close(DatabaseHandle& h) {
    int r = db_guarded([&]() -> int { return index_close(h.index); });
    if (r != 0) file_remove(h.descriptor.index_name); // not all written back: rebuilt on the next open
    if (h.file >= 0) file_close(h.file);
    h.file = -1;
    return r;
}

int db_read_line(DatabaseHandle& h, char* buffer) {
    // A read may come short of the asked size; reading goes on until the
    // line ends, the size is reached, or the file ends.
    int want = read_size(h.descriptor), n = 0;
    while (n < want && std::memchr(buffer, '\n', static_cast<std::size_t>(n)) == nullptr) {
        long long got = file_read(h.file, buffer + n, want - n);
        if (got < 0 && n > 0) {
            buffer[0] = '\0';
            return DB_CANNOT_READ;
        }
        if (got <= 0) break;
        n += static_cast<int>(got);
    }
    if (n == 0) {
        buffer[0] = '\0';
        return DB_NOT_FOUND;
    }
    int length = db_cut_line(buffer, n);
    buffer[length] = '\0';
    return length;
}

int db_find(DatabaseHandle& h, const char* key, long long& position) {
    position = -1;
    db_record_position = -1;
    if (h.file < 0 || h.index.handle < 0) return DB_CANNOT_OPEN;
    int r = db_guarded([&]() -> int {
        IndexEntry e;
        index_entry_set_key(e, key);
        int found = index_find_exact(h.index, e);
        if (found != 1) return found == 0 ? DB_NOT_FOUND : found;
        if (file_seek(h.file, e.position, FILE_SEEK_SET) != e.position) return DB_NOT_FOUND;
        if (db_read_line(h, db_record) < 0) return DB_NOT_FOUND;
        position = e.position;
        db_record_position = e.position;
        return 0;
    });
    return drop_index_on_failure(h, r);
}

int db_write_record(DatabaseHandle& h) {
    if (h.file < 0 || h.index.handle < 0) return DB_CANNOT_OPEN;
    db_record[DB_LINE_MAX] = '\0';
    int length = static_cast<int>(std::strlen(db_record));
    if (length == 0) return DB_CANNOT_WRITE;
    // One whole line, or later reads would cut it differently.
    if (db_record[length - 1] != '\n' || db_cut_line(db_record, length) != length) return DB_WRONG_FORMAT;
    if (!(h.descriptor.flags & DB_SEPARATED) && length != h.descriptor.record_length) return DB_WRONG_FORMAT;
    int r = db_guarded([&]() -> int {
        if (db_record_position != -1 && !duplicates(h.descriptor)) return replace_record(h, length);
        return append_record(h, length);
    });
    return drop_index_on_failure(h, r);
}

int db_reindex(DatabaseHandle& h) {
    const DatabaseDescriptor d = h.descriptor;
    index_abandon(h.index); // rebuilt from scratch: nothing to write back
    if (h.file >= 0) file_close(h.file);
    h.file = -1;
    int r = index_rebuild(d);
    if (r != 0) {
        file_remove(d.index_name);
        return r;
    }
    if (index_open(h.index, d.index_name, duplicates(d)) != 1) return DB_CANNOT_OPEN_INDEX;
    h.file = file_open(d.file_name, FILE_READ | FILE_WRITE);
    if (h.file < 0) {
        index_abandon(h.index);
        return DB_CANNOT_OPEN;
    }
    return 0;
}

void db_report_failure(const DatabaseDescriptor& d, int code) {
    db_report_error(code, db_code_names_index(code) ? d.index_name : d.file_name);
}

} // namespace formwick
