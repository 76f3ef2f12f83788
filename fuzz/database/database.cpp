// The database layer on a hostile data file, index file and key: open,
// find, write, close, rebuild and the integrity checker. Nothing may crash
// or hang, and an index the layer builds itself must be one the checker
// finds sound.
//
// Input, in parts split at kPartSeparator:
//   0  the layout as numbers: flags key-field delimiter record-length, then
//      offset and length of each field (each mapped into the range the
//      application definition allows)
//   1  the data file
//   2  the index file (without this part there is none)
//   3  a key to find
//   4  a record line to write over the record found, or to append
#include "fuzz/common/fuzz_check.h"
#include "fuzz/common/input_parts.h"
#include "fuzz/common/memory_files.h"
#include "runtime/db/block_cache.h"
#include "runtime/db/database.h"
#include "runtime/db/index_check.h"
#include "runtime/services/terminal.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

using namespace formwick;

constexpr char kData[] = "DATA.TXT";
constexpr char kIndex[] = "DATA.IDX";

// Numbers of the layout part, each folded into [lo, hi]; missing ones are lo.
struct Numbers {
    explicit Numbers(std::string_view text) : text_(text) {}
    int next(int lo, int hi) {
        while (!text_.empty() && (text_[0] < '0' || text_[0] > '9')) text_.remove_prefix(1);
        unsigned long long v = 0;
        bool any = false;
        while (!text_.empty() && text_[0] >= '0' && text_[0] <= '9') {
            v = (v * 10 + static_cast<unsigned>(text_[0] - '0')) % 1000003;
            text_.remove_prefix(1);
            any = true;
        }
        return any ? lo + static_cast<int>(v % static_cast<unsigned long long>(hi - lo + 1)) : lo;
    }
    std::string_view text_;
};

DatabaseDescriptor layout(std::string_view text) {
    static const char separators[] = {',', ';', '|', '\t'};
    Numbers n(text);
    DatabaseDescriptor d;
    db_set_names(d, kData, kIndex);
    d.flags = static_cast<std::uint8_t>(n.next(0, 31) & (DB_SEPARATED | DB_KEYED | DB_DUPLICATES));
    d.key_field = n.next(0, DB_FIELDS - 1);
    d.separator = separators[n.next(0, 3)];
    d.record_length = n.next(2, 65535);
    for (DatabaseField& f : d.fields) {
        f.offset = static_cast<std::uint16_t>(n.next(0, 1000));
        f.length = static_cast<std::uint16_t>(n.next(0, 100));
    }
    return d;
}

void set_record(std::string_view line) {
    std::size_t n = std::min<std::size_t>(line.size(), DB_LINE_MAX);
    line.copy(db_record, n);
    db_record[n] = '\0';
}

bool sound(const DatabaseDescriptor& d) {
    std::vector<std::string> findings = index_check(d);
    for (const std::string& f : findings) std::fprintf(stderr, "index check: %s\n", f.c_str());
    return findings.empty();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<std::string_view> parts = fuzz::split_parts(data, size);
    auto part = [&](std::size_t i) { return i < parts.size() ? parts[i] : std::string_view(); };
    const DatabaseDescriptor d = layout(part(0));
    const bool has_index = parts.size() > 2;

    fuzz::MemoryFiles files;
    files.put(kData, part(1));
    if (has_index) files.put(kIndex, part(2));
    Terminal terminal;
    terminal.files = &files;
    services_install(terminal);
    db_runtime_start();
    db_record_position = -1;

    index_check(d); // on the hostile files as they are: findings, never a crash

    DatabaseHandle h;
    bool all_ok = db_open(d, h) == 0;
    if (all_ok) {
        std::string key(part(3).substr(0, 200));
        long long position = -1;
        db_find(h, key.c_str(), position);
        set_record(part(4));
        all_ok = db_write_record(h) == 0;
        all_ok = db_close(h) == 0 && all_ok;
    }
    // An index the layer built itself (there was none) and kept up to date
    // through a successful write is sound.
    if (all_ok && !has_index) FUZZ_CHECK(sound(d));

    // A rebuild that succeeds leaves a sound index.
    if (index_rebuild(d) == 0) FUZZ_CHECK(sound(d));

    services_uninstall();
    return 0;
}
