#include "bench/app/session_script.h"

namespace formwick::bench {

std::string session_script(const std::vector<StoredRecord>& records) {
    std::string script =
        "CLOCK 2026-12-10 09:00:00\n"
        "ENTER   # leaves the start-up screen\n"
        "ENTER   # \"Input\"\n";
    script.reserve(script.size() + records.size() * 40);
    for (const StoredRecord& r : records) {
        script += "SCAN \"" + r.article + "\"\n";
        script += std::to_string(r.quantity) + "\n";
        script += "ENTER\n";
    }
    return script;
}

} // namespace formwick::bench
