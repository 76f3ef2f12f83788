// A sample record of a data file as the terminal will write it, for the
// Data page: each field filled with placeholder characters and fitted by
// the runtime's own rules, the separators, the date and time in their
// formats, and the line end. Plain code, no Qt.
#pragma once

#include "model/data_file.h"

#include <string>

namespace formwick {

struct RecordSample {
    // UTF-8; a padding blank shows as "\u00B7", a tab as "<TAB>", the line
    // end as "<CR><LF>".
    std::string text;
    // Characters the terminal writes, CR LF included.
    int length = 0;
};

RecordSample record_sample(const CParamData& data);

} // namespace formwick
