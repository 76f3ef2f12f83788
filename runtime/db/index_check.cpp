#include "runtime/db/index_check.h"

#include "runtime/db/db_internal.h"
#include "runtime/db/index_io.h"
#include "runtime/db/line_reader.h"
#include "runtime/services/terminal.h"

#include <map>
#include <memory>
#include <set>
#include <utility>

namespace formwick {

namespace {

using Key = std::pair<std::string, std::int32_t>; // key, record position

bool read_whole(const char* name, std::vector<std::uint8_t>& out) {
    int h = file_open(name, FILE_READ);
    if (h < 0) return false;
    long long size = file_seek(h, 0, FILE_SEEK_END);
    bool ok = size >= 0 && file_seek(h, 0, FILE_SEEK_SET) == 0;
    if (ok) {
        out.resize(static_cast<std::size_t>(size));
        ok = file_read(h, out.data(), size) == size;
    }
    file_close(h);
    return ok;
}

struct Checker {
    const DatabaseDescriptor& d;
    std::vector<std::uint8_t> file;
    std::vector<int> refs; // per block after the header
    std::vector<Key> entries;
    std::vector<std::string> findings;
    int levels = 1;

    void find(std::string text) { findings.push_back(std::move(text)); }

    // The block index of a position, or -1 with a finding.
    int block_number(std::int32_t pos, const char* what) {
        long long rel = static_cast<long long>(pos) - INDEX_HEADER_SIZE;
        if (pos < INDEX_HEADER_SIZE || rel % INDEX_BLOCK_SIZE != 0 ||
            rel / INDEX_BLOCK_SIZE >= static_cast<long long>(refs.size())) {
            find(std::string(what) + " " + std::to_string(pos) + " is not a block of the file");
            return -1;
        }
        return static_cast<int>(rel / INDEX_BLOCK_SIZE);
    }

    void child(std::int32_t pos, int depth) {
        int n = block_number(pos, "child");
        if (n < 0) return;
        if (++refs[static_cast<std::size_t>(n)] > 1) {
            find("block " + std::to_string(pos) + " is referenced more than once");
            return;
        }
        const std::uint8_t* b = file.data() + pos;
        if (block_own(b) != pos) find("block " + std::to_string(pos) + " carries position " + std::to_string(block_own(b)));
        walk(b, depth, pos);
    }

    void walk(const std::uint8_t* b, int depth, std::int32_t pos) {
        std::string where = "block " + std::to_string(pos);
        if (!block_sound(b)) {
            find(where + ": used bytes " + std::to_string(block_used(b)) + " not filled by whole entries");
            return;
        }
        if (depth >= levels) {
            find(where + " lies deeper than the " + std::to_string(levels) + " levels of the header");
            return;
        }
        bool leaf = depth == levels - 1;
        if (pos != 0 && block_used(b) == 0) find(where + " is empty");
        auto visit = [&](std::int32_t c) {
            if (leaf != (c == -1)) {
                find(where + (leaf ? ": a leaf entry has a child" : ": an inner entry has no child"));
                return;
            }
            if (c != -1) child(c, depth + 1);
        };
        visit(block_child(b));
        for (int off = 0; off < block_used(b);) {
            entries.emplace_back(entry_key(b, off), entry_position(b, off));
            visit(entry_child(b, off));
            off += index_entry_size(static_cast<int>(std::strlen(entry_key(b, off))));
        }
    }

    void free_list(std::int32_t head) {
        for (std::int32_t pos = head; pos != -1;) {
            int n = block_number(pos, "free block");
            if (n < 0) return;
            if (++refs[static_cast<std::size_t>(n)] > 1) {
                find("free block " + std::to_string(pos) + " is referenced more than once");
                return;
            }
            pos = get32(file.data() + pos);
        }
    }

    void order() {
        bool dup = (d.flags & DB_DUPLICATES) != 0;
        for (std::size_t i = 1; i < entries.size(); ++i) {
            int c = key_compare(entries[i - 1].first.c_str(), entries[i].first.c_str());
            if (c > 0 || (c == 0 && !dup))
                find("key \"" + entries[i].first + "\" out of order after \"" + entries[i - 1].first + "\"");
        }
    }

