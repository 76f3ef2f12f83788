// The runtime's own utilities: the "Utilities" menu and its screens.
#pragma once

namespace formwick {

// The main menu's "Utilities" item: asks for the password when the
// utilities are locked, then runs the menu of Version, Time & date,
// Power & memory, Browse and Format until it is left.
void utilities_menu();

// The password prompt: true when the entry equals `password` exactly.
// Clear (or up) cancels, which counts as wrong.
bool rt_ask_password(const char* password);

// Time & date: edits the clock's time and date in place; returns 1 when
// the entry is to be used (or an invalid one is left anyway), else 0.
int rt_time_and_date();

// Power & memory: free memory and battery voltage until a key; returns it.
int rt_power_and_memory();

// Browse: every RAM disk file with its size, one at a time, with delete.
void rt_browse();

// Format: asks whether to format the RAM disk; returns the answer.
int rt_format_ramdisk();

} // namespace formwick
