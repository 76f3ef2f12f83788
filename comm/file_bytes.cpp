#include "comm/file_bytes.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace formwick {

bool read_file_bytes(const std::filesystem::path& path, std::vector<std::uint8_t>& bytes, std::string& error) {
    std::error_code ec;
    const auto status = std::filesystem::status(path, ec);
    if (ec || !std::filesystem::exists(status)) {
        error = "no such file";
        return false;
    }
    if (!std::filesystem::is_regular_file(status)) {
        error = "not a regular file";
        return false;
    }
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (f == nullptr) {
        error = std::strerror(errno);
        return false;
    }
    bytes.clear();
    std::uint8_t chunk[65536];
    std::size_t n;
    while ((n = std::fread(chunk, 1, sizeof chunk, f)) > 0) bytes.insert(bytes.end(), chunk, chunk + n);
    const bool failed = std::ferror(f) != 0;
    const int saved = errno;
    std::fclose(f);
    if (failed) {
        error = std::strerror(saved);
        return false;
    }
    return true;
}

} // namespace formwick
