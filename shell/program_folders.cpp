#include "shell/program_folders.h"

#include "shell/settings_file.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QStandardPaths>

#include <system_error>

namespace formwick {

namespace {

std::filesystem::path user_folder(QStandardPaths::StandardLocation location) {
    return std::filesystem::path(QStandardPaths::writableLocation(location).toStdString()) / "Formwick";
}

} // namespace

ProgramFolders program_folders(const QString& program_dir, bool beside) {
    if (beside) {
        const std::filesystem::path dir = program_dir.toStdString();
        return {dir / kSettingsFileName, dir / kRamDiskFolderName};
    }
    return {user_folder(QStandardPaths::GenericConfigLocation) / kSettingsFileName,
            user_folder(QStandardPaths::GenericDataLocation) / kRamDiskFolderName};
}

ProgramFolders program_folders() {
    const QString dir = QCoreApplication::applicationDirPath();
    return program_folders(dir, QFileInfo(dir).isWritable());
}

bool make_folder(const std::filesystem::path& folder) {
    if (folder.empty()) return false;
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    return std::filesystem::is_directory(folder, ec);
}

} // namespace formwick
