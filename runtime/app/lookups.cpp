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

// Field n of the record line just found, at most `limit` (<= 100) bytes.
std::string record_field(const DatabaseDescriptor& d, int n, int limit) {
    if (limit > DB_KEY_FIELD_MAX) limit = DB_KEY_FIELD_MAX;
    if (limit < 0) limit = 0;
    char buffer[DB_KEY_FIELD_MAX + 1] = {};
    int r = db_get_field(d, n, db_record, buffer, limit);
    if (r < 0 && r != DB_FIELD_CUT) return {};
    return buffer;
}

// Opens a database for a search; a failure other than "cannot open" shows
// its message. True when open.
bool open_for_search(const DatabaseDescriptor& d, OpenDatabase& db) {
    int r = db.open(d);
    if (r == 0) return true;
    if (r != DB_CANNOT_OPEN) db_report_failure(d, r);
    return false;
}

} // namespace

int check_lookup(int l) {
    const CParamLookup& lookup = app_parameters().lookups[l];
    DatabaseDescriptor d = lookup_descriptor(lookup);
    if (ramdisk_file_size(d.file_name) < 0) {
        if (lookup.missingAction == kMissingGotoMain) return 0;
        show_with_name(MSG_FILE_DOES_NOT_EXIST, d.file_name, MSG_ERROR);
        // "Show error & continue": the application starts without the file;
        // a search in it later fails with its message.
        return lookup.missingAction == kMissingErrorContinue ? 1 : 0;
    }
    OpenDatabase db;
    int r = db.open(d);
    if (r == 0) {
        db.close();
        return 1;
    }
    db_report_failure(d, r);
    file_remove(d.index_name);
    // The lookup file itself is never deleted: it came from outside and is
    // all the terminal has. "Goto main menu" keeps the application from
    // starting; the other two choices let it start without that lookup.
    return lookup.badFormatAction == kBadFormatErrorMainMenu ? 0 : 1;
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
    if (!check_lookup(l)) {
        clear_values();
        return 0;
    }
    DatabaseDescriptor d = lookup_descriptor(lookup);
    OpenDatabase db;
    if (!open_for_search(d, db)) {
        clear_values();
        return 0;
    }
    int key_field = lookup.keyField >= 0 && lookup.keyField < kLookupFieldCount ? lookup.keyField : 0;
    std::string key(cut_chars(key_value, lookup.fields[key_field].maxLength));
    long long position = -1;
    int r = db_find(db.handle, key.c_str(), position);
    bool found = r == 0;
    if (!found && r != DB_NOT_FOUND) db_report_failure(d, r);
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
    if (!open_for_search(d, db)) {
        clear_values();
        return 0;
    }
    int key_field = data.keyField >= 0 && data.keyField < kDataFieldCount ? data.keyField : 0;
    std::string key(cut_chars(key_value, data.fields[key_field].fieldSize));
    long long position = -1;
    int r = db_find(db.handle, key.c_str(), position);
    bool found = r == 0;
    if (!found && r != DB_NOT_FOUND) db_report_failure(d, r);
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
            char buffer[DB_KEY_FIELD_MAX + 1] = {};
            if (next < DB_FIELDS) {
                int r2 = db_get_field(d, next, db_record, buffer, width);
                if (r2 >= 0 || r2 == DB_FIELD_CUT) text = buffer;
            }
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
