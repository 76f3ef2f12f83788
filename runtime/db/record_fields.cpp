// Cutting lines out of a data file and fields out of a line.
#include "runtime/db/db_internal.h"
#include "runtime/services/terminal.h"

#include <cstring>

namespace formwick {

int db_cut_line(const char* buf, int n) {
    for (int i = 0; i < n; ++i) {
        if (buf[i] == '\r') return (i + 1 < n && buf[i + 1] == '\n') ? i + 2 : i + 1;
        if (buf[i] == '\n') return i + 1;
    }
    return n;
}

// Separated layout: walks to piece n, then copies it without its quotes.
static int separated_field(char sep, int n, const char* line, char* buffer, int limit) {
    const char* p = line;
    for (int piece = 0;; ++piece) {
        bool quoted = *p == '"';
        if (quoted) ++p;
        int length = 0;
        bool cut = false;
        for (; *p; ++p) {
            if (*p == '"') {
                quoted = false; // a closing quote; any other quote is dropped too
                continue;
            }
            if (!quoted && *p == sep) break;
            if (piece != n) continue;
            if (length == limit) {
                cut = true;
                break;
            }
            buffer[length++] = *p;
        }
        if (piece == n) {
            buffer[length] = '\0';
            return cut ? DB_FIELD_CUT : length;
        }
        if (*p != sep) {
            buffer[0] = '\0';
            return -1; // the line has fewer fields
        }
        ++p;
    }
}

int db_get_field(const DatabaseDescriptor& d, int n, const char* line, char* buffer, int limit) {
    if (limit < 0) limit = 0;
    buffer[0] = '\0';
    if (line == nullptr) return DB_FIELD_NO_LINE;
    if (n < 0) return -1;
    if (d.flags & DB_SEPARATED) return separated_field(static_cast<char>(d.separator & 0xFF), n, line, buffer, limit);

    std::size_t line_length = std::strlen(line);
    if (line_length == 0 || n >= DB_FIELDS) return -1;
    const DatabaseField& f = d.fields[n];
    if (static_cast<std::size_t>(f.offset) + f.length > line_length) return DB_WRONG_FORMAT;
    int length = f.length > limit ? limit : f.length;
    std::memcpy(buffer, line + f.offset, static_cast<std::size_t>(length));
    buffer[length] = '\0';
    return f.length > limit ? DB_FIELD_CUT : length;
}

int db_line_key(const DatabaseDescriptor& d, const char* line, char* key) {
    char field[DB_KEY_FIELD_MAX + 1];
    int r = db_get_field(d, d.key_field, line, field, DB_KEY_FIELD_MAX);
    if (r < 0 && r != DB_FIELD_CUT) return r;
    // The line end that the last field of a separated line keeps is no part
    // of its key: a key typed or scanned never has one.
    std::size_t length = std::strlen(field);
    while (length > 0 && (field[length - 1] == '\r' || field[length - 1] == '\n')) field[--length] = '\0';
    // A key field longer than an index keeps is cut, never refused.
    std::size_t n = strnlen(field, INDEX_KEY_MAX);
    std::memcpy(key, field, n);
    key[n] = '\0';
    return static_cast<int>(n);
}

long long db_file_size(int handle) {
    long long here = file_seek(handle, 0, FILE_SEEK_CUR);
    long long end = file_seek(handle, 0, FILE_SEEK_END);
    if (here >= 0) file_seek(handle, here, FILE_SEEK_SET);
    return end;
}

} // namespace formwick
