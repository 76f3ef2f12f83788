#include "simulator/core/ramdisk/ram_disk.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace formwick {

namespace fs = std::filesystem;

namespace {

char fold(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool same_name(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (fold(a[i]) != fold(b[i])) return false;
    return true;
}

} // namespace

bool ramdisk_name_valid(const char* name) {
    if (name == nullptr || *name == '\0') return false;
    std::string_view n(name);
    if (n == "." || n.find("..") != std::string_view::npos) return false;
    for (unsigned char c : n)
        if (c < 32 || c == 127 || c == '/' || c == '\\' || c == ':') return false;
    return true;
}

CRamDisk::CRamDisk(fs::path folder) : folder_(std::move(folder)) {}

CRamDisk::~CRamDisk() {
    for (int fd : fds_)
        if (fd >= 0) ::close(fd);
}

std::optional<fs::path> CRamDisk::find(const std::string& name) const {
    std::error_code ec;
    fs::path exact = folder_ / name;
    if (fs::symlink_status(exact, ec).type() != fs::file_type::not_found && !ec) return exact;
    for (fs::directory_iterator it(folder_, ec), end; !ec && it != end; it.increment(ec))
        if (same_name(it->path().filename().string(), name)) return it->path();
    return std::nullopt;
}

int CRamDisk::descriptor(int handle) const {
    if (handle < 0 || handle >= static_cast<int>(fds_.size())) return -1;
    return fds_[static_cast<std::size_t>(handle)];
}

int CRamDisk::open(const char* name, int mode) {
    if (!ramdisk_name_valid(name)) return -1;
    bool reading = (mode & FILE_READ) != 0, writing = (mode & FILE_WRITE) != 0;
    if (!reading && !writing) return -1;
    int flags = O_NOFOLLOW | O_CLOEXEC | (reading && writing ? O_RDWR : writing ? O_WRONLY : O_RDONLY);
    if (mode & FILE_TRUNCATE) {
        if (!writing) return -1;
        flags |= O_TRUNC;
    }
    std::error_code ec;
    fs::path path;
    if (auto found = find(name)) {
        path = *found;
    } else {
        if (!(mode & FILE_CREATE) || !writing) return -1;
        fs::create_directories(folder_, ec);
        path = folder_ / name;
        flags |= O_CREAT;
    }
    int fd = ::open(path.c_str(), flags, 0644);
    if (fd < 0) return -1;
    struct stat st{};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return -1;
    }
    for (std::size_t i = 0; i < fds_.size(); ++i)
        if (fds_[i] < 0) {
            fds_[i] = fd;
            return static_cast<int>(i);
        }
    fds_.push_back(fd);
    return static_cast<int>(fds_.size() - 1);
}

long long CRamDisk::read(int handle, void* buffer, long long count) {
    int fd = descriptor(handle);
    if (fd < 0 || count < 0) return -1;
    auto* out = static_cast<char*>(buffer);
    long long done = 0;
    while (done < count) {
        ssize_t n = ::read(fd, out + done, static_cast<std::size_t>(count - done));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return done > 0 ? done : -1;
        if (n == 0) break;
        done += n;
    }
    return done;
}

long long CRamDisk::write(int handle, const void* buffer, long long count) {
    int fd = descriptor(handle);
    if (fd < 0 || count < 0) return -1;
    auto* in = static_cast<const char*>(buffer);
    long long done = 0;
    while (done < count) {
        ssize_t n = ::write(fd, in + done, static_cast<std::size_t>(count - done));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return done > 0 ? done : -1;
        done += n;
    }
    return done;
}

long long CRamDisk::seek(int handle, long long offset, int from) {
    int fd = descriptor(handle);
    if (fd < 0) return -1;
    int whence = from == FILE_SEEK_SET ? SEEK_SET : from == FILE_SEEK_CUR ? SEEK_CUR : from == FILE_SEEK_END ? SEEK_END : -1;
    if (whence < 0) return -1;
    off_t at = ::lseek(fd, static_cast<off_t>(offset), whence);
    return at < 0 ? -1 : static_cast<long long>(at);
}

int CRamDisk::truncate(int handle, long long size) {
    int fd = descriptor(handle);
    if (fd < 0 || size < 0) return -1;
    return ::ftruncate(fd, static_cast<off_t>(size)) == 0 ? 0 : -1;
}

int CRamDisk::close(int handle) {
    int fd = descriptor(handle);
    if (fd < 0) return -1;
    fds_[static_cast<std::size_t>(handle)] = -1;
    return ::close(fd) == 0 ? 0 : -1;
}

int CRamDisk::remove(const char* name) {
    if (!ramdisk_name_valid(name)) return -1;
    auto found = find(name);
    if (!found) return -1;
    std::error_code ec;
    if (fs::symlink_status(*found, ec).type() == fs::file_type::directory) return -1;
    return ::unlink(found->c_str()) == 0 ? 0 : -1;
}

int CRamDisk::rename(const char* from, const char* to) {
    if (!ramdisk_name_valid(from) || !ramdisk_name_valid(to)) return -1;
    auto source = find(from);
    if (!source) return -1;
    if (auto target = find(to); target && !same_name(target->filename().string(), source->filename().string()))
        return -1;
    return ::rename(source->c_str(), (folder_ / to).c_str()) == 0 ? 0 : -1;
}

long long CRamDisk::file_size(const char* name) {
    std::error_code ec;
    fs::create_directories(folder_, ec);
    if (ec || !ramdisk_name_valid(name)) return -1;
    auto found = find(name);
    if (!found) return -1;
    struct stat st{};
    if (::lstat(found->c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return -1;
    return static_cast<long long>(st.st_size);
}

std::vector<RamDiskEntry> CRamDisk::list() {
    std::vector<RamDiskEntry> entries;
    std::error_code ec;
    for (fs::directory_iterator it(folder_, ec), end; !ec && it != end; it.increment(ec)) {
        RamDiskEntry e;
        e.name = it->path().filename().string();
        e.directory = it->is_directory(ec);
        struct stat st{};
        if (!e.directory && ::lstat(it->path().c_str(), &st) == 0) e.size = static_cast<long long>(st.st_size);
        entries.push_back(std::move(e));
    }
    return entries;
}

} // namespace formwick
