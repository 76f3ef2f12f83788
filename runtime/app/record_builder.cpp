#include "runtime/app/record_builder.h"

#include "runtime/app/decimal_sum.h"
#include "runtime/app/value_fit.h"
#include "runtime/app/values.h"

#include <cstdio>
#include <vector>

namespace formwick {

namespace {

std::string two_digits(int v) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%02d", v % 100);
    return buf;
}

std::string join(const std::vector<std::string>& parts, char separator) {
    std::string out;
    for (const std::string& p : parts) {
        if (!out.empty()) out += separator;
        out += p;
    }
    return out;
}

// The value of one field before fitting; `overflow` set when a sum does not fit.
std::string field_value(const CDataRecord& field, const FieldValues& value_of, bool& overflow) {
    std::string_view a = value_of(field.variable1);
    std::string_view b = value_of(field.variable2);
    if (field.variable1 == 0 && field.variable2 == 0) return " ";
    if (field.variable1 == 0) return std::string(cut_chars(b, field.fieldSize));
    if (field.variable2 == 0) return std::string(cut_chars(a, field.fieldSize));
    std::string_view ta = trim_blanks(a), tb = trim_blanks(b);
    if (!field.isString) {
        if (auto sum = decimal_sum(ta, tb)) {
            if (count_chars(*sum) > field.fieldSize) {
                overflow = true;
                return {};
            }
            return *sum;
        }
    }
    return std::string(cut_chars(std::string(ta) + std::string(tb), field.fieldSize));
}

} // namespace

std::string record_date_text(const CParamData& data, const DateRecord& date) {
    std::string year = data.yearDigits == 1 ? two_digits(date.year) : std::to_string(date.year);
    std::string y = data.dateYear ? year : "", m = data.dateMonth ? two_digits(date.month) : "",
                d = data.dateDay ? two_digits(date.day) : "";
    std::vector<std::string> order;
    switch (data.dateOrder) {
    case 1: order = {m, d, y}; break;
    case 2: order = {d, m, y}; break;
    default: order = {y, m, d}; break;
    }
    std::vector<std::string> parts;
    for (auto& p : order)
        if (!p.empty()) parts.push_back(p);
    return join(parts, '/');
}

std::string record_time_text(const CParamData& data, const TimeRecord& time) {
    std::vector<std::string> parts;
    if (data.timeHour) parts.push_back(two_digits(time.hour));
    if (data.timeMinute) parts.push_back(two_digits(time.minute));
    if (data.timeSecond) parts.push_back(two_digits(time.second));
    return join(parts, ':');
}

BuiltRecord build_record(const CParamData& data, const DateRecord& date, const TimeRecord& time) {
    return build_record(data, date, time, [](int code) { return value_get(code); });
}

BuiltRecord build_record(const CParamData& data, const DateRecord& date, const TimeRecord& time,
                         const FieldValues& value_of) {
    BuiltRecord r;
    const bool delimited = data.useDelimiter != 0;
    const char separator = kDelimiters[data.delimiter >= 0 && data.delimiter < 4 ? data.delimiter : 0];
    // The separator goes between parts even when a part is empty, so every
    // field of every record stays in its place.
    bool first = true;
    auto append = [&](const std::string& text) {
        if (delimited && !first) r.line += separator;
        first = false;
        r.line += text;
    };
    int count = data.fieldCount < 0 ? 0 : (data.fieldCount > kDataFieldCount ? kDataFieldCount : data.fieldCount);
    for (int i = 0; i < count; ++i) {
        const CDataRecord& field = data.fields[i];
        std::string value = field_value(field, value_of, r.overflow);
        bool numeric = !field.isString;
        // Numbers lose blanks and leading zeros, except in "Variable size" fields.
        if (numeric && field.alignment != kAlignVariable) value = strip_leading_zeros(trim_blanks(value));
        append(fit_value(value, field.fieldSize, field.alignment, numeric));
    }
    if (data.addDate) append(record_date_text(data, date));
    if (data.addTime) append(record_time_text(data, time));
    r.line += "\r\n";
    r.wrongSize = data.fixedSize && static_cast<int>(r.line.size()) != data.recordLength;
    return r;
}

} // namespace formwick
