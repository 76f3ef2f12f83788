#include "runtime/app/lookups.h"

#include "model/field_refs.h"
#include "runtime/app/app_state.h"
#include "runtime/app/descriptors.h"
#include "runtime/app/open_database.h"
#include "runtime/app/record_builder.h"
#include "runtime/app/value_fit.h"
#include "runtime/app/values.h"
#include "runtime/services/terminal.h"
#include "runtime/ui/message.h"
#include "runtime/ui/texts.h"

#include <string>

namespace formwick {

namespace {

enum MissingAction { kMissingErrorMainMenu = 0, kMissingErrorContinue = 1, kMissingGotoMain = 2 };
enum BadFormatAction { kBadFormatErrorMainMenu = 0, kBadFormatErrorDelete = 1, kBadFormatContinue = 2 };

void show_with_name(int text_id, const std::string& name, int style) {
    std::string message = std::string(rt_text(text_id)) + " " + name;
    rt_message(message.c_str(), style);
}

// A field number of the settings, 0 when out of range.
int field_index(int n, int count) { return n >= 0 && n < count ? n : 0; }

// Field n of the record line just found, at most `limit` (<= 100) bytes.
// The line end that the last field of a separated line keeps is dropped:
// a value holding it could be neither shown nor stored in a record line.
std::string record_field(const DatabaseDescriptor& d, int n, int limit) {
    if (limit > DB_KEY_FIELD_MAX) limit = DB_KEY_FIELD_MAX;
    if (limit < 0) limit = 0;
    char buffer[DB_KEY_FIELD_MAX + 1] = {};
    int r = db_get_field(d, n, db_record, buffer, limit);
    if (r < 0 && r != DB_FIELD_CUT) return {};
    std::string value = buffer;
    while (!value.empty() && (value.back() == '\r' || value.back() == '\n')) value.pop_back();
    return value;
}

enum class Search { not_open, not_found, found };

// Opens a database for a search and looks up `key_value` cut to
// `key_length` characters; a found record's line is in db_record. A
// failure other than "cannot open" or "not found" shows its message. The
// file stays open for the caller to close.
Search find_record(const DatabaseDescriptor& d, OpenDatabase& db, std::string_view key_value, int key_length) {
    int r = db.open(d);
    if (r != 0) {
        if (r != DB_CANNOT_OPEN) db_report_failure(d, r);
        return Search::not_open;
    }
    std::string key(cut_chars(key_value, key_length));
    long long position = -1;
    r = db_find(db.handle, key.c_str(), position);
    if (r == 0) return Search::found;
    if (r != DB_NOT_FOUND) db_report_failure(d, r);
    return Search::not_found;
}

// The check of a lookup file; `opens` tells whether the file opened, since
// the check may let the application go on with a file that does not.
int check_lookup_file(int l, bool& opens) {
    const CParamLookup& lookup = app_parameters().lookups[l];
    DatabaseDescriptor d = lookup_descriptor(lookup);
    opens = false;
    if (ramdisk_file_size(d.file_name) < 0) {
        if (lookup.missingAction == kMissingGotoMain) return 0;
        show_with_name(MSG_FILE_DOES_NOT_EXIST, d.file_name, MSG_ERROR);
        if (lookup.missingAction != kMissingErrorContinue) return 0;
        // "Show error & continue" goes on to the open below, whose failure
        // is reported and left to the bad-format choice.
    }
    OpenDatabase db;
    int r = db.open(d);
    if (r == 0) {
        db.close();
        opens = true;
        return 1;
    }
    db_report_failure(d, r);
    file_remove(d.index_name);
    // The lookup file itself is never deleted: it came from outside and is
    // all the terminal has. "Goto main menu" keeps the application from
    // starting; the other two choices let it start without that lookup.
    return lookup.badFormatAction == kBadFormatErrorMainMenu ? 0 : 1;
}

} // namespace

int check_lookup(int l) {
    bool opens = false;
    return check_lookup_file(l, opens);
}

int search_lookup(int l, std::string_view key_value) {
    const CParamLookup& lookup = app_parameters().lookups[l];
    auto clear_values = [&] {
        for (int i = 1; i <= kLookupFieldCount; ++i) value_set(lookup_field_code(l + 1, i), "");
    };
    if (!lookup.used) {
        rt_message(rt_text(MSG_CANNOT_SEARCH_LOOKUP), MSG_ERROR);
        return 0;
    }
    // A file that the check let pass although it does not open has just
    // been reported: the search fails without saying so twice.
    bool opens = false;
    if (!check_lookup_file(l, opens) || !opens) {
        clear_values();
        return 0;
    }
    DatabaseDescriptor d = lookup_descriptor(lookup);
    OpenDatabase db;
    const int key_length = lookup.fields[field_index(lookup.keyField, kLookupFieldCount)].maxLength;
    Search search = find_record(d, db, key_value, key_length);
    if (search == Search::not_open) {
        clear_values();
        return 0;
    }
    bool found = search == Search::found;
    if (!found && (lookup.noMatchAction == 1 || lookup.noMatchAction == 3))
        show_with_name(MSG_ITEM_NOT_FOUND, d.file_name, MSG_WARNING);
    db.close();

    clear_values();
    if (found) {
        int count = lookup.fieldCount > kLookupFieldCount ? kLookupFieldCount : lookup.fieldCount;
        for (int i = 0; i < count; ++i)
            value_set(lookup_field_code(l + 1, i + 1), record_field(d, i, lookup.fields[i].maxLength));
    } else if (lookup.noMatchAction == 2 || lookup.noMatchAction == 3) {
        app_goto_state = lookup.noMatchTarget;
    }
    return found ? 1 : 0;
}

int search_data(int n, std::string_view key_value) {
    const CParamData& data = app_parameters().dataFiles[n];
    auto clear_values = [&] {
        for (int i = 1; i <= kDataFieldCount; ++i) value_set(data_field_code(n + 1, i), "");
        value_set(data_date_code(n + 1), "");
        value_set(data_time_code(n + 1), "");
    };
    if (data.storageMode != 1) {
        rt_message(rt_text(MSG_CANNOT_SEARCH_DATA), MSG_ERROR);
        return 0;
    }
    DatabaseDescriptor d = data_descriptor(data, true);
    OpenDatabase db;
    const int key_length = data.fields[field_index(data.keyField, kDataFieldCount)].fieldSize;
    Search search = find_record(d, db, key_value, key_length);
    bool found = search == Search::found;
    db.close();

    clear_values();
    if (!found) return 0;
    int count = data.fieldCount > kDataFieldCount ? kDataFieldCount : data.fieldCount;
    for (int i = 0; i < count; ++i)
        value_set(data_field_code(n + 1, i + 1), record_field(d, i, data.fields[i].fieldSize));

    // The date and the time follow the fields. In a separated record they
    // are the next fields; at fixed positions they follow the last field
    // (and a separator when fields are delimited).
    std::string_view line = db_record;
    int next = count;
    std::size_t offset = 0;
    for (int i = 0; i < count; ++i) offset += data.fields[i].fieldSize + (data.useDelimiter ? 1 : 0);
    auto take = [&](int width) {
        std::string text;
        if (d.flags & DB_SEPARATED) {
            if (next < DB_FIELDS) text = record_field(d, next, width);
        } else if (offset < line.size()) {
            text = std::string(line.substr(offset, static_cast<std::size_t>(width)));
        }
        ++next;
        offset += width + (data.useDelimiter ? 1 : 0);
        return text;
    };
    if (data.addDate) value_set(data_date_code(n + 1), take(record_date_width(data)));
    if (data.addTime) value_set(data_time_code(n + 1), take(record_time_width(data)));
    return 1;
}

} // namespace formwick
