// The rule groups of check_definition, one source file each, and what
// they share about how the runtime reads a definition.
#pragma once

#include "checks/finding.h"
#include "model/parameters.h"

#include <string>

namespace formwick::rules {

void check_data_files(const CParameters& p, Findings& out);  // rules_files.cpp
void check_searches(const CParameters& p, Findings& out);    // rules_search.cpp
void check_lines(const CParameters& p, Findings& out);       // rules_lines.cpp
void check_flow(const CParameters& p, Findings& out);        // rules_flow.cpp
void check_values(const CParameters& p, Findings& out);      // rules_values.cpp
void check_display(const CParameters& p, Findings& out);     // rules_display.cpp

// Lines the terminal runs: as many as the form's font leaves rows for, at most 10.
int visible_lines(const CParameters& p, int form);
// A form runs when one of its visible lines is not Nil; else the terminal
// goes straight back to its main menu.
bool form_runs(const CParameters& p, int form);
// Menu items up to the first one without a name; 0 means the menu is never shown.
int menu_item_count(const CParamMenu& m);
// Lines that take typed or scanned input (Text .. Boolean).
bool takes_input(int line_type);
// Forms and menus the application can get to, from its start.
std::array<bool, 17> reachable_targets(const CParameters& p);
// "Form 2", "Menu 1", "Main menu".
std::string target_name(int target);
// "\"Article:\"" for messages.
template <std::size_t N> std::string quoted(const Text<N>& t) { return "\"" + std::string(text_bytes(t)) + "\""; }

} // namespace formwick::rules
