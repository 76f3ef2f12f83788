// Index files as a whole: create, open, flush and close, block transfers
// and allocation. The tree operations are in index_tree.cpp.
#include "runtime/db/block_cache.h"
#include "runtime/db/index_io.h"
#include "runtime/services/terminal.h"

namespace formwick {

namespace {

IndexIoCounters counters;
int guarded_depth = 0;

void header_pack(const IndexDescriptor& index, std::uint8_t* out) {
    std::memcpy(out, index.root, INDEX_BLOCK_SIZE);
    put32(out + 1024, index.free_list);
    put32(out + 1028, index.levels);
    put32(out + 1032, index.key_count);
}

void header_write(IndexDescriptor& index) {
    std::uint8_t header[INDEX_HEADER_SIZE];
    header_pack(index, header);
    if (file_seek(index.handle, 0, FILE_SEEK_SET) != 0 ||
        file_write(index.handle, header, INDEX_HEADER_SIZE) != INDEX_HEADER_SIZE)
        index_escape(-11);
    index.header_changed = false;
}

void reset_cursor(IndexDescriptor& index) {
    index.level = 0;
    for (IndexCursorLevel& c : index.cursor) c = IndexCursorLevel{};
}

} // namespace

IndexIoCounters& index_io_counters() { return counters; }

int db_guarded_depth_enter() { return guarded_depth++; }
void db_guarded_depth_leave() { --guarded_depth; }

void index_entry_set_key(IndexEntry& entry, const char* key) {
    std::size_t n = key ? strnlen(key, INDEX_KEY_MAX) : 0;
    if (n > 0) std::memcpy(entry.key, key, n);
    entry.key[n] = '\0';
}

void block_init(std::uint8_t* b, std::int32_t own) {
    std::memset(b, 0, INDEX_BLOCK_SIZE);
    block_set_own(b, own);
    block_set_used(b, 0);
    block_set_child(b, -1);
}

static int sound_entry_size(const std::uint8_t* b, int off) {
    int used = block_used(b);
    int room = used - off - 8;
    if (room < 1) return -1;
    const void* nul = std::memchr(entry_key(b, off), 0, static_cast<std::size_t>(room < INDEX_KEY_MAX + 1 ? room : INDEX_KEY_MAX + 1));
    if (!nul) return -1;
    int size = index_entry_size(static_cast<int>(static_cast<const char*>(nul) - entry_key(b, off)));
    return off + size <= used ? size : -1;
}

int entry_size_at(const std::uint8_t* b, int off) {
    int size = sound_entry_size(b, off);
    if (size < 0) index_escape(-10);
    return size;
}

bool block_sound(const std::uint8_t* b) {
    int used = block_used(b);
    if (used < 0 || used > INDEX_AREA_SIZE) return false;
    for (int off = 0; off < used;) {
        int size = sound_entry_size(b, off);
        if (size < 0) return false;
        off += size;
    }
    return true;
}

void entry_load(const std::uint8_t* b, int off, IndexEntry& e) {
    e.child = entry_child(b, off);
    e.position = entry_position(b, off);
    index_entry_set_key(e, entry_key(b, off));
}

int entry_store(std::uint8_t* dst, const IndexEntry& e) {
    int n = static_cast<int>(strnlen(e.key, INDEX_KEY_MAX));
    int size = index_entry_size(n);
    std::memset(dst, 0, static_cast<std::size_t>(size));
    put32(dst, e.child);
    put32(dst + 4, e.position);
    std::memcpy(dst + 8, e.key, static_cast<std::size_t>(n));
    return size;
}

void index_read_block(IndexDescriptor& index, std::int32_t position, std::uint8_t* block) {
    if (position < INDEX_HEADER_SIZE) index_escape(-10);
    ++counters.block_reads;
    if (file_seek(index.handle, position, FILE_SEEK_SET) != position ||
        file_read(index.handle, block, INDEX_BLOCK_SIZE) != INDEX_BLOCK_SIZE) {
        block_set_own(block, -1);
        index_escape(-10);
    }
    // Entries are checked one by one as they are visited (entry_size_at).
    if (block_own(block) != position || block_used(block) < 0 || block_used(block) > INDEX_AREA_SIZE) {
        block_set_own(block, -1);
        index_escape(-10);
    }
}

void index_write_block(IndexDescriptor& index, const std::uint8_t* block) {
    std::int32_t position = block_own(block);
    ++counters.block_writes;
    if (position < INDEX_HEADER_SIZE || file_seek(index.handle, position, FILE_SEEK_SET) != position ||
        file_write(index.handle, block, INDEX_BLOCK_SIZE) != INDEX_BLOCK_SIZE)
        index_escape(-11);
}

std::int32_t index_allocate_block(IndexDescriptor& index) {
    if (index.free_list != -1) {
        std::int32_t position = index.free_list;
        std::uint8_t next[4];
        if (position < INDEX_HEADER_SIZE || file_seek(index.handle, position, FILE_SEEK_SET) != position ||
            file_read(index.handle, next, 4) != 4)
            index_escape(-10);
        std::int32_t head = get32(next);
        if (head != -1 && head < INDEX_HEADER_SIZE) index_escape(-10);
        index.free_list = head;
        index.header_changed = true;
        return position;
    }
    long long end = file_seek(index.handle, 0, FILE_SEEK_END);
    if (end < INDEX_HEADER_SIZE) index_escape(end < 0 ? -10 : -11);
    // Every allocated block is written at once, so the end is always free.
    return static_cast<std::int32_t>(end);
}

std::uint8_t* index_level_block(IndexDescriptor& index, int level) {
    if (level == 0) return index.root;
    return block_cache_get(index, index.cursor[level].block);
}

void index_mark_level_dirty(IndexDescriptor& index, int level, std::uint8_t* block) {
    if (level == 0)
        index.header_changed = true;
    else
        block_cache_mark_dirty(block);
}

int index_create(IndexDescriptor& index, const char* name, bool duplicates) {
    block_cache_start_use();
    index = IndexDescriptor{};
    index.handle = file_open(name, FILE_READ | FILE_WRITE | FILE_CREATE | FILE_TRUNCATE);
    if (index.handle < 0) return 0;
    index.duplicates = duplicates;
    index.levels = 1;
    index.free_list = -1;
    index.key_count = 0;
    reset_cursor(index);
    block_init(index.root, 0);
    int r = db_catching([&] {
        header_write(index);
        return 1;
    });
    if (r != 1) index_abandon(index);
    return r;
}

int index_open(IndexDescriptor& index, const char* name, bool duplicates) {
    block_cache_start_use();
    index = IndexDescriptor{};
    index.handle = file_open(name, FILE_READ | FILE_WRITE);
    if (index.handle < 0) return 0;
    index.duplicates = duplicates;
    reset_cursor(index);
    std::uint8_t header[INDEX_HEADER_SIZE];
    bool read = file_seek(index.handle, 0, FILE_SEEK_SET) == 0 &&
                file_read(index.handle, header, INDEX_HEADER_SIZE) == INDEX_HEADER_SIZE;
    if (read) {
        std::memcpy(index.root, header, INDEX_BLOCK_SIZE);
        index.free_list = get32(header + 1024);
        index.levels = get32(header + 1028);
        index.key_count = get32(header + 1032);
    }
    bool sound = read && block_own(index.root) == 0 && block_sound(index.root) && index.levels >= 1 &&
                 index.levels <= INDEX_MAX_LEVELS && index.key_count >= 0 &&
                 (index.free_list == -1 || index.free_list >= INDEX_HEADER_SIZE) &&
                 ((index.levels == 1) == (block_child(index.root) == -1));
    if (!sound) {
        file_close(index.handle);
        index.handle = -1;
        return -10;
    }
    return 1;
}

int index_flush(IndexDescriptor& index) {
    if (index.handle < 0) return -11;
    return db_catching([&] {
        if (index.header_changed) header_write(index);
        block_cache_flush(index);
        return 0;
    });
}

int index_close(IndexDescriptor& index) {
    if (index.handle < 0) return 0;
    int r = index_flush(index);
    block_cache_drop(index);
    if (file_close(index.handle) != 0 && r == 0) r = -11;
    index.handle = -1;
    return r;
}

void index_abandon(IndexDescriptor& index) {
    if (index.handle < 0) return;
    block_cache_drop(index);
    file_close(index.handle);
    index.handle = -1;
}

} // namespace formwick
