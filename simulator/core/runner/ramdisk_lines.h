// Reading a RAM disk file whole or as lines, for the expectations of key scripts.
#pragma once

#include "runtime/services/terminal.h"

#include <string>
#include <vector>

namespace formwick {

// The bytes of file `name`, found through `files` (so in any case). False
// when the file cannot be opened or read.
bool read_ramdisk_bytes(FileService& files, const std::string& name, std::string& bytes);

// The lines of file `name`, found through `files` (so in any case), each
// without its CR LF or LF; a last line without a line end counts too.
// False when the file cannot be opened or read.
bool read_ramdisk_lines(FileService& files, const std::string& name,
                        std::vector<std::string>& lines);

} // namespace formwick
