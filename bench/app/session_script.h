// The key script of a benchmark session: through the start-up screen and
// "Input" into Form 1, then per record the article scanned, the quantity
// typed and accepted.
#pragma once

#include "bench/app/bench_application.h"

#include <string>
#include <vector>

namespace formwick::bench {

std::string session_script(const std::vector<StoredRecord>& records);

} // namespace formwick::bench
