#include "runtime/db/index_io.h"
#include "db_fixture.h"

#include <algorithm>
#include <map>
#include <random>
#include <set>

namespace formwick::test {
namespace {

class IndexTest : public DbTest {
protected:
    // Lays out a data file of lines "key,n" and returns each line's position.
    std::vector<std::int32_t> lay_out(const std::vector<std::string>& keys) {
        std::string text;
        std::vector<std::int32_t> at;
        for (std::size_t i = 0; i < keys.size(); ++i) {
            at.push_back(static_cast<std::int32_t>(text.size()));
            text += keys[i] + "," + std::to_string(i) + "\r\n";
        }
        put("d.txt", text);
        return at;
    }

    int add(IndexDescriptor& index, const std::string& key, std::int32_t position) {
        IndexEntry e;
        index_entry_set_key(e, key.c_str());
        e.position = position;
        return index_add(index, e);
    }

    std::int32_t header_word(int offset) {
        std::string h = get("d.idx");
        return get32(reinterpret_cast<const std::uint8_t*>(h.data()) + offset);
    }

    DatabaseDescriptor d = csv("d.txt", "d.idx");
};

TEST_F(IndexTest, AFreshIndexIsAnEmptyRootAndFindsNothing) {
    put("d.txt", "");
    IndexDescriptor index;
    ASSERT_EQ(index_create(index, "d.idx", false), 1);
    IndexEntry e;
    index_entry_set_key(e, "anything");
    EXPECT_EQ(index_find(index, e, false), 0);
    EXPECT_EQ(index_find_exact(index, e), 0);
    EXPECT_EQ(index_close(index), 0);
    // The RAM disk holds an index in memory until it is closed.
    EXPECT_EQ(std::filesystem::file_size(folder / "d.idx"), 1036u);
    EXPECT_EQ(header_word(0), 0);     // root's own position
    EXPECT_EQ(header_word(4), 0);     // used bytes
    EXPECT_EQ(header_word(8), -1);    // first child
    EXPECT_EQ(header_word(1024), -1); // free list
    EXPECT_EQ(header_word(1028), 1);  // levels
    EXPECT_EQ(header_word(1032), 0);  // key count
    EXPECT_EQ(findings(d), "");
    IndexDescriptor missing;
    EXPECT_EQ(index_open(missing, "none.idx", false), 0);
}

TEST_F(IndexTest, EntriesTakeTheirKeyAndNulRoundedUpToFourBytes) {
    EXPECT_EQ(index_entry_size(3), 12);
    EXPECT_EQ(index_entry_size(4), 16);
    EXPECT_EQ(index_entry_size(51), 60);
    auto at = lay_out({"abc", "abcd"});
    IndexDescriptor index;
    ASSERT_EQ(index_create(index, "d.idx", false), 1);
    EXPECT_EQ(add(index, "abc", at[0]), 1);
    EXPECT_EQ(block_used(index.root), 12);
    EXPECT_EQ(add(index, "abcd", at[1]), 1);
    EXPECT_EQ(block_used(index.root), 28);
    EXPECT_EQ(index_close(index), 0);
    EXPECT_EQ(header_word(1032), 2);
    EXPECT_EQ(findings(d), "");
}

TEST_F(IndexTest, AFullBlockTakesATwelveByteEntryAndSplitsForSixteen) {
    std::vector<std::string> keys;
    for (int i = 0; i < 50; ++i) keys.push_back("k" + std::to_string(1000000 + i)); // 8 characters: 20 bytes
    keys.push_back("zzz");
    keys.push_back("aaaa");
    auto at = lay_out(keys);
    IndexDescriptor index;
    ASSERT_EQ(index_create(index, "d.idx", false), 1);
    for (int i = 0; i < 50; ++i) ASSERT_EQ(add(index, keys[i], at[i]), 1);
    EXPECT_EQ(block_used(index.root), 1000);
    EXPECT_EQ(add(index, "zzz", at[50]), 1);
    EXPECT_EQ(block_used(index.root), 1012);
    EXPECT_EQ(index.levels, 1);
    EXPECT_EQ(add(index, "aaaa", at[51]), 1);
    EXPECT_EQ(index.levels, 2);
    EXPECT_EQ(block_used(index.root), 20); // only the entry that moved up
    EXPECT_EQ(index.key_count, 52);
    for (std::size_t i = 0; i < keys.size(); ++i) {
        IndexEntry e;
        index_entry_set_key(e, keys[i].c_str());
        ASSERT_EQ(index_find_exact(index, e), 1) << keys[i];
        EXPECT_EQ(e.position, at[i]);
    }
    EXPECT_EQ(index_close(index), 0);
    EXPECT_EQ(findings(d), "");
}

TEST_F(IndexTest, ADuplicateIsRefusedAndChangesNothing) {
    auto at = lay_out({"same", "other"});
    IndexDescriptor index;
    ASSERT_EQ(index_create(index, "d.idx", false), 1);
    ASSERT_EQ(add(index, "same", at[0]), 1);
    ASSERT_EQ(index_close(index), 0);
    std::string before = get("d.idx");
    ASSERT_EQ(index_open(index, "d.idx", false), 1);
    EXPECT_EQ(add(index, "same", at[1]), 0);
    EXPECT_EQ(index.key_count, 1);
    EXPECT_FALSE(index.header_changed);
    EXPECT_EQ(index_close(index), 0);
    EXPECT_EQ(get("d.idx"), before);
}

TEST_F(IndexTest, ADamagedHeaderIsRefusedOnOpen) {
    struct Case {
        int offset;
        std::int32_t value;
    } cases[] = {{0, 5}, {4, 1013}, {1028, 0}, {1028, 33}, {1032, -1}, {1024, 12}};
    put("d.txt", "");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.offset);
        IndexDescriptor index;
        ASSERT_EQ(index_create(index, "d.idx", false), 1);
        ASSERT_EQ(index_close(index), 0);
        std::string h = get("d.idx");
        put32(reinterpret_cast<std::uint8_t*>(h.data()) + c.offset, c.value);
        put("d.idx", h);
        EXPECT_EQ(index_open(index, "d.idx", false), -10);
        EXPECT_EQ(index.handle, -1);
    }
}

