#include "runtime/db/db_internal.h"
#include "db_fixture.h"

#include <gtest/gtest.h>

namespace formwick::test {
namespace {

struct FieldCase {
    const char* line;
    int n;
    int limit;
    int result;
    const char* value;
};

TEST(SeparatedFields, CutsFieldsByTheQuoteRules) {
    const FieldCase cases[] = {
        {"A,B,C\r\n", 0, 100, 1, "A"},
        {"A,B,C\r\n", 2, 100, 3, "C\r\n"},         // the last field keeps the line end
        {"A,,C\r\n", 1, 100, 0, ""},               // two separators in a row: an empty field
        {"A,,C\r\n", 2, 100, 3, "C\r\n"},
        {"A,,C\r\n", 2, 1, DB_FIELD_CUT, "C"},     // the limit was reached
        {"A,,C\r\n", 3, 100, -1, ""},              // no such field
        {"x,\"a,b\",z\r\n", 1, 100, 3, "a,b"},     // quoted: the separator belongs to the field
        {"x,\"a,b\",z\r\n", 2, 100, 3, "z\r\n"},
        {"\"q\"\"uo\"te,2", 0, 100, 5, "quote"},   // every quote dropped
        {"ab\"c,d\",e", 1, 100, 1, "d"},           // a quote inside a field does not protect
        {"abc", 0, 3, 3, "abc"},                   // exactly the limit is not a cut
        {"abcd", 0, 3, DB_FIELD_CUT, "abc"},
        {"", 0, 100, 0, ""},
        {"", 1, 100, -1, ""},
        {"a,b", -1, 100, -1, ""},
    };
    DatabaseDescriptor d = csv("d.txt", "d.idx");
    for (const FieldCase& c : cases) {
        SCOPED_TRACE(::testing::Message() << "line " << c.line << " field " << c.n << " limit " << c.limit);
        char buf[DB_KEY_FIELD_MAX + 1];
        EXPECT_EQ(db_get_field(d, c.n, c.line, buf, c.limit), c.result);
        EXPECT_STREQ(buf, c.value);
    }
    char buf[8];
    EXPECT_EQ(db_get_field(d, 0, nullptr, buf, 7), DB_FIELD_NO_LINE);
    DatabaseDescriptor tab = csv("d.txt", "d.idx", 0, DB_SEPARATED, '\t');
    EXPECT_EQ(db_get_field(tab, 1, "a,b\tc", buf, 7), 1);
    EXPECT_STREQ(buf, "c");
}

TEST(FixedFields, CopiesTheTableBytesAndRefusesFieldsBeyondTheLine) {
    DatabaseDescriptor d = fixed("f.txt", "f.idx", 10, {{0, 4}, {4, 4}, {6, 4}, {8, 3}});
    char buf[16];
    EXPECT_EQ(db_get_field(d, 0, "AB  0012\r\n", buf, 100), 4);
    EXPECT_STREQ(buf, "AB  "); // padding kept
    EXPECT_EQ(db_get_field(d, 1, "AB  0012\r\n", buf, 100), 4);
    EXPECT_STREQ(buf, "0012");
    EXPECT_EQ(db_get_field(d, 1, "AB  0012\r\n", buf, 2), DB_FIELD_CUT);
    EXPECT_STREQ(buf, "00");
    EXPECT_EQ(db_get_field(d, 3, "AB  0012\r\n", buf, 100), DB_WRONG_FORMAT); // 8 + 3 > 10
    EXPECT_EQ(db_get_field(d, 2, "AB  00", buf, 100), DB_WRONG_FORMAT);      // a short line
    EXPECT_EQ(db_get_field(d, 0, "", buf, 100), -1);
    EXPECT_EQ(db_get_field(d, 10, "AB  0012\r\n", buf, 100), -1);
}

TEST(LineEnds, ALineEndsAtItsFirstCrOrElseAfterItsFirstLf) {
    struct Case {
        const char* text;
        int length;
    } cases[] = {
        {"ab\r\ncd\r\n", 4}, {"ab\rcd\r\n", 3}, {"ab\ncd", 3}, {"abc", 3}, {"\r\n", 2}, {"ab\r", 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(db_cut_line(c.text, static_cast<int>(std::strlen(c.text))), c.length);
    }
}

TEST(LineKeys, AKeyFieldLongerThanTheIndexKeepsIsCutTo51) {
    DatabaseDescriptor d = csv("d.txt", "d.idx", 1);
    std::string long_key(150, 'k');
    char key[INDEX_KEY_MAX + 1];
    EXPECT_EQ(db_line_key(d, ("a," + long_key + ",c\r\n").c_str(), key), 51);
    EXPECT_EQ(std::string(key), long_key.substr(0, 51));
    EXPECT_EQ(db_line_key(d, "a,,c\r\n", key), 0);
    EXPECT_EQ(db_line_key(d, "a\r\n", key), -1);
}

TEST(LineKeys, AKeyInTheLastFieldHasNoLineEnd) {
    DatabaseDescriptor d = csv("d.txt", "d.idx", 1);
    char key[INDEX_KEY_MAX + 1];
    for (const char* line : {"a,AB\r\n", "a,AB\n", "a,AB\r", "a,AB"}) {
        EXPECT_EQ(db_line_key(d, line, key), 2) << line;
        EXPECT_STREQ(key, "AB") << line;
    }
    EXPECT_EQ(db_line_key(d, "a,\r\n", key), 0); // a line without a key
}

TEST(Messages, EveryCodeHasItsTextAndTheNameItShows) {
    struct Case {
        int code;
        const char* message;
    } cases[] = {
        {-1, "Cannot open/create database. DATA1.TXT"},  {-2, "Cannot open/create index. DATA1.IDX"},
        {-3, "Cannot read from database. DATA1.TXT"},    {-4, "Cannot write to database. DATA1.TXT"},
        {-5, "Duplicate item found in database. DATA1.TXT"},
        {-6, "search item not found in database. DATA1.TXT"},
        {-10, "Cannot read from index. DATA1.IDX"},      {-11, "Cannot write to index. DATA1.IDX"},
        {-12, "Database has wrong format. DATA1.TXT"},   {129, "File does not exist. DATA1.TXT"},
        {-101, "Database error -101. DATA1.TXT"},
    };
    static int seen_code;
    db_set_error_reporter([](int code, const char*) { seen_code = code; });
    DatabaseDescriptor d = csv("DATA1.TXT", "DATA1.IDX");
    for (const Case& c : cases) {
        db_report_failure(d, c.code);
        EXPECT_EQ(db_last_error().message, c.message);
        EXPECT_EQ(seen_code, c.code);
    }
    db_set_error_reporter(nullptr);
    EXPECT_EQ(db_error_message(-1, "ABCDEFGHIJKLMNOP"), "Cannot open/create database. ABCDEFGHIJKL");
}

} // namespace
} // namespace formwick::test
