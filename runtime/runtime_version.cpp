#include "runtime/runtime_version.h"

namespace formwick {
const char* const kInterpreterVersion = "V00.01";
const char* const kTerminalOsVersion = "QLTV0207";
} // namespace formwick
