// Reads a whole file to send it.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace formwick {

// The bytes of the regular file at `path`. False with the reason ("no such
// file", "not a regular file", "Permission denied", ...) otherwise.
bool read_file_bytes(const std::filesystem::path& path, std::vector<std::uint8_t>& bytes, std::string& error);

} // namespace formwick
