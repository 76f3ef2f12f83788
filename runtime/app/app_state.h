// The application logic's globals: the definition being run and the goto
// state a failed lookup may set. Forms, menus, data and lookup files take
// their own settings afresh (a copy) each time they start.
#pragma once

#include "model/parameters.h"

namespace formwick {

// The definition the runtime runs; set by the runtime entry (or a test).
void app_set_parameters(const CParameters* parameters);
const CParameters& app_parameters();

// -1 when no lookup asked for a state change; else the state to go to.
extern int app_goto_state;

// File names of the model as the runtime's narrow names.
std::string app_file_name(const FileName& name);

// An ANSI text field of the model as the UTF-8 the runtime shows and stores.
template <std::size_t N> std::string app_ansi_text(const Text<N>& text) {
    return utf16_to_utf8(get_ansi(text));
}

} // namespace formwick
