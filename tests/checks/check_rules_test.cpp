#include "check_support.h"

#include "checks/check_definition.h"

using namespace formwick;
using namespace formwick::testing;
using nlohmann::json;

namespace {

// Each rule with a change of the clean definition that trips it (a finding
// at `place`) and a close change that does not (no finding of the rule).
struct RuleCase {
    const char* rule;
    const char* place;
    json trips;
    json passes;
};

void PrintTo(const RuleCase& c, std::ostream* os) { *os << c.rule << " at " << c.place; }

bool has(const Findings& f, const std::string& rule, const std::string& place) {
    for (const Finding& x : f.list)
        if (x.rule == rule && x.place == place) return true;
    return false;
}

std::string listed(const Findings& f) { return findings_text(f); }

class Rule : public ::testing::TestWithParam<RuleCase> {};

TEST_P(Rule, TripsOnItsFixtureAndNotOnTheMendedOne) {
    const RuleCase& c = GetParam();
    Findings tripped = check_definition(changed(c.trips));
    EXPECT_TRUE(has(tripped, c.rule, c.place)) << listed(tripped);
    for (const Finding& f : tripped.list) {
        EXPECT_FALSE(f.terminal.empty());
        EXPECT_FALSE(f.fix.empty());
    }
    Findings mended = check_definition(changed(c.passes));
    for (const Finding& f : mended.list) EXPECT_NE(f.rule, c.rule) << listed(mended);
}

const json kArticleLine = {{"dataType", "Text"}, {"prompt", "Name:"}, {"minimum", 1}, {"maximum", 8}, {"variable", "Var 1"}};
const json kCsvLookup = json::parse(R"([{"used": true, "fileType": "CSV", "fields": [{"maxLength": 8}]}])");
const json kDoneForm = json::parse(R"({"clrTarget": "Main menu", "lines": [{"dataType": "Pause", "prompt": "Done"}]})");
const json kStoreOnly = json::parse(R"({"fieldCount": 1, "fields": [{"variable1": "Var 1", "fieldSize": 8}]})");

json nine_lines() {
    json lines = json::array({kArticleLine});
    for (int i = 1; i < 8; ++i) lines.push_back(json::object());
    lines.push_back({{"dataType", "Pause"}, {"prompt", "End"}});
    return lines;
}

INSTANTIATE_TEST_SUITE_P(
    Table, Rule,
    ::testing::Values(
        RuleCase{"record-length", "Data 1", {{"/dataFiles/0/recordLength", 9}}, {{"/dataFiles/0/recordLength", 10}}},
        RuleCase{"record-length", "Data 1, field 1", {{"/dataFiles/0/fields/0/alignment", "Variable size"}},
                 {{"/dataFiles/0/fields/0/alignment", "Variable size"}, {"/dataFiles/0/fixedSize", false}}},
        RuleCase{"save-no-fields", "Form 1", {{"/forms/0/saveDataFile", "Data 2"}},
                 {{"/forms/0/saveDataFile", "Data 2"}, {"/dataFiles/1", kStoreOnly}}},
        RuleCase{"search-unusable", "Form 1, line 1", {{"/forms/0/lines/0/lookupSource", "Lookup 1"}},
                 {{"/forms/0/lines/0/lookupSource", "Lookup 1"}, {"/lookups", kCsvLookup}}},
        RuleCase{"search-unusable", "Form 1, line 1", {{"/forms/0/lines/0/lookupSource", "Data 1"}},
                 {{"/forms/0/lines/0/lookupSource", "Data 1"}, {"/dataFiles/0/storageMode", "Update record (sorted)"}}},
        RuleCase{"key-never-matches", "Form 1, line 1", {{"/forms/0/lines/0/lookupSource", "Lookup 1"}, {"/lookups", kCsvLookup}},
                 {{"/forms/0/lines/0/lookupSource", "Lookup 1"}, {"/lookups", kCsvLookup},
                  {"/forms/0/lines/0/more/alignment", "Variable size"}}},
        RuleCase{"key-never-matches", "Form 1, line 1",
                 {{"/forms/0/lines/0/lookupSource", "Lookup 1"}, {"/forms/0/lines/0/minimum", 6},
                  {"/lookups", json::parse(R"([{"used": true, "recordSize": 10, "fields": [{"maxLength": 4}]}])")}},
                 {{"/forms/0/lines/0/lookupSource", "Lookup 1"}, {"/forms/0/lines/0/minimum", 6},
                  {"/lookups", json::parse(R"([{"used": true, "recordSize": 10, "fields": [{"maxLength": 8}]}])")}}},
        RuleCase{"min-above-max", "Form 1, line 1", {{"/forms/0/lines/0/minimum", 9}}, {{"/forms/0/lines/0/minimum", 8}}},
        RuleCase{"ignored-setting", "Form 1, line 2", {{"/forms/0/lines/1", {{"dataType", "Lookup"}, {"variable", "Var 1"}}}},
                 {{"/forms/0/lines/1", json::parse(R"({"dataType": "Lookup", "variable": "Var 1", "lookupSource": "Data 1",
                                                       "more": {"matchDisplayField": "Data 1-1"}})")},
                  {"/dataFiles/0/storageMode", "Update record (sorted)"}}},
        RuleCase{"ignored-setting", "Form 1, line 1", {{"/forms/0/lines/0/variable", "Nil"}}, {{"/forms/0/lines/0/variable", "Var 1"}}},
        RuleCase{"hidden-line", "Form 1, line 9", {{"/forms/0/lines", nine_lines()}},
                 {{"/forms/0/lines", nine_lines()}, {"/forms/0/font", "Medium"}}},
        RuleCase{"empty-screen", "Form 1, next", {{"/forms/0/nextTarget", "Form 2"}},
                 {{"/forms/0/nextTarget", "Form 2"}, {"/forms/1", kDoneForm}}},
        RuleCase{"empty-screen", "Menu 1, item 1",
                 {{"/startup/startTarget", "Menu 1"}, {"/menus", json::parse(R"([{"items": [{"name": "Count", "next": "Form 3"}]}])")}},
                 {{"/startup/startTarget", "Menu 1"}, {"/menus", json::parse(R"([{"items": [{"name": "Count", "next": "Form 1"}]}])")}}},
        RuleCase{"unreachable", "Form 2", {{"/forms/1", kDoneForm}}, {{"/forms/1", kDoneForm}, {"/forms/0/nextTarget", "Form 2"}}},
        RuleCase{"no-way-back", "Start-up", {{"/forms/0/clrTarget", "Form 1"}}, {{"/forms/0/clrTarget", "Main menu"}}},
        RuleCase{"read-before-write", "Data 1, field 1", {{"/dataFiles/0/fields/0/variable2", "Var 5"}},
                 {{"/dataFiles/0/fields/0/variable2", "Var 1"}}},
        RuleCase{"read-before-write", "Form 1, line 2", {{"/forms/0/lines/1", {{"dataType", "Fixed"}, {"variable", "Var 7"}}}},
                 {{"/forms/0/lines/1", {{"dataType", "Fixed"}, {"variable", "Var 1"}}}}},
        RuleCase{"text-cut", "Form 1, line 1", {{"/forms/0/lines/0/prompt", "Name of the article:"}},
                 {{"/forms/0/lines/0/prompt", "Article name:"}}},
        RuleCase{"text-cut", "Menu 1, item 1",
                 {{"/startup/startTarget", "Menu 1"},
                  {"/menus", json::parse(R"([{"items": [{"name": "Count all the stock", "next": "Form 1"}]}])")}},
                 {{"/startup/startTarget", "Menu 1"}, {"/menus", json::parse(R"([{"items": [{"name": "Count stock", "next": "Form 1"}]}])")}}},
        RuleCase{"text-cut", "Start-up, splash line 9", {{"/startup/splashLines", {"", "", "", "", "", "", "", "", "Line nine"}}},
                 {{"/startup/splashLines", {"", "", "", "", "", "", "", "", "Line nine"}}, {"/startup/splashFont", "Medium"}}},
        RuleCase{"text-cut", "Language, message 1",
                 {{"/language/messageTexts", {"Die Datei ist schon offen, bitte schliessen Sie sie zuerst und versuchen Sie es noch einmal"}}},
                 {{"/language/messageTexts", {"Datei offen!"}}}},
        RuleCase{"glyph-missing", "Form 1, line 1", {{"/forms/0/lines/0/prompt", "\u010C\u00EDslo:"}},
                 {{"/forms/0/lines/0/prompt", "Gr\u00F6\u00DFe:"}}}),
    [](const auto& info) {
        std::string name = std::to_string(info.index) + "_";
        for (const char* p = info.param.rule; *p; ++p) name += std::isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
        return name;
    });

// A definition file cannot hold a translation the application file drops
// (the reader refuses it), so this one is made in memory, as an editor would.
TEST(CheckDefinition, ATranslationBeyondTheKeptSlotsIsReported) {
    for (auto [slot, lost] : {std::pair{33, true}, {32, false}}) {
        CParameters p = changed(json::object());
        p.language.setMessageText(slot, u"x");
        Findings f = check_definition(p);
        EXPECT_EQ(has(f, "translation-lost", "Language, message " + std::to_string(slot + 1)), lost) << listed(f);
    }
}

TEST(CheckDefinition, TheCleanDefinitionHasNoFindings) {
    Findings f = check_definition(changed(json::object()));
    EXPECT_TRUE(f.list.empty()) << findings_text(f);
}

TEST(CheckDefinition, ErrorsAndWarningsAreCountedAndWrittenForTools) {
    Findings f = check_definition(changed({{"/dataFiles/0/recordLength", 9}, {"/dataFiles/0/fields/0/variable2", "Var 5"}}));
    EXPECT_EQ(f.errors(), 1);
    EXPECT_EQ(f.warnings(), 1);
    json j = json::parse(findings_json(f));
    EXPECT_EQ(j["errors"], 1);
    ASSERT_EQ(j["findings"].size(), 2u);
    EXPECT_EQ(j["findings"][0]["rule"], "record-length");
    EXPECT_EQ(j["findings"][0]["severity"], "error");
    EXPECT_EQ(j["findings"][0]["place"], "Data 1");
    EXPECT_NE(findings_text(f).find("Data 1: error [record-length]"), std::string::npos);
}

} // namespace