    void against_data() {
        int h = file_open(d.file_name, FILE_READ);
        if (h < 0) {
            find(std::string("cannot open the data file ") + d.file_name);
            return;
        }
        std::map<std::int32_t, std::string> line_keys; // keyed lines by position
        std::set<std::int32_t> starts;
        auto reader = std::make_unique<LineReader>(h);
        char line[DB_LINE_MAX + 1];
        for (;;) {
            long long start = 0;
            int n = reader->next(line, start);
            if (n == 0) break;
            if (n < 0) {
                find("data file line at " + std::to_string(start) + " cannot be read (" + std::to_string(n) + ")");
                break;
            }
            starts.insert(static_cast<std::int32_t>(start));
            line[db_cut_line(line, n)] = '\0';
            char key[INDEX_KEY_MAX + 1];
            int k = db_line_key(d, line, key);
            if (k < 0)
                find("data file line at " + std::to_string(start) + " has no key field");
            else if (k > 0 || !(d.flags & DB_SEPARATED))
                line_keys[static_cast<std::int32_t>(start)] = key;
        }
        file_close(h);

        std::set<Key> indexed(entries.begin(), entries.end());
        for (const Key& e : entries) {
            auto it = line_keys.find(e.second);
            if (!starts.count(e.second))
                find("key \"" + e.first + "\" points at " + std::to_string(e.second) + ", not the start of a line");
            else if (it == line_keys.end() || it->second != e.first)
                find("key \"" + e.first + "\" points at the line at " + std::to_string(e.second) + " with another key");
        }
        for (const auto& [pos, key] : line_keys)
            if (!indexed.count({key, pos}))
                find("line at " + std::to_string(pos) + " with key \"" + key + "\" is not indexed");
    }
};

} // namespace

// Reads the index and walks the tree and the free list.
static bool check_tree(Checker& c) {
    if (!read_whole(c.d.index_name, c.file)) {
        c.find(std::string("cannot read the index file ") + c.d.index_name);
        return false;
    }
    if (c.file.size() < static_cast<std::size_t>(INDEX_HEADER_SIZE)) {
        c.find("the index file is shorter than its header");
        return false;
    }
    std::size_t body = c.file.size() - INDEX_HEADER_SIZE;
    if (body % INDEX_BLOCK_SIZE != 0) c.find("the index file is not its header and whole blocks");
    c.refs.assign(body / INDEX_BLOCK_SIZE, 0);
    const std::uint8_t* h = c.file.data();
    c.levels = get32(h + 1028);
    if (c.levels < 1 || c.levels > INDEX_MAX_LEVELS) {
        c.find("the header's number of levels is " + std::to_string(c.levels));
        return false;
    }
    if (block_own(h) != 0) c.find("the root does not carry position 0");
    c.walk(h, 0, 0);
    c.free_list(get32(h + 1024));
    return true;
}

std::vector<std::string> index_check(const DatabaseDescriptor& d) {
    Checker c{d, {}, {}, {}, {}};
    if (!check_tree(c)) return c.findings;
    std::int32_t count = get32(c.file.data() + 1032);
    for (std::size_t i = 0; i < c.refs.size(); ++i)
        if (c.refs[i] == 0) c.find("block " + std::to_string(INDEX_HEADER_SIZE + i * INDEX_BLOCK_SIZE) + " is not referenced");
    c.order();
    if (count != static_cast<std::int32_t>(c.entries.size()))
        c.find("the header counts " + std::to_string(count) + " keys, the tree holds " + std::to_string(c.entries.size()));
    c.against_data();
    return c.findings;
}

std::vector<std::pair<std::string, std::int32_t>> index_entries(const char* index_name) {
    DatabaseDescriptor d;
    db_set_names(d, "", index_name);
    Checker c{d, {}, {}, {}, {}};
    check_tree(c);
    return c.entries;
}

} // namespace formwick
