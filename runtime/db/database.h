// Data and lookup files: plain text files of the RAM disk, one record per
// line, each with an index file beside it that maps one key field to the
// byte position of the record's line.
//
// Data file layout (this is what leaves the terminal):
//   - Lines end in CR LF. A line that is read ends at its first CR (the LF
//     right after it is kept), or just after the first LF when there is no
//     CR. A record line holds at most 1022 bytes.
//   - Fixed positions (DB_SEPARATED clear): field n is the bytes at its
//     table offset for its table length, padding included. Every line has
//     exactly the record length, CR LF included, so the file's size is a
//     whole multiple of it.
//   - Separated (DB_SEPARATED set): fields follow each other divided by the
//     separator. A field that starts with a double quote runs to the next
//     double quote, separators included; double quotes are never part of a
//     value. The last field runs to the end of the text and so keeps the
//     line's CR LF.
//   - A key cut out of a line has at most 100 characters and no line end;
//     an index keeps the first 51 of them, the same cut in db_find,
//     index_add and the rebuild.
//
// A database is opened for one operation and closed after it; the layer
// reaches files only through the terminal's file services. The line and
// key buffers and the current-record position are single globals, as the
// runtime's callers expect.
//
// Results are 0 or positive on success, a DbCode on failure. The layer does
// not show failures itself: the caller passes the code to
// db_report_failure(), which names the right file.
#pragma once

#include "runtime/db/db_codes.h"
#include "runtime/db/index.h"

#include <cstdint>

namespace formwick {

enum DatabaseFlags {
    DB_SEPARATED = 1,  // fields divided by a separator; clear: fixed positions
    DB_KEYED = 2,      // searched by key (lookup files, sorted data files)
    DB_DUPLICATES = 16 // duplicate keys allowed in the index
};

constexpr int DB_LINE_MAX = 1022;  // bytes of one record line
constexpr int DB_KEY_FIELD_MAX = 100;
constexpr int DB_FIELDS = 10;

struct DatabaseField {
    std::uint16_t offset = 0;
    std::uint16_t length = 0;
};

struct DatabaseDescriptor {
    char file_name[13] = {};
    char index_name[13] = {};
    std::uint8_t flags = 0;
    std::int32_t record_length = 0; // bytes read for one line, CR LF included
    std::int32_t key_field = 0;     // 0-based
    std::int32_t separator = ',';   // low byte used
    DatabaseField fields[DB_FIELDS];
};

struct DatabaseHandle {
    int file = -1; // data file handle
    IndexDescriptor index;
    std::uint8_t flags = 0;
    DatabaseDescriptor descriptor; // the layout this handle was opened with
};

// Fills the two names of a descriptor, cut to 12 characters.
void db_set_names(DatabaseDescriptor& d, const char* file_name, const char* index_name);

// The shared record line (1022 bytes and a NUL) and the position of the
// record found last (-1: none), read by db_write_record.
extern char db_record[DB_LINE_MAX + 1];
extern long long db_record_position;

// Opens an existing data file and its index, rebuilding a missing or
// damaged index. 0, -1, -2, -5, -10, -11, -12 or a field code.
int db_open(const DatabaseDescriptor& descriptor, DatabaseHandle& handle);

// Creates or empties the data file and creates an empty index. 0, -1, -2.
int db_create(const DatabaseDescriptor& descriptor, DatabaseHandle& handle);

// Writes back and closes the index, then the data file. 0, or -11.
int db_close(DatabaseHandle& handle);

// Finds the record with the key (cut to 51 characters): its position goes
// to `position` and to db_record_position, its line to db_record. In an
// index with duplicates it finds the first equal key in key order (the one
// added last).
// 0, -1 (not open), -6 (not found), -10, -11.
int db_find(DatabaseHandle& handle, const char* key, long long& position);

// Reads one line from the data file's current position into `buffer`
// (DB_LINE_MAX + 1 bytes), cut after its CR LF. Its length, or -6.
int db_read_line(DatabaseHandle& handle, char* buffer);

// Writes db_record (a complete line with CR LF). When db_record_position is
// not -1 and duplicates are not allowed it replaces the line there;
// otherwise it appends the line and adds its key to the index.
// 0, or -1, -3, -4, -5, -6, -10, -11, -12.
int db_write_record(DatabaseHandle& handle);

// Copies field n of `line` into `buffer` (limit + 1 bytes). The field's
// length, -1 when there is no such field, -100 for no line, -101 when the
// field was longer than `limit` (cut there), -12 when a fixed field lies
// beyond the line.
int db_get_field(const DatabaseDescriptor& descriptor, int n, const char* line, char* buffer, int limit);

// The index key of a line: its key field cut to 100 and then to 51
// characters, without the line end the last field of a separated line
// keeps, in `key` (INDEX_KEY_MAX + 1 bytes). The key's length (0 for an
// empty key field) or a negative field code.
int db_line_key(const DatabaseDescriptor& descriptor, const char* line, char* key);

// Rebuilds the index of an open database from its data file and reopens
// both. 0 or a failure code (the index file is then deleted).
int db_reindex(DatabaseHandle& handle);

// Builds a new index for an existing data file. 0, -1, -2, -5, -11, -12 or
// a negative field code.
int index_rebuild(const DatabaseDescriptor& descriptor);

// Passes a failure of an operation on `descriptor` to db_report_error with
// the file name its message shows.
void db_report_failure(const DatabaseDescriptor& descriptor, int code);

} // namespace formwick
