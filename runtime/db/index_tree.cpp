// The tree operations of an index: search, stepping in key order, and
// insertion with block splits and the growth of the root.
#include "runtime/db/block_cache.h"
#include "runtime/db/index_io.h"

#include <cstdint>
#include <cstring>

namespace formwick {

namespace {

struct BlockSearch {
    int smaller = -1; // offset of the last entry smaller than the key, -1 when none
    int equal = -1;   // offset of the first equal entry, -1 when none
};

// True when one of the eight bytes of `word` is zero.
bool has_zero_byte(std::uint64_t word) {
    return ((word - 0x0101010101010101ull) & ~word & 0x8080808080808080ull) != 0;
}

// Visits the entries in order and stops at the first one not smaller than
// the key. Comparing and finding each key's end are one pass over its bytes
// (this loop is most of the CPU time of a rebuild): eight bytes at a time
// while they are equal and hold no NUL, then byte by byte. The key is
// copied into a buffer padded with zeros, so those wide reads stay inside
// it; no byte past the key's NUL decides anything.
BlockSearch block_search(const std::uint8_t* b, const char* key) {
    BlockSearch s;
    int used = block_used(b);
    unsigned char wanted[INDEX_KEY_MAX + 1 + 8] = {};
    for (int i = 0; i < INDEX_KEY_MAX + 1 && key[i] != 0; ++i) wanted[i] = static_cast<unsigned char>(key[i]);
    for (int off = 0; off < used;) {
        const std::uint8_t* k = block_area(b) + off + 8;
        int room = used - off - 8 < INDEX_KEY_MAX + 1 ? used - off - 8 : INDEX_KEY_MAX + 1;
        int i = 0;
        for (; i + 8 <= room; i += 8) {
            std::uint64_t have, want;
            std::memcpy(&have, k + i, 8);
            std::memcpy(&want, wanted + i, 8);
            if (have != want || has_zero_byte(have)) break;
        }
        while (i < room && k[i] != 0 && k[i] == wanted[i]) ++i;
        if (i >= room) index_escape(-10); // a key without its NUL
        int c = static_cast<int>(k[i]) - static_cast<int>(wanted[i]);
        if (c > 0) break;
        if (c == 0) {
            s.equal = off;
            break;
        }
        s.smaller = off;
        const void* end = std::memchr(k + i, 0, static_cast<std::size_t>(room - i));
        if (!end) index_escape(-10);
        int size = index_entry_size(static_cast<int>(static_cast<const std::uint8_t*>(end) - k));
        if (off + size > used) index_escape(-10);
        off += size;
    }
    return s;
}

// The block at a level below the root, with a guard against a tree deeper
// than its header says (a damaged file could loop forever otherwise).
std::uint8_t* enter_level(IndexDescriptor& index, int level, std::int32_t position) {
    if (level >= index.levels || level >= INDEX_MAX_LEVELS) index_escape(-10);
    index.cursor[level].block = position;
    index.cursor[level].offset = -1;
    return block_cache_get(index, position);
}

void insert_into(std::uint8_t* b, int at, const IndexEntry& e) {
    int used = block_used(b);
    int size = index_entry_size(static_cast<int>(strnlen(e.key, INDEX_KEY_MAX)));
    std::uint8_t* area = block_area(b);
    std::memmove(area + at + size, area + at, static_cast<std::size_t>(used - at));
    entry_store(area + at, e);
    block_set_used(b, used + size);
}

int find_at_cursor(IndexDescriptor& index, const char* key, bool exact) {
    bool met = false;
    int level = 0;
    std::uint8_t* b = index.root;
    index.cursor[0] = IndexCursorLevel{0, -1};
    for (;;) {
        BlockSearch s = block_search(b, key);
        int take = s.smaller;
        if (s.equal >= 0) met = true;
        if (!index.duplicates && s.equal >= 0) {
            take = s.equal;
            if (exact) {
                index.cursor[level].offset = take;
                index.level = level;
                return 1;
            }
        }
        index.cursor[level].offset = take;
        std::int32_t child = take < 0 ? block_child(b) : entry_child(b, take);
        if (child == -1) break;
        b = enter_level(index, ++level, child);
    }
    if (index.levels != level + 1) index_escape(-10); // a leaf above the tree's depth
    index.level = level;
    if (index.duplicates && exact && met) {
        BlockSearch s = block_search(b, key);
        if (s.equal >= 0) index.cursor[level].offset = s.equal;
    }
    return met ? 1 : 0;
}

// Moves the cursor to the next entry in key order; false past the last.
bool step_next(IndexDescriptor& index) {
    int level = index.level;
    std::uint8_t* b = index_level_block(index, level);
    int off = index.cursor[level].offset;
    std::int32_t child = off < 0 ? block_child(b) : entry_child(b, off);
    if (child != -1) {
        b = enter_level(index, ++level, child);
        while (block_child(b) != -1) b = enter_level(index, level + 1, block_child(b)), ++level;
        if (block_used(b) == 0) index_escape(-10); // only the root may be empty
        index.cursor[level].offset = 0;
        index.level = level;
        return true;
    }
    int next = off < 0 ? 0 : off + entry_size_at(b, off);
    while (next >= block_used(b)) {
        if (level == 0) return false;
        b = index_level_block(index, --level);
        off = index.cursor[level].offset;
        next = off < 0 ? 0 : off + entry_size_at(b, off);
    }
    index.cursor[level].offset = next;
    index.level = level;
    return true;
}

// Inserts `e` after the cursor's entry at the cursor's level, splitting
// blocks upward as needed.
void insert_at_cursor(IndexDescriptor& index, const IndexEntry& added) {
    ++index.key_count;
    index.header_changed = true;
    IndexEntry up = added;
    bool split = false;
    for (int level = index.level;; --level) {
        std::uint8_t* b = index_level_block(index, level);
        int off = index.cursor[level].offset;
        int at = off < 0 ? 0 : off + entry_size_at(b, off);
        index_mark_level_dirty(index, level, b);
        int size = index_entry_size(static_cast<int>(strnlen(up.key, INDEX_KEY_MAX)));
        int used = block_used(b);
        if (used + size <= INDEX_AREA_SIZE) {
            insert_into(b, at, up);
            break;
        }

        // Split at the entry that crosses the middle: the first whose end
        // lies at or beyond half the used bytes plus 4.
        split = true;
        int half = used / 2 + 4, sp = 0;
        for (int sz; sp < used; sp += sz) {
            sz = entry_size_at(b, sp);
            if (sp + sz >= half) break;
        }
        std::uint8_t fresh[INDEX_BLOCK_SIZE];
        block_init(fresh, index_allocate_block(index));
        IndexEntry moving;
        int rest;
        if (at == sp) {
            moving = up; // the new entry itself moves up
            rest = sp;
        } else {
            entry_load(b, sp, moving);
            rest = sp + entry_size_at(b, sp);
        }
        std::memcpy(block_area(fresh), block_area(b) + rest, static_cast<std::size_t>(used - rest));
        block_set_used(fresh, used - rest);
        block_set_child(fresh, moving.child);
        block_set_used(b, sp);
        moving.child = block_own(fresh);
        if (at < sp)
            insert_into(b, at, up);
        else if (at > sp)
            insert_into(fresh, at - rest, up);
        index_write_block(index, fresh);
        block_cache_update(index, fresh);

        if (level == 0) {
            // The root split: its left half goes to a new block and the
            // tree grows by one level.
            if (index.levels >= INDEX_MAX_LEVELS) index_escape(-11);
            std::uint8_t left[INDEX_BLOCK_SIZE];
            std::memcpy(left, index.root, INDEX_BLOCK_SIZE);
            block_set_own(left, index_allocate_block(index));
            index_write_block(index, left);
            block_cache_update(index, left);
            block_init(index.root, 0);
            block_set_child(index.root, block_own(left));
            insert_into(index.root, 0, moving);
            for (int i = INDEX_MAX_LEVELS - 1; i > 0; --i) index.cursor[i] = index.cursor[i - 1];
            index.cursor[1].block = block_own(left);
            ++index.levels;
            index.header_changed = true;
            break;
        }
        up = moving;
    }
    if (split) find_at_cursor(index, added.key, false);
}

} // namespace

int index_find(IndexDescriptor& index, const IndexEntry& entry, bool exact) {
    if (index.handle < 0) return -10;
    return db_guarded([&] { return find_at_cursor(index, entry.key, exact); });
}

int index_find_exact(IndexDescriptor& index, IndexEntry& entry) {
    if (index.handle < 0) return -10;
    return db_guarded([&] {
        if (find_at_cursor(index, entry.key, true) == 0) return 0;
        for (;;) {
            int level = index.level, off = index.cursor[level].offset;
            if (off >= 0) {
                std::uint8_t* b = index_level_block(index, level);
                int c = key_compare(entry_key(b, off), entry.key);
                if (c > 0) return 0;
                if (c == 0 && (!index.duplicates || entry.position == -1 || entry_position(b, off) == entry.position)) {
                    entry_load(b, off, entry);
                    return 1;
                }
                if (!index.duplicates) return 0;
            }
            if (!step_next(index)) return 0;
        }
    });
}

int index_add(IndexDescriptor& index, const IndexEntry& entry) {
    if (index.handle < 0) return -11;
    return db_guarded([&] {
        IndexEntry e;
        e.position = entry.position;
        index_entry_set_key(e, entry.key);
        if (find_at_cursor(index, e.key, false) == 1 && !index.duplicates) return 0;
        insert_at_cursor(index, e);
        return 1;
    });
}

} // namespace formwick
