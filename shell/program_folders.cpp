#include "shell/program_folders.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QStandardPaths>

#include <system_error>

namespace formwick {

std::filesystem::path ramdisk_folder() {
    const QString beside = QCoreApplication::applicationDirPath();
    const QString base = QFileInfo(beside).isWritable()
                             ? beside
                             : QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    std::filesystem::path folder = std::filesystem::path(base.toStdString()) / "RAM_DISK";
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    if (!std::filesystem::is_directory(folder)) return {};
    return folder;
}

} // namespace formwick
