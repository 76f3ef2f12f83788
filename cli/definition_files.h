// Reading and writing definitions for the commands: application files
// (".HIX") and JSON definitions, told apart by their first character.
#pragma once

#include "model/messages.h"
#include "model/parameters.h"

#include <filesystem>
#include <string>

namespace formwick::cli {

// Prints every message on stderr, one per line.
class StderrSink final : public MessageSink {
public:
    void error(std::string_view message) override;
};

// Loads an application file or a JSON definition. False, with the reason on
// stderr, when the file is refused.
bool load_definition(const std::filesystem::path& path, CParameters& parameters);
// Builds an application file; false with the reason on stderr.
bool build_definition(const CParameters& parameters, const std::filesystem::path& path);
// Writes text to a file, or to stdout for an empty path.
bool write_text(const std::filesystem::path& path, const std::string& text);

} // namespace formwick::cli
