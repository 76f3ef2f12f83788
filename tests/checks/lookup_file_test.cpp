#include "check_support.h"

#include "checks/check_definition.h"

using namespace formwick;
using namespace formwick::testing;
using nlohmann::json;

namespace {

// Lookup 1 as the example's articles: CSV separated by ";", an article
// number of 13 (the key), a description of 20 and a unit of 5.
const json kArticles = json::parse(R"([{"used": true, "fileName": "Articles.txt", "fileType": "CSV", "delimiter": ";",
                                        "fieldCount": 3, "fields": [{"maxLength": 13}, {"maxLength": 20}, {"maxLength": 5}]}])");
// Lookup 1 with fixed records of 10 bytes: a key of 4 at 0, a name of 4 at 4.
const json kFixed = json::parse(R"([{"used": true, "fileType": "Fixed", "recordSize": 10, "fieldCount": 2,
                                     "fields": [{"offset": 0, "maxLength": 4}, {"offset": 4, "maxLength": 4}]}])");

struct FileCase {
    const char* name;
    json lookup;
    std::string content;
    const char* rule; // nullptr: no finding
    int line;
};

void PrintTo(const FileCase& c, std::ostream* os) { *os << c.name; }

class LookupFile : public ::testing::TestWithParam<FileCase> {};

TEST_P(LookupFile, NamesTheFirstBadLine) {
    const FileCase& c = GetParam();
    CParameters p = changed({{"/lookups", c.lookup}});
    Findings f;
    check_lookup_file(p, 0, c.content, f);
    if (!c.rule) {
        EXPECT_TRUE(f.list.empty()) << findings_text(f);
        return;
    }
    ASSERT_EQ(f.list.size(), 1u) << findings_text(f);
    EXPECT_EQ(f.list[0].rule, c.rule);
    EXPECT_EQ(f.list[0].place, "Lookup 1 file, line " + std::to_string(c.line));
}

const std::string kGood = "8712345678906;Coffee beans 1kg;BAG\r\n8712345678913;Tea bags 100;BOX\r\n";

INSTANTIATE_TEST_SUITE_P(
    Table, LookupFile,
    ::testing::Values(FileCase{"good", kArticles, kGood, nullptr, 0},
                      FileCase{"good_without_last_line_end", kArticles, "8712345678906;Coffee;BAG", nullptr, 0},
                      FileCase{"field_missing", kArticles, kGood + "8712345678920;Sugar\r\n", "lookup-field-count", 3},
                      FileCase{"duplicate_key", kArticles, kGood + "8712345678906;Coffee again;BAG\r\n", "lookup-duplicate-key", 3},
                      FileCase{"key_too_long", kArticles, "87123456789060;Coffee;BAG\r\n" + kGood, "lookup-key-long", 1},
                      FileCase{"description_too_long", kArticles, kGood + "8712345678920;Sugar in cubes, 1000 pieces;BOX\r\n",
                               "lookup-field-long", 3},
                      FileCase{"ten_megabyte_line", kArticles, std::string(10 << 20, 'x') + "\r\n" + kGood, "lookup-line-unreadable", 1},
                      FileCase{"binary", kArticles, std::string("\x00\x01\xFF;\x80\r\n", 6), "lookup-line-unreadable", 1},
                      FileCase{"fixed_good", kFixed, "0001Tea \r\n0002Milk\r\n", nullptr, 0},
                      FileCase{"fixed_short_record", kFixed, "0001Tea \r\n0002Mil\r\n", "lookup-record-size", 2}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
