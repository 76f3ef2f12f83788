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

bool ramdisk_name_buffered(const char* name) {
    std::size_t n = name ? std::strlen(name) : 0;
    return n > 4 && name[n - 4] == '.' && fold(name[n - 3]) == 'i' && fold(name[n - 2]) == 'd' &&
           fold(name[n - 1]) == 'x';
}

CRamDisk::CRamDisk(fs::path folder, bool buffer_indexes)
    : folder_(std::move(folder)), buffer_indexes_(buffer_indexes) {}

CRamDisk::~CRamDisk() {
    for (OpenFile& f : files_)
        if (f.fd >= 0) close(static_cast<int>(&f - files_.data()));
}

std::optional<fs::path> CRamDisk::find(const std::string& name) const {
    std::error_code ec;
    fs::path exact = folder_ / name;
    if (fs::symlink_status(exact, ec).type() != fs::file_type::not_found && !ec) return exact;
    for (fs::directory_iterator it(folder_, ec), end; !ec && it != end; it.increment(ec))
        if (same_name(it->path().filename().string(), name)) return it->path();
    return std::nullopt;
}

CRamDisk::OpenFile* CRamDisk::file(int handle) {
    if (handle < 0 || handle >= static_cast<int>(files_.size())) return nullptr;
    OpenFile* f = &files_[static_cast<std::size_t>(handle)];
    return f->fd >= 0 ? f : nullptr;
}

int CRamDisk::open(const char* name, int mode) {
    if (!ramdisk_name_valid(name)) return -1;
    bool reading = (mode & FILE_READ) != 0, writing = (mode & FILE_WRITE) != 0;
    if (!reading && !writing) return -1;
    const bool buffered = buffer_indexes_ && ramdisk_name_buffered(name);
    int flags = O_NOFOLLOW | O_CLOEXEC | (reading && writing ? O_RDWR : writing ? O_WRONLY : O_RDONLY);
    if (mode & FILE_TRUNCATE) {
        if (!writing) return -1;
        flags |= O_TRUNC;
    }
    std::error_code ec;
    fs::path path;
    if (auto found = find(name)) {
        path = *found;
        // A file emptied on open is not truncated on the host: the file
        // system would write the old blocks out at the close. An index keeps
        // its host file and is emptied in memory (overwriting it costs no
        // allocation); any other file gets a new host file.
        struct stat old{};
        if (buffered)
            flags &= ~O_TRUNC;
        else if ((mode & FILE_TRUNCATE) && ::lstat(path.c_str(), &old) == 0 && S_ISREG(old.st_mode) &&
                 !open_elsewhere(old.st_dev, old.st_ino) && ::unlink(path.c_str()) == 0)
            flags = (flags & ~O_TRUNC) | O_CREAT | O_EXCL;
    } else {
        if (!(mode & FILE_CREATE) || !writing) return -1;
        fs::create_directories(folder_, ec);
        path = folder_ / name;
        flags |= O_CREAT;
    }
    // An index's buffer is shared by every handle open on it and writes back
    // through its own descriptor, so that one can write whenever the host
    // file allows it; a handle opened for reading still cannot.
    int fd = buffered ? ::open(path.c_str(), (flags & ~O_ACCMODE) | O_RDWR, 0644) : -1;
    if (fd < 0) fd = ::open(path.c_str(), flags, 0644);
    if (fd < 0) return -1;
    struct stat st{};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return -1;
    }
    OpenFile opened{fd, 0, nullptr, st.st_dev, st.st_ino, writing};
    if (buffered) {
        // The buffer owns one descriptor for all the handles that share it;
        // the handle's fd only marks it in use.
        opened.buffer = shared_buffer(st.st_dev, st.st_ino);
        if (opened.buffer) {
            ::close(fd);
            opened.fd = opened.buffer->descriptor();
        } else {
            opened.buffer = std::make_shared<BufferedFile>(fd, static_cast<long long>(st.st_size));
        }
        if (mode & FILE_TRUNCATE) opened.buffer->truncate(0);
    }
    for (std::size_t i = 0; i < files_.size(); ++i)
        if (files_[i].fd < 0) {
            files_[i] = std::move(opened);
            return static_cast<int>(i);
        }
    files_.push_back(std::move(opened));
    return static_cast<int>(files_.size() - 1);
}

