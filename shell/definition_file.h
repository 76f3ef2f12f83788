// Reads the definition the program opens: a JSON definition or an
// application file (".HIX"), told apart by the first character.
#pragma once

#include "model/parameters.h"

#include <filesystem>
#include <string>

namespace formwick {

// False with the reasons in `error` (one per line) when the file is refused;
// `parameters` is left as it was then.
bool read_definition_file(const std::filesystem::path& path, CParameters& parameters, std::string& error);

} // namespace formwick
