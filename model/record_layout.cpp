#include "model/record_layout.h"

#include <algorithm>

namespace formwick {

int record_date_width(const CParamData& data) {
    int parts = data.dateYear + data.dateMonth + data.dateDay;
    int width = (data.dateYear ? (data.yearDigits == 1 ? 2 : 4) : 0) + 2 * (data.dateMonth + data.dateDay);
    return parts ? width + parts - 1 : 0;
}

int record_time_width(const CParamData& data) {
    int parts = data.timeHour + data.timeMinute + data.timeSecond;
    return parts ? 3 * parts - 1 : 0;
}

int data_record_length(const CParamData& data) {
    const bool delimited = data.useDelimiter != 0;
    const int n = std::clamp(data.fieldCount, 0, kDataFieldCount);
    int size = delimited && n > 0 ? n - 1 : 0;
    for (int i = 0; i < n; ++i) size += std::max(data.fields[i].fieldSize, 0);
    auto add_part = [&](int width) {
        if (delimited && size > 0) size += 1;
        size += width;
    };
    if (data.addDate) add_part(record_date_width(data));
    if (data.addTime) add_part(record_time_width(data));
    return size + 2;
}

} // namespace formwick
