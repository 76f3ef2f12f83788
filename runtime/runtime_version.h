#pragma once

namespace formwick {
// The interpreter's version text ("V00.01"), read through "Inter Ver".
extern const char* const kInterpreterVersion;
// The terminal operating system version the runtime reports through "OS Ver".
extern const char* const kTerminalOsVersion;
} // namespace formwick
