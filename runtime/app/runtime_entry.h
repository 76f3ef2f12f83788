// The runtime's entry: what runs from the moment a host starts the runtime
// until the host stops it (the stop unwinds out of here with TerminalStop).
#pragma once

#include "model/parameters.h"

namespace formwick {

// Runs the runtime over `parameters`, which must stay alive and unchanged
// for the whole run. Never returns normally.
[[noreturn]] void runtime_main(const CParameters& parameters);

// Takes the language and start-up settings into the runtime's globals and
// connects the database layer's failures to the message box. Done by
// runtime_main; tests that run one routine call it themselves.
void runtime_take_settings(const CParameters& parameters);

// Deletes every "*.IDX" file of the RAM disk, whatever its case.
void delete_index_files();

// The number of an application format version "Vdd.dd" (first x 1000 +
// second x 100 + third x 10 + fourth), or -1 when the text has another shape.
int format_version_number(const char* text);

// The three checks of Start application; each 1 when it may start.
int version_check(const char* version_text);
int lookup_check();
int data_file_check();

// The format version the build writes and the runtime accepts.
inline constexpr const char* kApplicationFormatVersion = "V00.01";

// The main menu's "Input": the checks, then the flow until the main menu.
// `format_version` is the version of the application's file; the desktop
// runs the definition itself, which is always of the current version.
void start_application(const char* format_version = kApplicationFormatVersion);

} // namespace formwick
