// Inside the database layer: byte access to blocks and entries, block
// transfers, and the escape that abandons a whole database operation when
// an index block or header cannot be read (-10) or written (-11).
#pragma once

#include "runtime/db/index.h"

#include <cstdint>
#include <cstring>

namespace formwick {

// Thrown by index I/O; caught only by the outermost database operation in
// progress (see db_guarded), never outside this layer.
struct IndexEscape {
    int code;
};

[[noreturn]] inline void index_escape(int code) { throw IndexEscape{code}; }

inline std::int32_t get32(const std::uint8_t* p) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
                                     static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24);
}
inline void put32(std::uint8_t* p, std::int32_t v) {
    auto u = static_cast<std::uint32_t>(v);
    p[0] = static_cast<std::uint8_t>(u);
    p[1] = static_cast<std::uint8_t>(u >> 8);
    p[2] = static_cast<std::uint8_t>(u >> 16);
    p[3] = static_cast<std::uint8_t>(u >> 24);
}

// Block fields.
inline std::int32_t block_own(const std::uint8_t* b) { return get32(b); }
inline std::int32_t block_used(const std::uint8_t* b) { return get32(b + 4); }
inline std::int32_t block_child(const std::uint8_t* b) { return get32(b + 8); }
inline std::uint8_t* block_area(std::uint8_t* b) { return b + INDEX_BLOCK_HEAD; }
inline const std::uint8_t* block_area(const std::uint8_t* b) { return b + INDEX_BLOCK_HEAD; }
inline void block_set_own(std::uint8_t* b, std::int32_t v) { put32(b, v); }
inline void block_set_used(std::uint8_t* b, std::int32_t v) { put32(b + 4, v); }
inline void block_set_child(std::uint8_t* b, std::int32_t v) { put32(b + 8, v); }
void block_init(std::uint8_t* b, std::int32_t own);

// Entry fields at `off` in a block's entry area.
inline std::int32_t entry_child(const std::uint8_t* b, int off) { return get32(block_area(b) + off); }
inline std::int32_t entry_position(const std::uint8_t* b, int off) { return get32(block_area(b) + off + 4); }
inline const char* entry_key(const std::uint8_t* b, int off) {
    return reinterpret_cast<const char*>(block_area(b) + off + 8);
}
inline void entry_set_child(std::uint8_t* b, int off, std::int32_t v) { put32(block_area(b) + off, v); }

// The size of the entry at `off`; escape -10 when the block is not sound
// (a key without its NUL inside the used bytes, or longer than 51).
int entry_size_at(const std::uint8_t* b, int off);

// Copies the entry at `off` out of the block.
void entry_load(const std::uint8_t* b, int off, IndexEntry& e);

// Packs `e` into `dst`; returns its size.
int entry_store(std::uint8_t* dst, const IndexEntry& e);

// Unsigned byte comparison, a prefix first.
inline int key_compare(const char* a, const char* b) {
    return std::strcmp(a, b); // strcmp compares as unsigned char
}

// True when a block's head and entries are sound.
bool block_sound(const std::uint8_t* b);

// The block at `position` straight from the file into `block` (escape -10).
void index_read_block(IndexDescriptor& index, std::int32_t position, std::uint8_t* block);

// The block at its own position straight to the file (escape -11).
void index_write_block(IndexDescriptor& index, const std::uint8_t* block);

// A new block position: the free list's head, or the end of the file.
std::int32_t index_allocate_block(IndexDescriptor& index);

// The block at a cursor level: the root at level 0, else through the cache.
std::uint8_t* index_level_block(IndexDescriptor& index, int level);
void index_mark_level_dirty(IndexDescriptor& index, int level, std::uint8_t* block);

// Runs `op` as a database operation: the outermost one in progress catches
// the index escape and returns its code; inner ones let it pass.
int db_guarded_depth_enter();
void db_guarded_depth_leave();

template <class Op> int db_guarded(Op op) {
    bool outermost = db_guarded_depth_enter() == 0;
    struct Leave {
        ~Leave() { db_guarded_depth_leave(); }
    } leave;
    if (!outermost) return op();
    try {
        return op();
    } catch (const IndexEscape& e) {
        return e.code;
    }
}

// Runs `op` and always turns the escape into its code: for operations that
// must clean up after themselves whatever happens inside.
template <class Op> int db_catching(Op op) {
    try {
        return op();
    } catch (const IndexEscape& e) {
        return e.code;
    }
}

} // namespace formwick
