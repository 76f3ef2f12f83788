// Data files: Data 1..3, the files forms store their records in.
#pragma once

#include "model/file_names.h"

#include <array>
#include <cstdint>

namespace formwick {

// One field of a data record, in the order of the Data page's columns.
struct CDataRecord {
    int variable1 = 0;
    int variable2 = 0;
    std::uint8_t isString = 1;
    int fieldSize = 0;
    int alignment = 0;
};

inline constexpr int kDataFieldCount = 10;

// Field separators in the order of every delimiter choice.
inline constexpr char kDelimiters[4] = {',', ';', '|', '\t'};

struct CParamData {
    FileName fileName{};
    FileName indexName{};
    int recordLength = 2; // CR LF included
    std::uint8_t fixedSize = 1;
    std::uint8_t useDelimiter = 0;
    int delimiter = 0;
    int fieldCount = 0;
    std::uint8_t dateYear = 1, dateMonth = 1, dateDay = 1;
    int yearDigits = 0; // 0 YYYY, 1 YY
    int dateOrder = 0;  // 0 Y/M/D, 1 M/D/Y, 2 D/M/Y
    std::uint8_t timeHour = 1, timeMinute = 1, timeSecond = 1;
    std::uint8_t addDate = 0;
    std::uint8_t addTime = 0;
    int storageMode = 0; // 0 Append new data, 1 Update record (sorted)
    int keyField = 0;
    std::array<CDataRecord, kDataFieldCount> fields{};

    // A stand-alone record carries the names of Data 1.
    CParamData() : CParamData(1) {}
    explicit CParamData(int number) {
        setFileName(numbered_name("Data", number, ".txt"));
        set_wide(indexName, numbered_name("Data", number, ".idx"));
    }

    std::u16string fileNameText() const { return get_wide(fileName); }
    std::u16string indexNameText() const { return get_wide(indexName); }
    void setFileName(std::u16string_view name) { set_file_and_index_name(fileName, indexName, name); }
};

} // namespace formwick
