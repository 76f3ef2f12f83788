// Result codes of the database layer, their messages, and the seam through
// which failures reach the person using the terminal.
//
// Every database operation returns 0 or a positive value for success and
// one of the codes below for failure. The runtime shows a failure as one
// message: the code's text, a blank, and the file name the code names
// (the data file, or the index file for -2, -10 and -11).
//
// The presentation layer connects its message box with
// db_set_error_reporter(); until then db_report_error() only records the
// last report, which db_last_error() returns (tests read it).
#pragma once

#include <string>

namespace formwick {

enum DbCode {
    DB_OK = 0,
    DB_CANNOT_OPEN = -1,       // "Cannot open/create database."
    DB_CANNOT_OPEN_INDEX = -2, // "Cannot open/create index."
    DB_CANNOT_READ = -3,       // "Cannot read from database."
    DB_CANNOT_WRITE = -4,      // "Cannot write to database."
    DB_DUPLICATE = -5,         // "Duplicate item found in database."
    DB_NOT_FOUND = -6,         // "search item not found in database."
    DB_INDEX_READ = -10,       // "Cannot read from index."
    DB_INDEX_WRITE = -11,      // "Cannot write to index."
    DB_WRONG_FORMAT = -12,     // "Database has wrong format."
    DB_FIELD_NO_LINE = -100,   // db_get_field: no line given
    DB_FIELD_CUT = -101,       // db_get_field: the field reached the limit
    DB_FILE_MISSING = 129,     // "File does not exist."
};

// The built-in text of a code, or nullptr for a code without one.
const char* db_code_text(int code);

// True when the code's message names the index file, not the data file.
bool db_code_names_index(int code);

// The message for a code and name: text, a blank, at most 12 characters of
// the name. A code without a text shows as "Database error <code>."
std::string db_error_message(int code, const char* name);

// Receives each reported failure with the name its message shows.
using DbErrorReporter = void (*)(int code, const char* name);

// Installs the reporter (nullptr: back to recording only).
void db_set_error_reporter(DbErrorReporter reporter);

// Reports one failure: records it and passes it to the reporter.
void db_report_error(int code, const char* name);

struct DbErrorReport {
    int code = 0;
    std::string name;
    std::string message;
};

// The last failure reported since db_clear_last_error().
const DbErrorReport& db_last_error();
void db_clear_last_error();

} // namespace formwick