std::shared_ptr<BufferedFile> CRamDisk::shared_buffer(dev_t device, ino_t inode) const {
    for (const OpenFile& f : files_)
        if (f.fd >= 0 && f.buffer && f.device == device && f.inode == inode) return f.buffer;
    return nullptr;
}

bool CRamDisk::open_elsewhere(dev_t device, ino_t inode) const {
    for (const OpenFile& f : files_)
        if (f.fd >= 0 && f.device == device && f.inode == inode) return true;
    return false;
}

long long CRamDisk::read(int handle, void* buffer, long long count) {
    OpenFile* f = file(handle);
    if (!f || count < 0) return -1;
    if (f->buffer) {
        long long n = f->buffer->read(f->position, buffer, count);
        if (n > 0) f->position += n;
        return n;
    }
    auto* out = static_cast<char*>(buffer);
    long long done = 0;
    while (done < count) {
        ssize_t n = ::pread(f->fd, out + done, static_cast<std::size_t>(count - done), static_cast<off_t>(f->position));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return done > 0 ? done : -1;
        if (n == 0) break;
        done += n;
        f->position += n;
    }
    return done;
}

long long CRamDisk::write(int handle, const void* buffer, long long count) {
    OpenFile* f = file(handle);
    if (!f || count < 0) return -1;
    if (f->buffer) {
        if (!f->writable) return -1;
        long long n = f->buffer->write(f->position, buffer, count);
        if (n > 0) f->position += n;
        return n;
    }
    auto* in = static_cast<const char*>(buffer);
    long long done = 0;
    while (done < count) {
        ssize_t n = ::pwrite(f->fd, in + done, static_cast<std::size_t>(count - done), static_cast<off_t>(f->position));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return done > 0 ? done : -1;
        done += n;
        f->position += n;
    }
    return done;
}

long long CRamDisk::seek(int handle, long long offset, int from) {
    OpenFile* f = file(handle);
    if (!f) return -1;
    long long base;
    if (from == FILE_SEEK_SET) {
        base = 0;
    } else if (from == FILE_SEEK_CUR) {
        base = f->position;
    } else if (from == FILE_SEEK_END && f->buffer) {
        base = f->buffer->size();
    } else if (from == FILE_SEEK_END) {
        struct stat st{};
        if (::fstat(f->fd, &st) != 0) return -1;
        base = static_cast<long long>(st.st_size);
    } else {
        return -1;
    }
    if (base + offset < 0) return -1;
    f->position = base + offset;
    return f->position;
}

int CRamDisk::truncate(int handle, long long size) {
    OpenFile* f = file(handle);
    if (!f || size < 0) return -1;
    if (f->buffer) {
        if (!f->writable) return -1;
        f->buffer->truncate(size);
        return 0;
    }
    return ::ftruncate(f->fd, static_cast<off_t>(size)) == 0 ? 0 : -1;
}

int CRamDisk::close(int handle) {
    OpenFile* f = file(handle);
    if (!f) return -1;
    int fd = f->fd;
    f->fd = -1;
    if (f->buffer) {
        // A buffered index is written back at every close of a handle (only
        // its changed pages go out); the last handle closes the descriptor.
        int flushed = f->buffer->flush();
        f->buffer.reset();
        return flushed;
    }
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
    if (auto buffer = shared_buffer(st.st_dev, st.st_ino)) return buffer->size();
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
        if (!e.directory && ::lstat(it->path().c_str(), &st) == 0) {
            auto buffer = shared_buffer(st.st_dev, st.st_ino);
            e.size = buffer ? buffer->size() : static_cast<long long>(st.st_size);
        }
        entries.push_back(std::move(e));
    }
    return entries;
}

} // namespace formwick
