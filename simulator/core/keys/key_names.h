// Names of the keypad keys as people write them in key scripts and reports.
#pragma once

#include <optional>
#include <string_view>

namespace formwick {

// The key code of a name, case-insensitively: "ENTER", "CLR" (or "CLEAR"),
// "UP", "DOWN", "TRIGGER", "BS", "F1".."F4", "ALPHA", "MENU", "POINT" (or
// "."), and the digits "0".."9".
std::optional<int> key_code_from_name(std::string_view name);

// The name of a key code ("ENTER", "7", ...), or null for a code no key sends.
const char* key_name(int code);

} // namespace formwick
