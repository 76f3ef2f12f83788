// A readable summary of a definition: the start-up settings, then the
// menus, forms, lookup and data files in use with their items, lines,
// fields and targets.
#pragma once

#include "model/parameters.h"

#include <string>

namespace formwick::cli {

std::string show_definition(const CParameters& parameters);

} // namespace formwick::cli
