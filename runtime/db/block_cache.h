// The one block cache of the runtime, shared by every open index: eight
// 1024-byte buffers, taken round-robin (not by recent use). A buffer holds
// the block of one index file; the block's own position (its first word)
// identifies it, and -1 there marks an empty buffer. The root block is
// never cached: it lives in the index descriptor.
//
// A dirty buffer is written back only when it is taken for another block or
// its index is flushed.
#pragma once

#include "runtime/db/index.h"

#include <cstdint>

namespace formwick {

constexpr int BLOCK_CACHE_BUFFERS = 8;

struct BlockCacheBuffer {
    bool dirty = false;
    int handle = -1;
    std::uint8_t block[INDEX_BLOCK_SIZE];
};

struct BlockCache {
    BlockCacheBuffer buffers[BLOCK_CACHE_BUFFERS];
    int last_used = 0;
    bool cleared_since_start = false;
};

// The runtime calls this once at start: the next index open or create
// clears the cache.
void db_runtime_start();

// Clears the cache when it has not been cleared since the runtime started.
void block_cache_start_use();

// All buffers empty and clean.
void block_cache_clear();

// The block at `position` of the index, read through the cache (escape -10
// on a short read or a block that does not carry its own position, -11 when
// a dirty buffer cannot be written back). Valid until the next cache call.
std::uint8_t* block_cache_get(IndexDescriptor& index, std::int32_t position);

// Marks the buffer holding `block` dirty.
void block_cache_mark_dirty(const std::uint8_t* block);

// Replaces any cached copy of the block at its own position (after it was
// written straight to the file).
void block_cache_update(const IndexDescriptor& index, const std::uint8_t* block);

// Writes every dirty buffer of the index back (escape -11).
void block_cache_flush(IndexDescriptor& index);

// Empties every buffer of the index, dirty or not.
void block_cache_drop(const IndexDescriptor& index);

} // namespace formwick
