// Running a form: its lines one after another, from the first to the last,
// with going back, leaving with the cancel key, and storing a record at
// the end.
#pragma once

#include <string>

namespace formwick {

// Runs form `form` (0..7) and returns the next state.
int run_form(int form);

// The text a Counter line shows for data file `data` (0..2): the number of
// keys in its index, "0" when the file does not exist.
std::string counter_text(int data);

} // namespace formwick
