// The simulated terminal's RAM disk: a host folder that holds the runtime's
// data, lookup, index and screen-save files.
//
// The terminal's file system ignores case, so every name resolves
// case-insensitively inside the folder: "DATA1.IDX" finds Data1.idx, and
// creating "DATA1.IDX" while Data1.idx exists reuses Data1.idx.
//
// A name is a plain file name. It is refused (-1) when it is empty, holds a
// path separator ('/' or '\\'), a drive colon, "..", or a control
// character, or is "." - so nothing outside the folder is ever read,
// written or deleted. Symbolic links are never followed.
//
// Handles are this object's own small numbers; every handle still open is
// closed when the object goes. Each handle keeps its own file position and
// transfers with positioned reads and writes, so a seek costs no system call
// (an index reads its blocks as seek + read pairs).
//
// Index files (names ending ".IDX" in any case) are buffered in memory
// while open (buffered_file.h) and written back when a handle closes;
// handles open on the same index share one buffer, and the file's size is
// reported from it. After its last handle closes, the buffer stays (a few
// at most, with their descriptors): the runtime opens and closes an index
// for every lookup and every record stored, and the next open of the same
// host file takes the buffer back without asking the operating system
// again. It does so only while the host file is the same file, unchanged
// since (inode, size, write and change times): a file replaced, written or
// removed behind the RAM disk's back is opened afresh. Every other file is written through: a write
// has reached the operating system when it returns. A file opened to be
// emptied is never truncated on the host (the file system would flush the
// old blocks at its close): an index is emptied in memory and overwritten
// at the close, another file is replaced by a new one under the same name.
#pragma once

#include "runtime/services/terminal.h"
#include "simulator/core/ramdisk/buffered_file.h"

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <sys/stat.h>
#include <sys/types.h>
#include <vector>

namespace formwick {

class CRamDisk final : public FileService {
public:
    // `buffer_indexes` off writes index files through like any other file
    // (the slow path, for comparisons).
    explicit CRamDisk(std::filesystem::path folder, bool buffer_indexes = true);
    ~CRamDisk() override;
    CRamDisk(const CRamDisk&) = delete;
    CRamDisk& operator=(const CRamDisk&) = delete;

    const std::filesystem::path& folder() const { return folder_; }

    int open(const char* name, int mode) override;
    long long read(int handle, void* buffer, long long count) override;
    long long write(int handle, const void* buffer, long long count) override;
    long long seek(int handle, long long offset, int from) override;
    int truncate(int handle, long long size) override;
    int close(int handle) override;
    int remove(const char* name) override;
    // Refused when `to` names another existing file.
    int rename(const char* from, const char* to) override;
    long long file_size(const char* name) override;
    std::vector<RamDiskEntry> list() override;

private:
    // The host path of an existing entry matching `name` in any case, and
    // its lstat() in `found` when asked.
    std::optional<std::filesystem::path> find(const std::string& name, struct stat* found = nullptr) const;
    struct OpenFile {
        int fd = -1; // -1 when the handle is free
        long long position = 0;
        std::shared_ptr<BufferedFile> buffer; // index files only
        dev_t device = 0;
        ino_t inode = 0;
        bool writable = false;
        // Index files: the host file as seen at the open, and the buffer's
        // write-backs then (the stamp holds until the buffer writes again).
        struct stat stamp{};
        long long write_backs = 0;
    };
    OpenFile* file(int handle);
    int add_handle(OpenFile opened);
    // The buffer of an index already open on the host file (device, inode).
    std::shared_ptr<BufferedFile> shared_buffer(dev_t device, ino_t inode) const;
    bool open_elsewhere(dev_t device, ino_t inode) const;

    // Index buffers whose last handle has closed, with the host file's
    // lstat() as it was then (see the top).
    struct KeptIndex {
        std::shared_ptr<BufferedFile> buffer;
        struct stat stamp{};
    };
    static constexpr std::size_t kKeptIndexes = 8;
    std::shared_ptr<BufferedFile> take_kept(const struct stat& now, bool writing);
    void keep(std::shared_ptr<BufferedFile> buffer, const OpenFile& last);
    void forget_kept(dev_t device, ino_t inode);

    std::filesystem::path folder_;
    bool buffer_indexes_;
    std::vector<OpenFile> files_;
    std::vector<KeptIndex> kept_;
};

// True for a plain RAM disk file name that cannot leave the folder.
bool ramdisk_name_valid(const char* name);

// True for the names of the files buffered in memory: index files.
bool ramdisk_name_buffered(const char* name);

} // namespace formwick
