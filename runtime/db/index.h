// Index files: a balanced multiway tree of 1024-byte blocks that maps the
// key of each record of a data file to the byte position of its line.
//
// An index is private to the terminal and disposable: it can always be
// rebuilt from its data file, and the runtime deletes every index at start.
//
// File layout. All numbers are 32-bit little-endian signed; a position is a
// byte offset in the index file, -1 meaning none.
//
//   Header, offset 0, 1036 bytes:
//     0     1024  the root block (block layout below; own position 0)
//     1024  4     position of the first free block, -1 when none
//     1028  4     number of levels (1 for a tree that is only the root)
//     1032  4     number of keys added since the index was created
//
//   Block, 1024 bytes, anywhere at or after offset 1036:
//     0     4     the block's own position (in a free block: the next one)
//     4     4     bytes of the entry area in use, 0..1012
//     8     4     child holding the keys smaller than the first entry's
//                 key; -1 in a leaf
//     12    1012  entry area: entries packed from its start
//
//   Entry, variable size:
//     0     4     child holding the keys not smaller than this key and
//                 smaller than the next entry's key; -1 in a leaf
//     4     4     position in the data file of the record's line
//     8     n+1   the key: n bytes and a NUL (n <= 51)
//   An entry takes (n + 12) rounded down to a multiple of 4 bytes: 12 for a
//   key of 3 bytes, 16 for 4, at most 60. Bytes after the NUL are undefined.
//
// Invariants: keys compare as unsigned bytes (a prefix sorts first) and are
// in order across the whole tree, strictly so unless duplicates are allowed;
// every leaf lies at depth levels-1; every entry, in a leaf or an inner
// block, refers to a record, so each key is stored once. Blocks are never
// freed by the runtime: the free list is only followed when allocating.
//
// Index read or write failures do not return through each level: they
// abandon the whole outer operation, which returns -10 (read) or -11
// (write). Called on their own, the index_* functions return those codes.
#pragma once

#include <cstdint>

namespace formwick {

constexpr int INDEX_BLOCK_SIZE = 1024;
constexpr int INDEX_HEADER_SIZE = 1036;
constexpr int INDEX_BLOCK_HEAD = 12;   // own position, used bytes, first child
constexpr int INDEX_AREA_SIZE = 1012;  // entry area of a block
constexpr int INDEX_KEY_MAX = 51;      // key characters kept in an entry
constexpr int INDEX_ENTRY_MAX = 60;
constexpr int INDEX_MAX_LEVELS = 32;

// One entry as the callers see it.
struct IndexEntry {
    std::int32_t child = -1;
    std::int32_t position = -1;
    char key[INDEX_KEY_MAX + 1] = {};
};

// Sets the entry's key, cut to 51 characters.
void index_entry_set_key(IndexEntry& entry, const char* key);

// Bytes an entry with an n-character key takes in a block.
inline int index_entry_size(int key_length) { return (key_length + 12) & ~3; }

struct IndexCursorLevel {
    std::int32_t block = 0;   // position of the block at this level (0: root)
    std::int32_t offset = -1; // current entry's offset in the entry area; -1 before the first
};

// One open index.
struct IndexDescriptor {
    int handle = -1;
    bool header_changed = false;
    int level = 0; // the cursor's current level, 0 = root
    bool duplicates = false;
    IndexCursorLevel cursor[INDEX_MAX_LEVELS];
    // The header exactly as on disk: the root block, then free list, levels, count.
    std::uint8_t root[INDEX_BLOCK_SIZE] = {};
    std::int32_t free_list = -1;
    std::int32_t levels = 1;
    std::int32_t key_count = 0;
};

// Creates (or empties) the index file with an empty root. 1, 0 when the
// file cannot be opened, -11 when the header cannot be written.
int index_create(IndexDescriptor& index, const char* name, bool duplicates);

// Opens an existing index and reads its header. 1, 0 when the file cannot
// be opened, -10 when the header cannot be read or is not sound.
int index_open(IndexDescriptor& index, const char* name, bool duplicates);

// Writes back a changed header and every dirty cached block of this index.
// 0 or -11.
int index_flush(IndexDescriptor& index);

// Flushes, drops this index's cached blocks and closes the file. 0, or -11.
int index_close(IndexDescriptor& index);

// Closes without writing anything back (after a failure).
void index_abandon(IndexDescriptor& index);

// Positions the cursor for the entry's key. 1 when an equal key exists, 0
// when not, -10/-11 on a failure.
int index_find(IndexDescriptor& index, const IndexEntry& entry, bool exact);

// Finds the entry whose key and record position both equal the given ones
// (the position only matters when duplicates are allowed, and a position of
// -1 takes the first equal key in key order); on success the entry receives
// the index's copy. 1 found, 0 not found, or -10/-11.
int index_find_exact(IndexDescriptor& index, IndexEntry& entry);

// Adds the entry (its key cut to 51 characters). 1 added, 0 when an equal
// key exists and duplicates are not allowed (nothing changes), or -10/-11.
int index_add(IndexDescriptor& index, const IndexEntry& entry);

// Counters of block transfers, for measurements.
struct IndexIoCounters {
    long long block_reads = 0;
    long long block_writes = 0;
};
IndexIoCounters& index_io_counters();

} // namespace formwick
