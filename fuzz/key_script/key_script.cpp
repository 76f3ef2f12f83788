// The key-script parser and the check against each terminal model on
// hostile text: every bad line is reported with its number, and a parsed
// script names only lines the text has.
#include "fuzz/common/fuzz_check.h"
#include "simulator/core/runner/key_script.h"
#include "simulator/core/runner/script_executor.h"

#include <algorithm>
#include <cstdint>
#include <string_view>

using namespace formwick;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    KeyScript script;
    CollectingSink sink;
    bool ok = parse_key_script(text, script, sink);
    FUZZ_CHECK(ok == sink.messages.empty());
    for (const std::string& m : sink.messages) FUZZ_CHECK(m.starts_with("line "));
    const int lines = static_cast<int>(std::count(text.begin(), text.end(), '\n')) + 1;
    for (const ScriptCommand& cmd : script.commands) {
        FUZZ_CHECK(cmd.line >= 1 && cmd.line <= lines);
        FUZZ_CHECK(cmd.repeat >= 1);
        FUZZ_CHECK(cmd.ms >= 0);
    }
    if (!ok) return 0;
    for (TerminalModel model : {TerminalModel::R58, TerminalModel::KTM3300}) {
        CollectingSink model_sink;
        bool fits = check_key_script(script, model, model_sink);
        FUZZ_CHECK(fits == model_sink.messages.empty());
    }
    return 0;
}
