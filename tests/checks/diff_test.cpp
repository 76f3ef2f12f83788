#include "check_support.h"

#include "checks/definition_diff.h"

using namespace formwick;
using namespace formwick::testing;
using nlohmann::json;

namespace {

DefinitionDiff diff(const json& a, const json& b) {
    ThrowingSink sink;
    std::optional<DefinitionDiff> d = diff_definitions(changed(a), changed(b), sink);
    EXPECT_TRUE(d.has_value());
    return d.value_or(DefinitionDiff{});
}

TEST(DefinitionDiff, TheSameDefinitionHasNoDifferences) {
    DefinitionDiff d = diff(json::object(), json::object());
    EXPECT_TRUE(d.same());
    EXPECT_EQ(diff_text(d), "same definition\n");
}

TEST(DefinitionDiff, EachDifferenceIsOneLineInTheUsersWordsGroupedByPage) {
    DefinitionDiff d = diff({{"/forms/0/lines/0/prompt", "Article:"}, {"/language/messageTexts", {"", "", "Fehler"}}},
                            {{"/forms/0/lines/0/prompt", "Item:"}, {"/forms/0/lines/0/dataType", "Aplha"},
                             {"/forms/0/clrTarget", "Form 1"}});
    EXPECT_EQ(diff_text(d), "Forms\n"
                            "  Form 1, CLR target: \"Main menu\" -> \"Form 1\"\n"
                            "  Form 1, line 1, data type: \"Text\" -> \"Aplha\"\n"
                            "  Form 1, line 1, prompt: \"Article:\" -> \"Item:\"\n"
                            "Language\n"
                            "  Language, used: true -> false\n"
                            "  Language, message 3: \"Fehler\" -> \"\"\n");
    EXPECT_TRUE(d.breakages.empty());
}

// Which changes break the files already on terminals.
struct BreakCase {
    const char* name;
    json before, after;
    const char* file; // nullptr: nothing breaks
    bool data;
};

void PrintTo(const BreakCase& c, std::ostream* os) { *os << c.name; }

class Breaks : public ::testing::TestWithParam<BreakCase> {};

TEST_P(Breaks, AreFlaggedWithTheFile) {
    const BreakCase& c = GetParam();
    DefinitionDiff d = diff(c.before, c.after);
    EXPECT_FALSE(d.same());
    if (!c.file) {
        EXPECT_TRUE(d.breakages.empty()) << diff_text(d);
        return;
    }
    ASSERT_EQ(d.breakages.size(), 1u) << diff_text(d);
    EXPECT_EQ(d.breakages[0].place, c.file);
    EXPECT_EQ(d.breakages[0].data, c.data);
    json j = json::parse(diff_json(d));
    EXPECT_EQ(j["breaks"][0]["file"], c.file);
}

// Data 1's one used field, then five unused ones, the last of size 9.
json six_fields() {
    json fields = json::array({{{"variable1", "Var 1"}, {"fieldSize", 8}}});
    for (int i = 0; i < 4; ++i) fields.push_back(json::object());
    fields.push_back({{"fieldSize", 9}});
    return fields;
}

const json kLookup = json::parse(R"([{"used": true, "fileType": "CSV", "fields": [{"maxLength": 8}]}])");
const json kLookupWider = json::parse(R"([{"used": true, "fileType": "CSV", "fields": [{"maxLength": 9}]}])");

INSTANTIATE_TEST_SUITE_P(
    Table, Breaks,
    ::testing::Values(
        BreakCase{"field_size", json::object(), {{"/dataFiles/0/fields/0/fieldSize", 9}}, "Data 1 (Data1.txt)", true},
        BreakCase{"delimiter", json::object(), {{"/dataFiles/0/useDelimiter", true}}, "Data 1 (Data1.txt)", true},
        BreakCase{"date_added", json::object(), {{"/dataFiles/0/addDate", true}}, "Data 1 (Data1.txt)", true},
        BreakCase{"file_renamed", json::object(), {{"/dataFiles/0/fileName", "Names.txt"}}, "Data 1 (Data1.txt)", true},
        BreakCase{"unused_field", json::object(), {{"/dataFiles/0/fields", six_fields()}}, nullptr, true},
        BreakCase{"field_variable", json::object(), {{"/dataFiles/0/fields/0/variable1", "Var 2"}}, nullptr, true},
        BreakCase{"lookup_key_length", {{"/lookups", kLookup}}, {{"/lookups", kLookupWider}}, "Lookup 1 (Lookup1.txt)", false},
        BreakCase{"prompt_only", json::object(), {{"/forms/0/lines/0/prompt", "Who:"}}, nullptr, true}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
