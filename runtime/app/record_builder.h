// Building one data record line from a data file's settings, the values of
// field references, and the date and time.
#pragma once

#include "model/data_file.h"
#include "model/record_layout.h" // record_date_width, record_time_width
#include "runtime/services/records.h"

#include <functional>
#include <string>
#include <string_view>

namespace formwick {

struct BuiltRecord {
    std::string line;     // CR LF included
    bool overflow = false; // a numeric sum did not fit its field (stored empty)
    bool wrongSize = false; // fixed size requested and the line's length differs
};

// Fields in order with the separator between them (when fields are
// delimited; an empty field still has its separators), then the date and
// the time when asked for, then CR LF.
BuiltRecord build_record(const CParamData& data, const DateRecord& date, const TimeRecord& time);

// The same with the value of each field reference taken from `value_of`
// instead of the running application (the editors' sample record).
using FieldValues = std::function<std::string_view(int code)>;
BuiltRecord build_record(const CParamData& data, const DateRecord& date, const TimeRecord& time,
                         const FieldValues& value_of);

// The date and time texts as a record holds them ("2026/12/10", "14:05:09").
std::string record_date_text(const CParamData& data, const DateRecord& date);
std::string record_time_text(const CParamData& data, const TimeRecord& time);

} // namespace formwick
