// The length of a data file's records, as the Data page computes it and the
// runtime writes them: the field sizes, a separator between parts when
// fields are delimited, the date and time texts, and CR LF.
#pragma once

#include "model/data_file.h"

namespace formwick {

// The width of the date text ("2026/12/10", "12/10/26") for the date parts
// switched on, 0 when none.
int record_date_width(const CParamData& data);
// The width of the time text ("14:05:09") for the time parts switched on.
int record_time_width(const CParamData& data);

// The record length CR LF included: the sizes of the first `fieldCount`
// fields, (fieldCount - 1) separators when delimited, the date and the time
// (each after a separator when delimited and something precedes it), plus 2.
int data_record_length(const CParamData& data);

} // namespace formwick
