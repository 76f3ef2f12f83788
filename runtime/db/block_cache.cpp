#include "runtime/db/block_cache.h"

#include "runtime/db/index_io.h"

namespace formwick {

namespace {

BlockCache cache = [] {
    BlockCache c;
    for (BlockCacheBuffer& b : c.buffers) block_set_own(b.block, -1);
    return c;
}();

BlockCacheBuffer* holding(const std::uint8_t* block) {
    for (BlockCacheBuffer& b : cache.buffers)
        if (b.block == block) return &b;
    return nullptr;
}

void write_back(BlockCacheBuffer& b, IndexDescriptor& index) {
    index_write_block(index, b.block);
    b.dirty = false;
}

} // namespace

void db_runtime_start() { cache.cleared_since_start = false; }

void block_cache_start_use() {
    if (cache.cleared_since_start) return;
    block_cache_clear();
    cache.cleared_since_start = true;
}

void block_cache_clear() {
    for (BlockCacheBuffer& b : cache.buffers) {
        b.dirty = false;
        b.handle = -1;
        block_set_own(b.block, -1);
    }
    cache.last_used = 0;
}

std::uint8_t* block_cache_get(IndexDescriptor& index, std::int32_t position) {
    for (BlockCacheBuffer& b : cache.buffers)
        if (b.handle == index.handle && block_own(b.block) == position) return b.block;

    // Take the buffer after the last used one, round-robin. A dirty buffer
    // belongs to an open index (dropped buffers are clean), so it is written
    // back through its own handle.
    int n = (cache.last_used + 1) % BLOCK_CACHE_BUFFERS;
    BlockCacheBuffer& b = cache.buffers[n];
    if (b.dirty) {
        IndexDescriptor owner;
        owner.handle = b.handle;
        write_back(b, owner);
    }
    b.handle = index.handle;
    b.dirty = false;
    block_set_own(b.block, -1);
    cache.last_used = n;
    index_read_block(index, position, b.block);
    return b.block;
}

void block_cache_mark_dirty(const std::uint8_t* block) {
    if (BlockCacheBuffer* b = holding(block)) b->dirty = true;
}

void block_cache_update(const IndexDescriptor& index, const std::uint8_t* block) {
    for (BlockCacheBuffer& b : cache.buffers)
        if (b.handle == index.handle && block_own(b.block) == block_own(block) && b.block != block) {
            std::memcpy(b.block, block, INDEX_BLOCK_SIZE);
            b.dirty = false;
        }
}

void block_cache_flush(IndexDescriptor& index) {
    for (BlockCacheBuffer& b : cache.buffers)
        if (b.handle == index.handle && b.dirty) write_back(b, index);
}

void block_cache_drop(const IndexDescriptor& index) {
    for (BlockCacheBuffer& b : cache.buffers)
        if (b.handle == index.handle) {
            b.dirty = false;
            b.handle = -1;
            block_set_own(b.block, -1);
        }
}

} // namespace formwick
