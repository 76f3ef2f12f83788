#include "runtime/db/index_io.h"
#include "db_fixture.h"

#include <random>

namespace formwick::test {
namespace {

class BadFiles : public DbTest {
protected:
    // A lookup of `n` lines "keyN,v" with its index built; returns the text.
    std::string indexed_lookup(int n) {
        std::string text;
        for (int i = 0; i < n; ++i) text += "key" + std::to_string(i) + ",v\r\n";
        put("LOOK.TXT", text);
        DatabaseHandle h;
        EXPECT_EQ(db_open(d, h), 0);
        EXPECT_EQ(db_close(h), 0);
        return text;
    }
    DatabaseDescriptor d = csv("LOOK.TXT", "LOOK.IDX");
};

TEST_F(BadFiles, EachIsRefusedWithItsCodeAndLeftAsItWas) {
    std::string garbage;
    std::mt19937 rng(5);
    for (int i = 0; i < 5000; ++i) garbage += static_cast<char>(rng());
    struct Case {
        const char* what;
        std::string text;
        int flags;
        int code;
        const char* message;
    } cases[] = {
        {"binary garbage", garbage, DB_KEYED, DB_WRONG_FORMAT, "Database has wrong format. LOOK.TXT"},
        {"a line over 1022 bytes", "a,1\r\n" + std::string(1100, 'x') + ",2\r\n", DB_KEYED, DB_WRONG_FORMAT,
         "Database has wrong format. LOOK.TXT"},
        {"no line end at the end", "a,1\r\nb,2", DB_KEYED, DB_WRONG_FORMAT, "Database has wrong format. LOOK.TXT"},
        {"a NUL in a line", std::string("a,1\r\nb\0,2\r\n", 11), DB_KEYED, DB_WRONG_FORMAT,
         "Database has wrong format. LOOK.TXT"},
        {"duplicate keys", "a,1\r\nb,2\r\na,3\r\n", DB_KEYED, DB_DUPLICATE,
         "Duplicate item found in database. LOOK.TXT"},
    };
    DatabaseHandle h;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        put("LOOK.TXT", c.text);
        DatabaseDescriptor look = csv("LOOK.TXT", "LOOK.IDX", 0, c.flags);
        int r = db_open(look, h);
        EXPECT_EQ(r, c.code);
        db_report_failure(look, r);
        EXPECT_EQ(db_last_error().message, c.message);
        EXPECT_FALSE(exists("LOOK.IDX")); // no half-built index stays
        EXPECT_EQ(get("LOOK.TXT"), c.text);
        EXPECT_EQ(h.file, -1);
    }
    // Duplicates are fine where they are allowed.
    put("LOOK.TXT", "a,1\r\nb,2\r\na,3\r\n");
    DatabaseDescriptor dup = csv("LOOK.TXT", "LOOK.IDX", 0, DB_KEYED | DB_DUPLICATES);
    ASSERT_EQ(db_open(dup, h), 0);
    EXPECT_EQ(h.index.key_count, 3);
    long long pos;
    EXPECT_EQ(db_find(h, "a", pos), 0);
    EXPECT_STREQ(db_record, "a,3\r\n"); // an added duplicate goes first
    EXPECT_EQ(db_close(h), 0);
    EXPECT_EQ(findings(dup), "");
}

TEST_F(BadFiles, AnEmptyFileOpensAndFindsNothing) {
    put("LOOK.TXT", "");
    DatabaseHandle h;
    ASSERT_EQ(db_open(d, h), 0);
    long long pos;
    EXPECT_EQ(db_find(h, "a", pos), DB_NOT_FOUND);
    db_report_failure(d, DB_NOT_FOUND);
    EXPECT_EQ(db_last_error().message, "search item not found in database. LOOK.TXT");
    EXPECT_EQ(db_close(h), 0);
    EXPECT_EQ(db_open(csv("NONE.TXT", "NONE.IDX"), h), DB_CANNOT_OPEN);
}

// Index files are disposable: any damage found on open means a rebuild, and
// damage met later gives -10 and drops the index so the next open rebuilds.
TEST_F(BadFiles, ADamagedIndexIsRebuilt) {
    std::string text = indexed_lookup(400);
    DatabaseHandle h;
    std::string good = get("LOOK.IDX");
    ASSERT_GT(good.size(), 1036u + 1024u);

    struct Damage {
        const char* what;
        std::string index;
        bool seen_on_search; // the header looks sound: only a search meets the damage
    };
    std::string header_garbage = good, block_garbage = good, cut = good.substr(0, 1000);
    for (int i = 0; i < 64; ++i) header_garbage[static_cast<std::size_t>(i)] = static_cast<char>(0xFF);
    for (std::size_t i = 1036; i < good.size(); ++i) block_garbage[i] = static_cast<char>(i * 7);
    Damage damages[] = {{"header", header_garbage, false}, {"short file", cut, false}, {"blocks", block_garbage, true}};
    for (const Damage& damage : damages) {
        SCOPED_TRACE(damage.what);
        put("LOOK.IDX", damage.index);
        ASSERT_EQ(db_open(d, h), 0);
        long long pos;
        if (damage.seen_on_search) {
            EXPECT_EQ(db_find(h, "key399", pos), DB_INDEX_READ);
            db_report_failure(d, DB_INDEX_READ);
            EXPECT_EQ(db_last_error().message, "Cannot read from index. LOOK.IDX");
            EXPECT_EQ(db_close(h), 0);
            EXPECT_FALSE(exists("LOOK.IDX"));
            ASSERT_EQ(db_open(d, h), 0);
        }
        ASSERT_EQ(db_find(h, "key399", pos), 0);
        EXPECT_EQ(db_close(h), 0);
        EXPECT_EQ(findings(d), "");
        EXPECT_EQ(get("LOOK.TXT"), text);
    }
}

TEST_F(BadFiles, TheCheckerReportsWhatIsWrong) {
    std::string text = indexed_lookup(200);
    std::string good = get("LOOK.IDX");
    ASSERT_EQ(findings(d), "");

    // A line added behind the index's back is not indexed.
    put("LOOK.TXT", text + "extra,v\r\n");
    EXPECT_NE(findings(d).find("is not indexed"), std::string::npos);
    // A line moved: the entries point into the middle of lines.
    put("LOOK.TXT", "x" + text);
    EXPECT_NE(findings(d).find("not the start of a line"), std::string::npos);
    put("LOOK.TXT", text);
    // Two keys swapped in the root.
    std::string swapped = good;
    auto* root = reinterpret_cast<std::uint8_t*>(swapped.data());
    std::swap(root[12 + 8], root[12 + 8 + 16 + 8 + 3]); // "key1.." vs the next key's last character
    put("LOOK.IDX", swapped);
    EXPECT_NE(findings(d), "");
    // An extra block nobody references, and a wrong count.
    std::string orphan = good + std::string(1024, '\0');
    put32(reinterpret_cast<std::uint8_t*>(orphan.data()) + 1032, 7);
    put("LOOK.IDX", orphan);
    std::string f = findings(d);
    EXPECT_NE(f.find("counts 7 keys"), std::string::npos) << f;
    EXPECT_NE(f.find("is not referenced"), std::string::npos) << f;
}

} // namespace
} // namespace formwick::test
