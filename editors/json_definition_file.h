// A JSON definition file read into a definition, and written back so that
// a failed write leaves the old file as it was.
#pragma once

#include "model/messages.h"
#include "model/parameters.h"

#include <filesystem>

namespace formwick {

// False, with the reason in `messages`, when the file cannot be read or is
// not a valid definition; `definition` is then unchanged.
bool read_json_definition(const std::filesystem::path& path, CParameters& definition, MessageSink& messages);
// Writes beside the file and renames it into place.
bool write_json_definition(const std::filesystem::path& path, const CParameters& definition,
                           MessageSink& messages);

} // namespace formwick
