#include "simulator/core/display/glyph_tables.h"

#include <algorithm>
#include <cstdint>
#include <mutex>
#include <string_view>
#include <vector>

namespace formwick {

namespace {

// Cell pattern of `glyph` in its first `rows` rows.
std::string glyph_pattern(const FontView& font, int glyph, bool reverse, int rows) {
    std::string key;
    key.reserve(static_cast<std::size_t>(rows * font.width()));
    for (int y = 0; y < rows; ++y)
        for (int x = 0; x < font.width(); ++x) key += font.stroke(glyph, x, y) != reverse ? '1' : '0';
    return key;
}

// Candidates in order of preference, so that look-alike glyphs read as the
// likelier one: printable ASCII before the rest, normal before reverse
// (a reversed space beats the full block).
GlyphTables::Table glyph_table(const FontView& font, int rows) {
    GlyphTables::Table table;
    auto add = [&](int first, int last, bool reverse) {
        for (int g = first; g <= last; ++g) table.emplace(glyph_pattern(font, g, reverse, rows), g);
    };
    add(32, 126, false);
    add(32, 126, true);
    add(1, 31, false);
    add(127, 255, false);
    add(1, 31, true);
    add(127, 255, true);
    return table;
}

std::shared_ptr<const GlyphTables> build(const FontView& font) {
    auto tables = std::make_shared<GlyphTables>();
    tables->whole = glyph_table(font, font.height());
    if (font.height() > 1) tables->without_bottom = glyph_table(font, font.height() - 1);
    return tables;
}

// What identifies a font's tables: its glyph size and the bytes of the 256
// glyphs a narrow font can show (fewer when its image is cut short).
struct FontKey {
    int width = 0, height = 0;
    std::string_view bytes;
    std::size_t hash = 0;

    explicit FontKey(const FontView& font) : width(font.width()), height(font.height()) {
        const std::span<const std::uint8_t> all = font.glyph_bytes();
        const std::size_t used = std::min(all.size(), 256 * font.bytes_per_glyph());
        bytes = std::string_view(reinterpret_cast<const char*>(all.data()), used);
        hash = std::hash<std::string_view>{}(bytes) ^ (static_cast<std::size_t>(width) << 8 | height);
    }
};

// The kept tables. Entries hold a copy of their font's bytes, so a custom
// image freed and replaced is compared by content, never by address.
class TableCache {
public:
    std::shared_ptr<const GlyphTables> find(const FontKey& key) {
        std::lock_guard<std::mutex> lock(mutex_);
        return find_locked(key);
    }

    // Keeps `tables` unless they alone are over budget, dropping the least
    // recently used entries to make room. Another thread may have built the
    // same font meanwhile: the first one kept stays.
    std::shared_ptr<const GlyphTables> keep(const FontKey& key, std::shared_ptr<const GlyphTables> tables) {
        const std::size_t cost = key.bytes.size() + table_cost(tables->whole) + table_cost(tables->without_bottom);
        if (cost > kBudget) return tables;
        std::lock_guard<std::mutex> lock(mutex_);
        if (auto kept = find_locked(key)) return kept;
        while (!entries_.empty() && (used_ + cost > kBudget || entries_.size() >= kMostEntries)) {
            auto oldest = std::min_element(entries_.begin(), entries_.end(),
                                           [](const Entry& a, const Entry& b) { return a.last_use < b.last_use; });
            used_ -= oldest->cost;
            entries_.erase(oldest);
        }
        entries_.push_back(Entry{key.hash, key.width, key.height, std::string(key.bytes), tables, cost, ++clock_});
        used_ += cost;
        return tables;
    }

private:
    // Room for the five built-in fonts (some 600 KB) and a few custom ones;
    // a huge custom font is built on every read rather than kept.
    static constexpr std::size_t kBudget = 8u << 20;
    static constexpr std::size_t kMostEntries = 16;

    struct Entry {
        std::size_t hash;
        int width, height;
        std::string bytes;
        std::shared_ptr<const GlyphTables> tables;
        std::size_t cost;
        std::uint64_t last_use;
    };

    std::shared_ptr<const GlyphTables> find_locked(const FontKey& key) {
        for (Entry& e : entries_)
            if (e.hash == key.hash && e.width == key.width && e.height == key.height && e.bytes == key.bytes) {
                e.last_use = ++clock_;
                return e.tables;
            }
        return nullptr;
    }

    // Bytes a table takes: its patterns and, roughly, a node each.
    static std::size_t table_cost(const GlyphTables::Table& table) {
        std::size_t cost = 0;
        for (const auto& [pattern, glyph] : table) cost += pattern.size() + 64;
        return cost;
    }

    std::mutex mutex_;
    std::vector<Entry> entries_;
    std::size_t used_ = 0;
    std::uint64_t clock_ = 0;
};

TableCache& cache() {
    static TableCache instance;
    return instance;
}

} // namespace

std::shared_ptr<const GlyphTables> glyph_tables(const FontView& font) {
    const FontKey key(font);
    if (auto kept = cache().find(key)) return kept;
    // Built outside the lock: other threads go on reading the fonts kept.
    return cache().keep(key, build(font));
}

} // namespace formwick
