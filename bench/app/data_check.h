// What a benchmark run must leave behind: Data1.txt with exactly the
// expected lines, and an index that the integrity check finds sound.
#pragma once

#include "model/parameters.h"

#include <filesystem>
#include <string>
#include <vector>

namespace formwick::bench {

// One text per finding; empty when the data file and its index are right.
std::vector<std::string> check_data_file(const CParameters& parameters, const std::filesystem::path& ramdisk,
                                         const std::vector<std::string>& expected);

} // namespace formwick::bench
