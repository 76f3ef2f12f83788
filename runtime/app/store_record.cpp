#include "runtime/app/store_record.h"

#include "runtime/app/app_state.h"
#include "runtime/app/descriptors.h"
#include "runtime/app/open_database.h"
#include "runtime/app/record_builder.h"
#include "runtime/services/terminal.h"
#include "runtime/ui/message.h"
#include "runtime/ui/texts.h"

#include <cstring>

namespace formwick {

std::string data_backup_name(const char* file_name) {
    std::string stem(file_name);
    std::size_t dot = stem.rfind('.');
    if (dot != std::string::npos) stem.resize(dot);
    if (stem.size() > 8) stem.resize(8);
    for (int n = 0; n <= 9; ++n) {
        std::string name = stem + (n == 0 ? ".BAK" : ".BK" + std::to_string(n));
        if (ramdisk_file_size(name.c_str()) < 0) return name;
    }
    return {};
}

namespace {

// Opens the data file for storing, creating it when it does not exist. An
// existing file that does not open (wrong format, a key stored twice) is
// set aside under a backup name and a new one is started, so the records
// it holds stay on the RAM disk and the new record is not lost.
bool open_for_store(const DatabaseDescriptor& d, OpenDatabase& db) {
    auto create = [&] {
        file_remove(d.index_name);
        int r = db.create(d);
        if (r != 0) db_report_failure(d, r);
        return r == 0;
    };
    if (ramdisk_file_size(d.file_name) < 0) return create();
    int r = db.open(d);
    if (r == 0) return true;
    db_report_failure(d, r);
    std::string backup = data_backup_name(d.file_name);
    if (backup.empty() || file_rename(d.file_name, backup.c_str()) != 0) return false;
    return create();
}

} // namespace

int store_record(int n) {
    const CParamData& data = app_parameters().dataFiles[n];
    DateRecord date;
    TimeRecord time;
    clock_get_date(date);
    clock_get_time(time);
    BuiltRecord record = build_record(data, date, time);
    if (record.overflow) rt_message(rt_text(MSG_NUMERIC_OVERFLOW), MSG_ERROR);
    if (record.wrongSize) return 0;
    if (record.line.size() > static_cast<std::size_t>(DB_LINE_MAX)) {
        // Longer than any line the terminal can read back: refused as a write failure.
        DatabaseDescriptor d = data_descriptor(data);
        db_report_failure(d, DB_CANNOT_WRITE);
        return 0;
    }

    DatabaseDescriptor d = data_descriptor(data);
    OpenDatabase db;
    if (!open_for_store(d, db)) return 0;
    long long position = -1;
    if (data.storageMode == 1) {
        char key[INDEX_KEY_MAX + 1] = {};
        if (db_line_key(d, record.line.c_str(), key) >= 0) {
            int f = db_find(db.handle, key, position);
            if (f != 0) position = -1;
            if (f != 0 && f != DB_NOT_FOUND) {
                db.close();
                db_report_failure(d, f);
                return 0;
            }
        }
    }
    std::memcpy(db_record, record.line.c_str(), record.line.size() + 1);
    db_record_position = position;
    int r = db_write_record(db.handle);
    int c = db.close();
    if (r == 0) r = c;
    if (r != 0) {
        db_report_failure(d, r);
        return 0;
    }
    return 1;
}

} // namespace formwick
