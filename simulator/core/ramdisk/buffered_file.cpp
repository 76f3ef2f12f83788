#include "simulator/core/ramdisk/buffered_file.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <sys/mman.h>
#include <sys/uio.h>
#include <unistd.h>

namespace formwick {

namespace {

// All of `count` bytes at `offset`, continuing short transfers: true, or
// false on an error or an early end.
bool read_fully(int fd, std::uint8_t* out, long long count, long long offset) {
    while (count > 0) {
        ssize_t n = ::pread(fd, out, static_cast<std::size_t>(count), static_cast<off_t>(offset));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        out += n;
        offset += n;
        count -= n;
    }
    return true;
}

bool write_fully(int fd, iovec* parts, int count, long long offset) {
    while (count > 0) {
        ssize_t n = ::pwritev(fd, parts, count, static_cast<off_t>(offset));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        offset += n;
        // Step over the parts written, and into a part written in part.
        while (count > 0 && static_cast<std::size_t>(n) >= parts->iov_len) {
            n -= static_cast<ssize_t>(parts->iov_len);
            ++parts;
            --count;
        }
        if (count > 0) {
            parts->iov_base = static_cast<char*>(parts->iov_base) + n;
            parts->iov_len -= static_cast<std::size_t>(n);
        }
    }
    return true;
}

// Chunks given back are kept for the next buffer (a few, up to 16 MiB):
// an index is opened and closed for every record stored, and a fresh 2 MiB
// block from the system costs a map, page faults and an unmap each time.
class ChunkPool {
public:
    static constexpr std::size_t kKept = 8;

