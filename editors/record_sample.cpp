#include "editors/record_sample.h"

#include "runtime/app/record_builder.h"
#include "runtime/app/value_fit.h"

#include <algorithm>
#include <array>

namespace formwick {

namespace {

// A value about two thirds of the field wide, so the padding shows: letters
// A, B, C... for text fields, nines for numbers.
std::string placeholder(const CDataRecord& field, int index) {
    const int width = std::max(1, (field.fieldSize * 2 + 2) / 3);
    return std::string(static_cast<std::size_t>(width), field.isString ? char('A' + index) : '9');
}

std::string shown(std::string_view written) {
    std::string out;
    for (char c : written) {
        if (c == ' ')
            out += "\u00B7";
        else if (c == '\t')
            out += "<TAB>";
        else
            out += c;
    }
    return out;
}

} // namespace

RecordSample record_sample(const CParamData& data) {
    // Field i takes "Var i+1" alone, whose value is the field's placeholder;
    // the runtime's own builder fits, joins and ends the record.
    CParamData sample = data;
    std::array<std::string, kDataFieldCount> values;
    for (int i = 0; i < kDataFieldCount; ++i) {
        values[i] = placeholder(data.fields[i], i);
        sample.fields[i].variable1 = i + 1;
        sample.fields[i].variable2 = 0;
    }
    auto value_of = [&](int code) -> std::string_view {
        return code >= 1 && code <= kDataFieldCount ? std::string_view(values[code - 1]) : std::string_view();
    };
    const BuiltRecord built = build_record(sample, DateRecord{2026, 12, 31}, TimeRecord{23, 59, 58}, value_of);
    std::string_view written = built.line;
    if (written.size() >= 2) written.remove_suffix(2); // CR LF, shown as text below
    return {shown(written) + "<CR><LF>", count_chars(built.line)};
}

} // namespace formwick
