// Reading a key script from a file.
#pragma once

#include "simulator/core/runner/key_script.h"

#include <filesystem>

namespace formwick {

// Parses the file; a file that cannot be read is reported as
// "<path>: cannot read the key script", bad lines as "<path>: line N: ...".
bool read_key_script_file(const std::filesystem::path& path, KeyScript& script, MessageSink& sink);

} // namespace formwick