    std::uint8_t* take(std::size_t size) {
        {
            std::lock_guard lock(mutex_);
            if (!free_.empty()) {
                std::uint8_t* bytes = free_.back();
                free_.pop_back();
                return bytes;
            }
        }
        // A large index is visited at random: huge pages spare the address
        // translation a miss at almost every block. Asked once per chunk.
        auto* bytes = static_cast<std::uint8_t*>(std::aligned_alloc(size, size));
        if (bytes) ::madvise(bytes, size, MADV_HUGEPAGE); // only a hint
        return bytes;
    }
    void give(std::uint8_t* bytes) {
        {
            std::lock_guard lock(mutex_);
            if (free_.size() < kKept) {
                free_.push_back(bytes);
                return;
            }
        }
        std::free(bytes);
    }
    ~ChunkPool() {
        for (std::uint8_t* bytes : free_) std::free(bytes);
    }

private:
    std::mutex mutex_;
    std::vector<std::uint8_t*> free_;
};

ChunkPool& chunk_pool() {
    static ChunkPool pool;
    return pool;
}

} // namespace

BufferedFile::~BufferedFile() { ::close(fd_); }

void BufferedFile::ChunkMemory::operator()(std::uint8_t* bytes) const { chunk_pool().give(bytes); }

std::uint8_t* BufferedFile::page(long long number, bool dirty) {
    const auto c = static_cast<std::size_t>(number / kChunkPages);
    const auto slot = static_cast<std::size_t>(number % kChunkPages);
    if (c >= chunks_.size()) chunks_.resize(c + 1);
    if (!chunks_[c]) {
        auto chunk = std::make_unique<Chunk>();
        chunk->bytes.reset(chunk_pool().take(kChunkSize));
        if (!chunk->bytes) return nullptr;
        chunks_[c] = std::move(chunk);
    }
    Chunk& chunk = *chunks_[c];
    std::uint8_t* bytes = chunk.bytes.get() + slot * kPageSize;
    if (!chunk.loaded[slot]) {
        const long long start = number * kPageSize;
        const long long from_disk = start < on_disk_ ? std::min(kPageSize, on_disk_ - start) : 0;
        if (from_disk > 0 && !read_fully(fd_, bytes, from_disk, start)) return nullptr;
        std::memset(bytes + from_disk, 0, static_cast<std::size_t>(kPageSize - from_disk));
        chunk.loaded[slot] = true;
    }
    if (dirty) {
        chunk.dirty[slot] = true;
        any_dirty_ = true;
    }
    return bytes;
}

bool BufferedFile::page_loaded(long long number) const {
    const auto c = static_cast<std::size_t>(number / kChunkPages);
    return number >= 0 && c < chunks_.size() && chunks_[c] && chunks_[c]->loaded[number % kChunkPages];
}

bool BufferedFile::page_dirty(long long number) const {
    const auto c = static_cast<std::size_t>(number / kChunkPages);
    return c < chunks_.size() && chunks_[c] && chunks_[c]->dirty[number % kChunkPages];
}

long long BufferedFile::read(long long position, void* buffer, long long count) {
    if (position < 0 || count < 0) return -1;
    if (position >= size_) return 0;
    count = std::min(count, size_ - position);
    auto* out = static_cast<std::uint8_t*>(buffer);
    for (long long done = 0; done < count;) {
        const long long at = position + done;
        const long long in_page = at % kPageSize;
        const long long n = std::min(kPageSize - in_page, count - done);
        // A page read is kept too: the buffer outlives the handles (the RAM
        // disk keeps it for the next open), so the blocks near the root of
        // an index come from memory at every later search.
        const std::uint8_t* p = page(at / kPageSize);
        if (!p) return done > 0 ? done : -1;
        std::memcpy(out + done, p + in_page, static_cast<std::size_t>(n));
        done += n;
    }
    return count;
}

long long BufferedFile::write(long long position, const void* buffer, long long count) {
    if (position < 0 || count < 0) return -1;
    const auto* in = static_cast<const std::uint8_t*>(buffer);
    for (long long done = 0; done < count;) {
        const long long at = position + done;
        std::uint8_t* p = page(at / kPageSize, true);
        if (!p) return done > 0 ? done : -1;
        const long long in_page = at % kPageSize;
        const long long n = std::min(kPageSize - in_page, count - done);
        std::memcpy(p + in_page, in + done, static_cast<std::size_t>(n));
        done += n;
        size_ = std::max(size_, at + n);
    }
    return count;
}

void BufferedFile::truncate(long long size) {
    if (size < 0) return;
    if (size < size_) {
        // Pages past the new end are forgotten; the cut-off tail of the last
        // page reads as zeros if the file grows again.
        const long long keep = (size + kPageSize - 1) / kPageSize;
        const auto keep_chunks = static_cast<std::size_t>((keep + kChunkPages - 1) / kChunkPages);
        if (chunks_.size() > keep_chunks) chunks_.resize(keep_chunks);
        if (keep_chunks > 0 && keep_chunks <= chunks_.size() && chunks_[keep_chunks - 1]) {
            Chunk& last = *chunks_[keep_chunks - 1];
            for (long long slot = keep - static_cast<long long>(keep_chunks - 1) * kChunkPages; slot < kChunkPages; ++slot)
                last.loaded[slot] = last.dirty[slot] = false;
        }
        if (size % kPageSize != 0 && page_loaded(keep - 1)) {
            std::uint8_t* p = page(keep - 1, true);
            std::memset(p + size % kPageSize, 0, static_cast<std::size_t>(kPageSize - size % kPageSize));
        }
        on_disk_ = std::min(on_disk_, size);
    }
    size_ = size;
    length_changed_ = true;
}

int BufferedFile::flush() {
    // Below on_disk_ the host file holds the content wherever a page is
    // clean; from there on it may still hold bytes of a longer past, so every
    // page there is written, zeros included.
    const long long stale_from = on_disk_;
    if (length_changed_ || any_dirty_ || stale_from < size_) ++write_backs_;
    if (length_changed_) {
        if (::ftruncate(fd_, static_cast<off_t>(size_)) != 0) return -1;
        length_changed_ = false;
    }
    if (!any_dirty_ && stale_from >= size_) {
        on_disk_ = size_;
        return 0;
    }
    auto due = [&](long long n) { return (n + 1) * kPageSize > stale_from || page_dirty(n); };
    // Runs of pages due go out in one call each.
    constexpr int kMaxParts = IOV_MAX < 256 ? IOV_MAX : 256;
    iovec parts[kMaxParts];
    const long long pages = (size_ + kPageSize - 1) / kPageSize;
    for (long long n = 0; n < pages;) {
        const auto c = static_cast<std::size_t>(n / kChunkPages);
        const long long chunk_end = (n / kChunkPages + 1) * kChunkPages;
        if ((c >= chunks_.size() || !chunks_[c]) && chunk_end * kPageSize <= stale_from) {
            n = chunk_end; // a chunk never used, below the stale part
            continue;
        }
        if (!due(n)) {
            ++n;
            continue;
        }
        const long long first = n;
        int count = 0;
        for (; n < pages && due(n) && count < kMaxParts; ++n, ++count) {
            std::uint8_t* bytes = page(n);
            if (!bytes) return -1;
            parts[count].iov_base = bytes;
            parts[count].iov_len = static_cast<std::size_t>(std::min(kPageSize, size_ - n * kPageSize));
        }
        if (!write_fully(fd_, parts, count, first * kPageSize)) return -1;
        for (long long i = first; i < n; ++i) chunks_[static_cast<std::size_t>(i / kChunkPages)]->dirty[i % kChunkPages] = false;
        on_disk_ = std::max(on_disk_, std::min(size_, n * kPageSize));
    }
    on_disk_ = size_;
    any_dirty_ = false;
    return 0;
}

} // namespace formwick
