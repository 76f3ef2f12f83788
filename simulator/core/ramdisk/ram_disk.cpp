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

std::optional<fs::path> CRamDisk::find(const std::string& name, struct stat* found) const {
    struct stat st{};
    fs::path exact = folder_ / name;
    if (::lstat(exact.c_str(), &st) == 0) {
        if (found) *found = st;
        return exact;
    }
    std::error_code ec;
    for (fs::directory_iterator it(folder_, ec), end; !ec && it != end; it.increment(ec))
        if (same_name(it->path().filename().string(), name)) {
            if (found && ::lstat(it->path().c_str(), found) != 0) *found = {};
            return it->path();
        }
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
    // A file that is not an index and is not emptied is opened at once under
    // its exact name, the usual case; only a name that is not there so is
    // looked for in any case.
    int fd = -1;
    bool bothWays = false; // an index's descriptor reads and writes
    if (!buffered && !(mode & FILE_TRUNCATE)) {
        fd = ::open((folder_ / name).c_str(), flags);
        if (fd < 0 && errno != ENOENT) return -1;
    }
    if (fd < 0) {
        std::error_code ec;
        fs::path path;
        struct stat now{};
        if (auto found = find(name, &now)) {
            path = *found;
            if (buffered)
                if (std::shared_ptr<BufferedFile> kept = take_kept(now, writing)) {
                    const long long writeBacks = kept->write_backs();
                    OpenFile reopened{kept->descriptor(), 0, std::move(kept), now.st_dev, now.st_ino, writing,
                                      now, writeBacks};
                    if (mode & FILE_TRUNCATE) reopened.buffer->truncate(0);
                    return add_handle(std::move(reopened));
                }
            // A file emptied on open is not truncated on the host: the file
            // system would write the old blocks out at the close. An index
            // keeps its host file and is emptied in memory (overwriting it
            // costs no allocation); any other file gets a new host file.
            if (buffered)
                flags &= ~O_TRUNC;
            else if ((mode & FILE_TRUNCATE) && S_ISREG(now.st_mode) && !open_elsewhere(now.st_dev, now.st_ino) &&
                     ::unlink(path.c_str()) == 0)
                flags = (flags & ~O_TRUNC) | O_CREAT | O_EXCL;
        } else {
            if (!(mode & FILE_CREATE) || !writing) return -1;
            fs::create_directories(folder_, ec);
            path = folder_ / name;
            flags |= O_CREAT;
        }
        // An index's buffer is shared by every handle open on it and writes
        // back through its own descriptor, so that one can write whenever the
        // host file allows it; a handle opened for reading still cannot.
        if (buffered) fd = ::open(path.c_str(), (flags & ~O_ACCMODE) | O_RDWR, 0644);
        bothWays = fd >= 0;
        if (fd < 0) fd = ::open(path.c_str(), flags, 0644);
        if (fd < 0) return -1;
    }
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
            opened.buffer = std::make_shared<BufferedFile>(fd, static_cast<long long>(st.st_size), bothWays);
        }
        opened.stamp = st;
        opened.write_backs = opened.buffer->write_backs();
        if (mode & FILE_TRUNCATE) opened.buffer->truncate(0);
    }
    return add_handle(std::move(opened));
}

int CRamDisk::add_handle(OpenFile opened) {
    for (std::size_t i = 0; i < files_.size(); ++i)
        if (files_[i].fd < 0) {
            files_[i] = std::move(opened);
            return static_cast<int>(i);
        }
    files_.push_back(std::move(opened));
    return static_cast<int>(files_.size() - 1);
}

namespace {

bool same_stamp(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino && a.st_size == b.st_size &&
           a.st_mtim.tv_sec == b.st_mtim.tv_sec && a.st_mtim.tv_nsec == b.st_mtim.tv_nsec &&
           a.st_ctim.tv_sec == b.st_ctim.tv_sec && a.st_ctim.tv_nsec == b.st_ctim.tv_nsec;
}

} // namespace

// The kept buffer of the host file `now` describes, if the file has not been
// touched since the buffer was kept (same inode, size, change and write
// times) and the buffer's descriptor can write when the handle will.
std::shared_ptr<BufferedFile> CRamDisk::take_kept(const struct stat& now, bool writing) {
    for (auto it = kept_.begin(); it != kept_.end(); ++it) {
        if (it->stamp.st_dev != now.st_dev || it->stamp.st_ino != now.st_ino) continue;
        std::shared_ptr<BufferedFile> buffer;
        if (same_stamp(it->stamp, now) && (!writing || it->buffer->writable())) buffer = std::move(it->buffer);
        kept_.erase(it); // taken, or stale: its pages may no longer be the file's
        return buffer;
    }
    return nullptr;
}

// Keeps the buffer of an index whose last handle, `last`, just closed
// (written back already), the oldest kept one going when there are too
// many. The host file is looked at again only if the buffer has written to
// it since that handle's open.
void CRamDisk::keep(std::shared_ptr<BufferedFile> buffer, const OpenFile& last) {
    KeptIndex kept;
    if (buffer->write_backs() == last.write_backs)
        kept.stamp = last.stamp;
    else if (::fstat(buffer->descriptor(), &kept.stamp) != 0)
        return;
    if (kept.stamp.st_nlink == 0) return; // removed: not worth keeping
    kept.buffer = std::move(buffer);
    if (kept_.size() >= kKeptIndexes) kept_.erase(kept_.begin());
    kept_.push_back(std::move(kept));
}

void CRamDisk::forget_kept(dev_t device, ino_t inode) {
    std::erase_if(kept_, [&](const KeptIndex& k) { return k.stamp.st_dev == device && k.stamp.st_ino == inode; });
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
        // its changed pages go out). After the last handle the buffer is
        // kept, with its descriptor, for the next open of the same index.
        std::shared_ptr<BufferedFile> buffer = std::move(f->buffer);
        const int flushed = buffer->flush();
        if (flushed == 0 && buffer.use_count() == 1) keep(std::move(buffer), *f);
        return flushed;
    }
    return ::close(fd) == 0 ? 0 : -1;
}

int CRamDisk::remove(const char* name) {
    if (!ramdisk_name_valid(name)) return -1;
    struct stat st{};
    auto found = find(name, &st);
    if (!found || S_ISDIR(st.st_mode)) return -1;
    if (::unlink(found->c_str()) != 0) return -1;
    forget_kept(st.st_dev, st.st_ino);
    // An index open now is not kept after its last close either.
    for (OpenFile& f : files_)
        if (f.fd >= 0 && f.device == st.st_dev && f.inode == st.st_ino) f.stamp.st_nlink = 0;
    return 0;
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
    struct stat st{};
    if (!find(name, &st) || !S_ISREG(st.st_mode)) return -1;
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
