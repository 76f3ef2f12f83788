#include "simulator/core/runner/ramdisk_lines.h"

namespace formwick {

bool read_ramdisk_bytes(FileService& files, const std::string& name, std::string& bytes) {
    bytes.clear();
    const int handle = files.open(name.c_str(), FILE_READ);
    if (handle < 0) return false;
    char buffer[4096];
    long long got;
    while ((got = files.read(handle, buffer, sizeof buffer)) > 0)
        bytes.append(buffer, static_cast<std::size_t>(got));
    files.close(handle);
    return got == 0;
}

bool read_ramdisk_lines(FileService& files, const std::string& name,
                        std::vector<std::string>& lines) {
    lines.clear();
    std::string text;
    if (!read_ramdisk_bytes(files, name, text)) return false;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        const bool last = end == std::string::npos;
        if (last) end = text.size();
        std::string line = text.substr(start, end - start);
        if (!last && !line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(std::move(line));
        start = end + 1;
    }
    return true;
}

} // namespace formwick
