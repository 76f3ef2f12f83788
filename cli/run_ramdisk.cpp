#include "cli/run_ramdisk.h"

#include "simulator/core/ramdisk/ram_disk.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <system_error>

namespace formwick::cli {

namespace fs = std::filesystem;

namespace {

bool refuse(const std::string& why) {
    std::fprintf(stderr, "%s\n", why.c_str());
    return false;
}

} // namespace

RunRamDisk::~RunRamDisk() {
    if (!temporary_) return;
    std::error_code ec;
    fs::remove_all(folder_, ec);
}

bool RunRamDisk::prepare(const fs::path& folder) {
    std::error_code ec;
    if (folder.empty()) {
        std::string name = (fs::temp_directory_path(ec) / "formwick-run-XXXXXX").string();
        if (ec || !mkdtemp(name.data())) return refuse("cannot make a temporary RAM disk folder");
        folder_ = name;
        temporary_ = true;
        return true;
    }
    folder_ = folder;
    fs::create_directories(folder_, ec);
    if (ec || !fs::is_directory(folder_))
        return refuse("cannot make the RAM disk folder " + folder_.string() +
                      (ec ? ": " + ec.message() : ""));
    return true;
}

bool RunRamDisk::copy_in(const std::vector<fs::path>& files) {
    CRamDisk disk(folder_);
    for (const fs::path& path : files) {
        std::error_code ec;
        if (!fs::is_regular_file(path, ec)) return refuse(path.string() + ": no such file");
        const std::string name = path.filename().string();
        if (!ramdisk_name_valid(name.c_str()))
            return refuse(path.string() + ": not a RAM disk file name");
        std::ifstream in(path, std::ios::binary);
        const std::string text((std::istreambuf_iterator<char>(in)),
                               std::istreambuf_iterator<char>());
        if (!in.is_open() || in.bad()) return refuse(path.string() + ": cannot read the file");
        const int handle = disk.open(name.c_str(), FILE_WRITE | FILE_CREATE | FILE_TRUNCATE);
        if (handle < 0) return refuse("cannot write " + name + " to the RAM disk");
        const long long size = static_cast<long long>(text.size());
        const bool written = disk.write(handle, text.data(), size) == size;
        if (disk.close(handle) != 0 || !written)
            return refuse("cannot write " + name + " to the RAM disk");
    }
    return true;
}

} // namespace formwick::cli
