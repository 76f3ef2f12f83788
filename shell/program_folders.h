// Where the program keeps its settings file and the simulated terminal's
// RAM disk. Beside the program when its folder is writable (a build tree,
// a copy unpacked into the user's own folder): "Formwick.CFG" and
// "RAM_DISK" there. Otherwise (installed under /usr) in the user's folders:
// $XDG_CONFIG_HOME/Formwick/Formwick.CFG (~/.config/Formwick) and
// $XDG_DATA_HOME/Formwick/RAM_DISK (~/.local/share/Formwick).
#pragma once

#include <QString>

#include <filesystem>

namespace formwick {

inline constexpr const char* kRamDiskFolderName = "RAM_DISK";
inline constexpr const char* kRamDiskMessage =
    "Error creating a RamDisk for the application.\nPlease make sure that the application\nHas writting rights";

struct ProgramFolders {
    std::filesystem::path settings_file;
    std::filesystem::path ramdisk;
};

// The places for a program in `program_dir`, beside it or in the user's
// folders as `beside` says; the folders are not made.
ProgramFolders program_folders(const QString& program_dir, bool beside);
// The places for this program: beside it when its folder is writable.
ProgramFolders program_folders();

// Makes `folder` (and the folders above it) when missing; false when it
// is not a folder afterwards.
bool make_folder(const std::filesystem::path& folder);

} // namespace formwick