// Random orders of random keys (some longer than an index keeps, some
// repeated) go in through db_write_record; the tree must hold exactly what a
// multimap holds, in the same order, and find every record.
class RandomOrder : public IndexTest, public ::testing::WithParamInterface<std::tuple<bool, unsigned>> {};

TEST_P(RandomOrder, MatchesAMultimapAndPassesTheCheck) {
    auto [dup, seed] = GetParam();
    std::mt19937 rng(seed);
    DatabaseDescriptor desc = csv("d.txt", "d.idx", 1, DB_KEYED | (dup ? DB_DUPLICATES : 0));
    DatabaseHandle h;
    ASSERT_EQ(db_create(desc, h), 0);
    std::multimap<std::string, std::int32_t> expected;
    std::vector<std::pair<std::string, std::int32_t>> stored;
    long long end = 0;
    for (int i = 0; i < 2500; ++i) {
        std::string key;
        int length = 1 + static_cast<int>(rng() % (rng() % 8 == 0 ? 70 : 12));
        for (int c = 0; c < length; ++c) key += static_cast<char>(rng() % 4 == 0 ? 0xE9 : 'a' + rng() % 6);
        std::string line = std::to_string(i) + "," + key + ",v\r\n";
        db_record_position = -1;
        int r = write_line(h, line);
        std::string cut = key.substr(0, 51);
        bool present = expected.count(cut) > 0;
        if (!dup && present) {
            ASSERT_EQ(r, DB_DUPLICATE);
            continue;
        }
        ASSERT_EQ(r, 0) << i;
        expected.emplace(cut, static_cast<std::int32_t>(end));
        stored.emplace_back(cut, static_cast<std::int32_t>(end));
        end += static_cast<long long>(line.size());
    }
    ASSERT_EQ(h.index.key_count, static_cast<std::int32_t>(expected.size()));
    ASSERT_GE(h.index.levels, 3);
    for (auto [key, at] : stored) {
        IndexEntry e;
        index_entry_set_key(e, key.c_str());
        e.position = at;
        ASSERT_EQ(index_find_exact(h.index, e), 1) << key;
        EXPECT_EQ(e.position, at);
        if (!dup) {
            long long pos;
            ASSERT_EQ(db_find(h, key.c_str(), pos), 0);
            EXPECT_EQ(pos, at);
        }
    }
    ASSERT_EQ(db_close(h), 0);

    auto entries = index_entries("d.idx");
    ASSERT_EQ(entries.size(), expected.size());
    auto it = expected.begin();
    for (std::size_t i = 0; i < entries.size(); ++i, ++it) {
        EXPECT_EQ(entries[i].first, it->first) << i;
        // An added duplicate goes in front of the equal keys already present.
        if (i > 0 && entries[i].first == entries[i - 1].first) {
            EXPECT_LT(entries[i].second, entries[i - 1].second);
        }
    }
    std::multiset<std::pair<std::string, std::int32_t>> want(stored.begin(), stored.end()),
        got(entries.begin(), entries.end());
    EXPECT_TRUE(want == got);
    EXPECT_EQ(findings(desc), "");
}

INSTANTIATE_TEST_SUITE_P(Orders, RandomOrder,
                         ::testing::Combine(::testing::Bool(), ::testing::Values(1u, 7u, 2024u)));

// A duplicate search steps across blocks to the record position asked for.
TEST_F(IndexTest, ExactSearchStepsThroughDuplicatesAcrossBlocks) {
    std::vector<std::string> keys(400, "dup");
    for (int i = 0; i < 200; ++i) keys.push_back("k" + std::to_string(i));
    auto at = lay_out(keys);
    IndexDescriptor index;
    ASSERT_EQ(index_create(index, "d.idx", true), 1);
    for (std::size_t i = 0; i < keys.size(); ++i) ASSERT_EQ(add(index, keys[i], at[i]), 1);
    ASSERT_GE(index.levels, 2);
    for (std::size_t i = 0; i < 400; i += 37) {
        IndexEntry e;
        index_entry_set_key(e, "dup");
        e.position = at[i];
        ASSERT_EQ(index_find_exact(index, e), 1) << i;
    }
    IndexEntry none;
    index_entry_set_key(none, "dup");
    none.position = 3; // not a line start: stepping runs past the last "dup"
    EXPECT_EQ(index_find_exact(index, none), 0);
    EXPECT_EQ(index_close(index), 0);
    DatabaseDescriptor dd = csv("d.txt", "d.idx", 0, DB_KEYED | DB_DUPLICATES);
    EXPECT_EQ(findings(dd), "");
}

} // namespace
} // namespace formwick::test
