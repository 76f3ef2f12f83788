// A file held in the process's memory while it is open, written back to its
// host file when it is flushed. The RAM disk keeps index files this way:
// an index is rebuilt and searched in 1 KiB blocks, and handing every block
// to the operating system cost more than building the tree itself.
//
// Only disposable files may be buffered: a crash loses whatever was not
// flushed. Index files qualify, since the runtime deletes every index at
// each start and rebuilds one whose header is damaged; a crash during a
// rebuild leaves an empty or half-written index file behind, which the next
// start deletes.
//
// The content is kept in pages of kPageSize bytes: a page is read from the
// host file when it is first read or written. Pages written since the last flush are dirty;
// flush() writes them back and sets the host file's length. Pages sit in
// 2 MiB chunks that ask for huge pages, because a large index is visited at
// random and would otherwise miss the address translation cache at almost
// every block; chunks are kept for reuse by the next buffer.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace formwick {

class BufferedFile {
public:
    static constexpr long long kPageSize = 4096;

    // Over the open host file `fd` of `size` bytes, opened for reading and
    // writing or (`writable` false) for one of them; the descriptor is the
    // buffer's own from now on and is closed with it.
    BufferedFile(int fd, long long size, bool writable = true)
        : fd_(fd), writable_(writable), size_(size), on_disk_(size) {}
    ~BufferedFile();
    BufferedFile(const BufferedFile&) = delete;
    BufferedFile& operator=(const BufferedFile&) = delete;

    long long size() const { return size_; }
    int descriptor() const { return fd_; }
    bool writable() const { return writable_; }

    // Bytes read at `position` (fewer at the end), or -1 when a page cannot
    // be read from the host file.
    long long read(long long position, void* buffer, long long count);
    // Writes all of `count` bytes at `position`, the file growing as needed
    // (a gap reads as zeros); -1 when a page cannot be read first.
    long long write(long long position, const void* buffer, long long count);
    // Sets the length; bytes beyond a shorter length are gone.
    void truncate(long long size);
    // Writes the dirty pages back and sets the host file's length: 0, or -1
    // (the pages stay dirty, so a later flush tries again).
    int flush();
    // How many flushes have changed the host file so far.
    long long write_backs() const { return write_backs_; }

private:
    static constexpr long long kChunkPages = 512;
    static constexpr long long kChunkSize = kPageSize * kChunkPages; // 2 MiB
    struct ChunkMemory {
        void operator()(std::uint8_t* bytes) const;
    };
    struct Chunk {
        std::unique_ptr<std::uint8_t, ChunkMemory> bytes;
        bool loaded[kChunkPages] = {};
        bool dirty[kChunkPages] = {};
    };
    // The bytes of page `number`, read from the host file at first use (or
    // null when that read fails); `dirty` marks it changed.
    std::uint8_t* page(long long number, bool dirty = false);
    bool page_dirty(long long number) const;
    bool page_loaded(long long number) const;

    int fd_;
    bool writable_;
    long long size_;
    // Host file bytes below this are the file's content; beyond it, pages
    // not yet in memory are zeros (the file was cut, or has grown here).
    long long on_disk_;
    bool length_changed_ = false;
    bool any_dirty_ = false;
    long long write_backs_ = 0;
    std::vector<std::unique_ptr<Chunk>> chunks_;
};

} // namespace formwick
