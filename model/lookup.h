// Lookup files: Lookup 1..3, read-only tables the forms look values up in.
#pragma once

#include "model/file_names.h"

#include <array>
#include <cstdint>

namespace formwick {

struct CLookupFields {
    int offset = 0;             // position in a fixed record
    std::uint8_t maxLength = 1; // maximum field length
};

inline constexpr int kLookupFieldCount = 10;

struct CParamLookup {
    std::uint8_t used = 0;
    FileName fileName{};
    FileName indexName{};
    int fileType = 0;   // 0 Fixed, 1 CSV
    int recordSize = 2; // including CR LF
    int fieldCount = 2; // 1..10 (a count, not an index)
    int delimiter = 0;  // 0 comma, 1 semicolon, 2 vertical bar, 3 tab
    int badFormatAction = 0;
    int noMatchAction = 0;
    int noMatchTarget = 0;
    int missingAction = 0;
    int keyField = 0;
    std::array<CLookupFields, kLookupFieldCount> fields{};

    // A stand-alone record carries the names of Lookup 1.
    CParamLookup() : CParamLookup(1) {}
    explicit CParamLookup(int number) {
        setFileName(numbered_name("Lookup", number, ".txt"));
        set_wide(indexName, numbered_name("Lookup", number, ".idx"));
    }

    std::u16string fileNameText() const { return get_wide(fileName); }
    std::u16string indexNameText() const { return get_wide(indexName); }
    void setFileName(std::u16string_view name) { set_file_and_index_name(fileName, indexName, name); }
};

} // namespace formwick
