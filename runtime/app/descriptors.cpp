#include "runtime/app/descriptors.h"

#include "runtime/app/app_state.h"
#include "runtime/ui/message.h"
#include "runtime/ui/texts.h"

#include <string>

namespace formwick {

namespace {

int clamp_count(int n) { return n < 0 ? 0 : (n > DB_FIELDS ? DB_FIELDS : n); }

// The runtime text that translates a database code, or -1.
int text_id_for(int code) {
    switch (code) {
    case DB_CANNOT_OPEN: return MSG_CANNOT_OPEN_DATABASE;
    case DB_CANNOT_OPEN_INDEX: return MSG_CANNOT_OPEN_INDEX;
    case DB_DUPLICATE: return MSG_DUPLICATE_ITEM;
    case DB_NOT_FOUND: return MSG_ITEM_NOT_FOUND;
    case DB_CANNOT_READ: return MSG_CANNOT_READ_DATABASE;
    case DB_CANNOT_WRITE: return MSG_CANNOT_WRITE_DATABASE;
    case DB_INDEX_READ: return MSG_CANNOT_READ_INDEX;
    case DB_INDEX_WRITE: return MSG_CANNOT_WRITE_INDEX;
    case DB_FILE_MISSING: return MSG_FILE_DOES_NOT_EXIST;
    case DB_WRONG_FORMAT: return MSG_DATABASE_FORMAT;
    default: return -1;
    }
}

} // namespace

char separator_for(int delimiter) { return kDelimiters[delimiter >= 0 && delimiter < 4 ? delimiter : 0]; }

DatabaseDescriptor lookup_descriptor(const CParamLookup& lookup) {
    DatabaseDescriptor d;
    db_set_names(d, app_file_name(lookup.fileName).c_str(), app_file_name(lookup.indexName).c_str());
    d.flags = DB_KEYED | (lookup.fileType == 1 ? DB_SEPARATED : 0);
    d.record_length = lookup.recordSize;
    d.key_field = lookup.keyField;
    d.separator = separator_for(lookup.delimiter);
    for (int i = 0; i < clamp_count(lookup.fieldCount); ++i) {
        d.fields[i].offset = static_cast<std::uint16_t>(lookup.fields[i].offset);
        d.fields[i].length = lookup.fields[i].maxLength;
    }
    return d;
}

DatabaseDescriptor data_descriptor(const CParamData& data, bool for_search) {
    DatabaseDescriptor d;
    db_set_names(d, app_file_name(data.fileName).c_str(), app_file_name(data.indexName).c_str());
    d.flags = data.fixedSize ? 0 : DB_SEPARATED;
    if (for_search || data.storageMode == 1) d.flags |= DB_KEYED;
    else d.flags |= DB_DUPLICATES;
    d.record_length = data.recordLength;
    d.key_field = data.keyField;
    d.separator = separator_for(data.delimiter);
    int offset = 0;
    for (int i = 0; i < clamp_count(data.fieldCount); ++i) {
        d.fields[i].offset = static_cast<std::uint16_t>(offset);
        d.fields[i].length = static_cast<std::uint16_t>(data.fields[i].fieldSize);
        offset += data.fields[i].fieldSize + (data.useDelimiter ? 1 : 0);
    }
    return d;
}

void show_database_error(int code, const char* name) {
    int id = text_id_for(code);
    std::string message = id >= 0 ? rt_text(id) : db_error_message(code, "");
    if (id >= 0) message += std::string(" ") + name;
    rt_message(message.c_str(), MSG_ERROR);
}

} // namespace formwick
