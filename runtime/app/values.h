// The run-time values of every field reference: one text of at most 100
// bytes per code 0..93. Variables keep their values for the whole run.
// Lookup l's fields sit at 21 + 10(l-1) ..; data file d's ten fields at
// 51 + 12(d-1) .., followed by two slots for the date and the time of a
// record found by a data-file search (the codes the editors never offer).
// Codes 87..93 (constants and system texts) are read-only: they are set
// once from the start-up settings and writes to them are ignored, as are
// writes to code 0 (Nil).
#pragma once

#include "model/startup.h"

#include <string>
#include <string_view>

namespace formwick {

inline constexpr int kValueCapacity = 100;

// Every value empty.
void values_reset();
// Constants 1..3, terminal ID, OS, interpreter and application version.
void values_load_fixed(const CParamStartup& startup);

// The value of `code`; empty for Nil and for codes outside 0..93.
std::string_view value_get(int code);
// Stores at most 100 bytes (cut on a character boundary); ignored for Nil,
// read-only codes and codes outside 0..93.
void value_set(int code, std::string_view text);

// The date and time slots of data file d (1..3).
constexpr int data_date_code(int data) { return 51 + 12 * (data - 1) + 10; }
constexpr int data_time_code(int data) { return 51 + 12 * (data - 1) + 11; }

} // namespace formwick
