#include "runtime/db/db_codes.h"

#include <cstring>

namespace formwick {

namespace {

struct CodeText {
    int code;
    const char* text;
};

const CodeText code_texts[] = {
    {DB_CANNOT_OPEN, "Cannot open/create database."},
    {DB_CANNOT_OPEN_INDEX, "Cannot open/create index."},
    {DB_CANNOT_READ, "Cannot read from database."},
    {DB_CANNOT_WRITE, "Cannot write to database."},
    {DB_DUPLICATE, "Duplicate item found in database."},
    {DB_NOT_FOUND, "search item not found in database."},
    {DB_INDEX_READ, "Cannot read from index."},
    {DB_INDEX_WRITE, "Cannot write to index."},
    {DB_WRONG_FORMAT, "Database has wrong format."},
    {DB_FILE_MISSING, "File does not exist."},
};

DbErrorReporter reporter = nullptr;
DbErrorReport last;

} // namespace

const char* db_code_text(int code) {
    for (const CodeText& c : code_texts)
        if (c.code == code) return c.text;
    return nullptr;
}

bool db_code_names_index(int code) {
    return code == DB_CANNOT_OPEN_INDEX || code == DB_INDEX_READ || code == DB_INDEX_WRITE;
}

std::string db_error_message(int code, const char* name) {
    const char* text = db_code_text(code);
    std::string message = text ? text : "Database error " + std::to_string(code) + ".";
    message += ' ';
    if (name) message.append(name, strnlen(name, 12));
    return message;
}

void db_set_error_reporter(DbErrorReporter r) { reporter = r; }

void db_report_error(int code, const char* name) {
    last.code = code;
    last.name = name ? name : "";
    last.message = db_error_message(code, name);
    if (reporter) reporter(code, name);
}

const DbErrorReport& db_last_error() { return last; }

void db_clear_last_error() { last = DbErrorReport{}; }

} // namespace formwick
