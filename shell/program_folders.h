// Where the program keeps the simulated terminal's RAM disk: "RAM_DISK"
// beside the program when that folder is writable (a build tree), else in
// the user's data folder (an installed program).
#pragma once

#include <filesystem>

namespace formwick {

// Made when missing; empty when it cannot be made.
std::filesystem::path ramdisk_folder();

} // namespace formwick
