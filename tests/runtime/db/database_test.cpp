#include "db_fixture.h"

namespace formwick::test {
namespace {

class DatabaseTest : public DbTest {
protected:
    // A lookup of `n` lines "Knnnn,name n,price".
    std::string lookup_text(int n) {
        std::string text;
        for (int i = 0; i < n; ++i) text += "K" + std::to_string(10000 + i) + ",name " + std::to_string(i) + ",1.50\r\n";
        return text;
    }
    DatabaseDescriptor d = csv("LOOK1.TXT", "LOOK1.IDX");
};

TEST_F(DatabaseTest, OpenBuildsAMissingIndexAndFindsEveryRecord) {
    put("Look1.txt", lookup_text(500)); // another case: the RAM disk ignores it
    DatabaseHandle h;
    ASSERT_EQ(db_open(d, h), 0);
    EXPECT_TRUE(exists("LOOK1.IDX"));
    EXPECT_EQ(h.index.key_count, 500);
    long long pos;
    ASSERT_EQ(db_find(h, "K10321", pos), 0);
    EXPECT_STREQ(db_record, "K10321,name 321,1.50\r\n");
    EXPECT_EQ(db_record_position, pos);
    EXPECT_EQ(db_find(h, "K1032", pos), DB_NOT_FOUND);
    EXPECT_EQ(pos, -1);
    EXPECT_EQ(db_find(h, "", pos), DB_NOT_FOUND);
    ASSERT_EQ(db_close(h), 0);
    EXPECT_EQ(findings(d), "");
    EXPECT_EQ(db_find(h, "K10321", pos), DB_CANNOT_OPEN); // closed

    // A second open uses the index as it is.
    std::string index = get("LOOK1.IDX");
    ASSERT_EQ(db_open(d, h), 0);
    ASSERT_EQ(db_find(h, "K10499", pos), 0);
    ASSERT_EQ(db_close(h), 0);
    EXPECT_EQ(get("LOOK1.IDX"), index);
}

TEST_F(DatabaseTest, CreateEmptiesTheFileAndAppendsRecordsWithTheirKeys) {
    put("DATA1.TXT", "old contents\r\n");
    DatabaseDescriptor data = csv("DATA1.TXT", "DATA1.IDX", 1, DB_SEPARATED);
    DatabaseHandle h;
    ASSERT_EQ(db_create(data, h), 0);
    EXPECT_EQ(write_line(h, "1,alpha,x\r\n"), 0);
    EXPECT_EQ(write_line(h, "2,,x\r\n"), 0); // an empty key: stored, not indexed
    EXPECT_EQ(write_line(h, "3,beta,x\r\n"), 0);
    EXPECT_EQ(write_line(h, "4\r\n"), -1); // no key field: refused before anything is written
    EXPECT_EQ(write_line(h, "5,alpha,y\r\n"), DB_DUPLICATE);
    EXPECT_EQ(write_line(h, "6,gamma,x"), DB_WRONG_FORMAT);         // no line end
    EXPECT_EQ(write_line(h, "7,delta\rx,y\r\n"), DB_WRONG_FORMAT); // a CR inside would cut it
    EXPECT_EQ(h.index.key_count, 2);
    ASSERT_EQ(db_close(h), 0);
    EXPECT_EQ(get("DATA1.TXT"), "1,alpha,x\r\n2,,x\r\n3,beta,x\r\n");
    EXPECT_EQ(findings(data), "");

    // A file whose last line lost its line end is not appended to.
    put("DATA1.TXT", "1,alpha,x\r\n2,beta,x");
    IndexDescriptor index; // an open would refuse the file: open it by hand
    ASSERT_EQ(index_create(index, "DATA1.IDX", false), 1);
    ASSERT_EQ(index_close(index), 0);
    h = DatabaseHandle{};
    h.descriptor = data;
    h.file = file_open("DATA1.TXT", FILE_READ | FILE_WRITE);
    ASSERT_EQ(index_open(h.index, "DATA1.IDX", false), 1);
    EXPECT_EQ(write_line(h, "3,gamma,x\r\n"), DB_WRONG_FORMAT);
    EXPECT_EQ(db_close(h), 0);
    EXPECT_EQ(get("DATA1.TXT"), "1,alpha,x\r\n2,beta,x");
}

TEST_F(DatabaseTest, ReplacingWithTheSameLengthTouchesOnlyThatLine) {
    put("LOOK1.TXT", lookup_text(300));
    DatabaseHandle h;
    ASSERT_EQ(db_open(d, h), 0);
    ASSERT_EQ(db_close(h), 0);
    std::string index = get("LOOK1.IDX"), text = get("LOOK1.TXT");

    ASSERT_EQ(db_open(d, h), 0);
    long long pos;
    ASSERT_EQ(db_find(h, "K10100", pos), 0);
    EXPECT_EQ(write_line(h, "K10100,NAME 100,9.99\r\n"), 0);
    ASSERT_EQ(db_close(h), 0);
    text.replace(static_cast<std::size_t>(pos), 22, "K10100,NAME 100,9.99\r\n");
    EXPECT_EQ(get("LOOK1.TXT"), text);
    EXPECT_EQ(get("LOOK1.IDX"), index);
    EXPECT_EQ(findings(d), "");
}

TEST_F(DatabaseTest, ReplacingWithAnotherLengthMovesTheRestAndReindexes) {
    for (const char* longer : {"K10007,a much longer name than before,12.00\r\n", "K10007,n,1\r\n"}) {
        SCOPED_TRACE(longer);
        put("LOOK1.TXT", lookup_text(200));
        std::filesystem::remove(folder / "LOOK1.IDX");
        DatabaseHandle h;
        ASSERT_EQ(db_open(d, h), 0);
        long long pos;
        ASSERT_EQ(db_find(h, "K10007", pos), 0);
        std::string old = db_record;
        ASSERT_EQ(write_line(h, longer), 0);
        ASSERT_EQ(db_find(h, "K10007", pos), 0);
        EXPECT_STREQ(db_record, longer);
        ASSERT_EQ(db_find(h, "K10199", pos), 0);
        ASSERT_EQ(db_close(h), 0);
        std::string expected = lookup_text(200);
        expected.erase(expected.find(old), old.size());
        expected += longer; // the new line goes last
        EXPECT_EQ(get("LOOK1.TXT"), expected);
        EXPECT_EQ(findings(d), "");
    }
}

TEST_F(DatabaseTest, FixedPositionFiles) {
    // "KEY  " then "NN" then CR LF: 9 bytes a line.
    DatabaseDescriptor f = fixed("FIX.TXT", "FIX.IDX", 9, {{0, 5}, {5, 2}});
    put("FIX.TXT", "AA   01\r\nBB   02\r\nCC   03\r\n");
    DatabaseHandle h;
    ASSERT_EQ(db_open(f, h), 0);
    long long pos;
    ASSERT_EQ(db_find(h, "BB   ", pos), 0); // padding is part of the key
    EXPECT_EQ(pos, 9);
    EXPECT_EQ(db_find(h, "BB", pos), DB_NOT_FOUND);
    EXPECT_EQ(write_line(h, "DD   4\r\n"), DB_WRONG_FORMAT); // not the record length
    db_record_position = -1;
    EXPECT_EQ(write_line(h, "DD   04\r\n"), 0);
    ASSERT_EQ(db_close(h), 0);
    EXPECT_EQ(findings(f), "");

    put("FIX.TXT", "AA   01\r\nBB   02\r\nCC  03\r\n");
    std::filesystem::remove(folder / "FIX.IDX");
    EXPECT_EQ(db_open(f, h), DB_WRONG_FORMAT);
    db_report_failure(f, DB_WRONG_FORMAT);
    EXPECT_EQ(db_last_error().message, "Database has wrong format. FIX.TXT");
    EXPECT_FALSE(exists("FIX.IDX"));
    EXPECT_EQ(get("FIX.TXT"), "AA   01\r\nBB   02\r\nCC  03\r\n");

    // The size fits, the lines do not.
    put("FIX.TXT", "AA   01\r\nBB   0\r\n2CC   03\r\n");
    EXPECT_EQ(db_open(f, h), DB_WRONG_FORMAT);
    // An empty line ends the rebuild.
    put("FIX.TXT", "AA   01\r\n\r\n     \r\n");
    EXPECT_EQ(db_open(f, h), DB_CANNOT_OPEN);
    // A key field beyond the line is an error, not a read past it.
    DatabaseDescriptor beyond = fixed("FIX.TXT", "FIX.IDX", 9, {{6, 5}});
    put("FIX.TXT", "AA   01\r\n");
    EXPECT_EQ(db_open(beyond, h), DB_WRONG_FORMAT);
    EXPECT_EQ(db_open(fixed("NONE.TXT", "NONE.IDX", 9, {{0, 5}}), h), DB_CANNOT_OPEN);
}

TEST_F(DatabaseTest, QuotedKeysAndKeysLongerThanTheIndexKeeps) {
    std::string long_key(120, 'L');
    put("LOOK1.TXT", "\"a,b\",one\r\n" + long_key + ",two\r\n");
    DatabaseHandle h;
    ASSERT_EQ(db_open(d, h), 0);
    long long pos;
    ASSERT_EQ(db_find(h, "a,b", pos), 0);
    EXPECT_EQ(pos, 0);
    ASSERT_EQ(db_find(h, long_key.c_str(), pos), 0); // cut to 51 on both sides
    EXPECT_EQ(pos, 11);
    ASSERT_EQ(db_close(h), 0);
    EXPECT_EQ(findings(d), "");
}

// Records the screen saves and restores around a rebuild.
class ScreenLog final : public DisplayService {
public:
    DisplayState& state() override { return state_; }
    void putc(int) override {}
    void refresh() override {}
    void glyph(int) override {}
    void set_font(int) override {}
    void set_custom_font(const std::uint8_t*, std::size_t) override {}
    void line(int, int, int, int, int) override {}
    void image(int, int, ImageView) override {}
    int save(const char* name) override {
        log += std::string("save ") + name + ";";
        int h = file_open(name, FILE_WRITE | FILE_CREATE | FILE_TRUNCATE);
        return h >= 0 && file_close(h) == 0 ? 0 : -1;
    }
    int restore(const char* name) override {
        log += std::string("restore ") + name + ";";
        return 0;
    }
    std::string log;

private:
    DisplayState state_;
};

TEST_F(DatabaseTest, ARebuildKeepsTheScreenAsItWas) {
    put("LOOK1.TXT", lookup_text(20));
    ScreenLog screen;
    Terminal t;
    t.files = disk.get();
    t.display = &screen;
    services_install(t);
    DatabaseHandle h;
    ASSERT_EQ(db_open(d, h), 0); // the index is built
    ASSERT_EQ(db_reindex(h), 0);
    long long pos;
    EXPECT_EQ(db_find(h, "K10019", pos), 0);
    ASSERT_EQ(db_close(h), 0);
    EXPECT_EQ(screen.log, "save WCURS.tmp;restore WCURS.tmp;save WCURS.tmp;restore WCURS.tmp;");
    EXPECT_FALSE(exists("WCURS.tmp")); // the screen file goes again
}

} // namespace
} // namespace formwick::test
