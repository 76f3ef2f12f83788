#include "full_definition.h"
#include "test_support.h"

#include "model/choice_names.h"
#include "appfile/value_ranges.h"
#include "model/field_refs.h"

#include <nlohmann/json.hpp>

using namespace formwick;
using namespace formwick::testing;
using nlohmann::json;

namespace {

bool from_json(const std::string& text, CParameters& p, std::vector<std::string>* messages = nullptr) {
    CollectingSink sink;
    bool ok = definition_from_json(text, p, sink);
    if (messages) *messages = sink.messages;
    return ok;
}

TEST(DefinitionJson, CanonicalTextComesBackIdentical) {
    for (const CParameters& original : {CParameters{}, full_definition()}) {
        std::string text = json_of(original);
        CParameters p;
        ASSERT_TRUE(from_json(text, p));
        EXPECT_TRUE(json_of(p) == text);
    }
}

TEST(DefinitionJson, ApplicationFileThroughJsonRebuildsByteIdentical) {
    TempDir dir;
    build_file(full_definition(), dir / "a.HIX");
    CParameters loaded;
    CollectingSink sink;
    ASSERT_TRUE(CBuildApplication(dir / "a.HIX", sink).load(loaded));
    CParameters p;
    ASSERT_TRUE(from_json(json_of(loaded), p));
    build_file(p, dir / "b.HIX");
    EXPECT_TRUE(read_file(dir / "a.HIX") == read_file(dir / "b.HIX"));
}

TEST(DefinitionJson, AbsentKeysAndEntriesKeepTheDefaultsOfTheirPlace) {
    CParameters p = full_definition();
    ASSERT_TRUE(from_json(R"({"format": "Formwick application definition", "version": 1,
                             "forms": [{"font": 1}, {}, {"lines": [{"prompt": "Qty"}]}]})",
                          p));
    CParameters expected;
    expected.forms[0].font = 1;
    set_text_bytes(expected.forms[2].lines[0].prompt, "Qty");
    EXPECT_TRUE(same_definition(p, expected));
    EXPECT_EQ(p.forms[5].nextTarget, 6);
    EXPECT_EQ(get_wide(p.lookups[2].fileName), u"Lookup3.txt");
}

TEST(DefinitionJson, LanguageWithoutUsedKeyIsUsedWhenItHoldsTexts) {
    CParameters p;
    ASSERT_TRUE(from_json(R"({"format": "Formwick application definition", "version": 1,
                             "language": {"messageTexts": ["", "Fehler"]}})",
                          p));
    EXPECT_EQ(p.language.used, 1);
    EXPECT_EQ(p.language.messageText(1), u"Fehler");
}

TEST(DefinitionJson, PicturesAndFontRoundTripAsRowsAndBase64) {
    CParameters p;
    p.startup.splashImage[0] = 12; // 2 bytes per row
    p.startup.splashImage[1] = 2;
    p.startup.splashImage[2] = 0xAB;
    p.startup.splashImage[5] = 0x10;
    ASSERT_TRUE(p.startup.setCustomFont({16, 8, 1, 2, 3}));
    json j = json::parse(json_of(p));
    EXPECT_EQ(j["startup"]["splashImage"], json::parse(R"({"width": 12, "height": 2, "rows": ["AB00", "0010"]})"));
    EXPECT_EQ(j["startup"]["customFont"], "EAgBAgM=");
    EXPECT_EQ(j["startup"]["glyphHeight"], 16);
    EXPECT_EQ(j["startup"]["menuImages"][0], nullptr);
}

TEST(DefinitionJson, TextsThatAreNotUtf8CannotBeWritten) {
    CParameters p;
    set_text_bytes(p.menus[3].header, "caf\xE9");
    CollectingSink sink;
    std::string text;
    EXPECT_FALSE(definition_to_json(p, text, sink));
    EXPECT_EQ(sink.messages, std::vector<std::string>{"menus[3].header: the text is not valid UTF-8"});
}

TEST(DefinitionJson, SyntaxErrorsNameTheirPlace) {
    CParameters p;
    std::vector<std::string> messages;
    EXPECT_FALSE(from_json("{\n  \"version\": 1,\n  oops\n}", p, &messages));
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages[0].starts_with("Not valid JSON: parse error at line 3, column 3")) << messages[0];
}

TEST(DefinitionJson, NumbersBeyondADoubleAreRefusedWithTheirPlace) {
    struct Case {
        const char* text;
        const char* message;
    } cases[] = {
        {R"({"a":1e999})", "Not valid JSON: number out of range at line 1, column 6: 1e999"},
        {"{\n  \"format\": \"Formwick application definition\",\n  \"barcode\": {\"readTimeout\": -1e400}\n}",
         "Not valid JSON: number out of range at line 3, column 30: -1e400"},
        {"[1, 2, 1.5e308, 2e308]", "Not valid JSON: number out of range at line 1, column 17: 2e308"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        CParameters p = full_definition();
        std::vector<std::string> messages;
        EXPECT_FALSE(from_json(c.text, p, &messages));
        EXPECT_EQ(messages, std::vector<std::string>{c.message});
        EXPECT_TRUE(same_definition(p, full_definition()));
    }
}

// An application file holds translated texts only while they are used, and
// only in the slots the runtime shows: the reader refuses any other text
// rather than let a build drop it.
TEST(DefinitionJson, TranslatedTextsAFileCannotKeepAreRefused) {
    const std::string head = R"({"format": "Formwick application definition", "version": 1, "language": )";
    struct Case {
        const char* language;
        const char* message;
    } cases[] = {
        {R"({"used": false, "menuTexts": ["Eingabe"]})",
         "language.menuTexts[0]: a translated text while \"used\" is false; an application file keeps translated "
         "texts only when they are used"},
        {R"({"used": false, "messageTexts": ["", "", "Fehler"]})",
         "language.messageTexts[2]: a translated text while \"used\" is false; an application file keeps "
         "translated texts only when they are used"},
        {R"({"menuTexts": ["", "", "", "", "", "", "", "", "", "", "", "", "Dreizehn"]})",
         "language.menuTexts[12]: an application file keeps only the first 12 menu texts"},
        {R"({"used": true, "stringTexts": ["", "", "", "", "", "", "", "Acht"]})",
         "language.stringTexts[7]: an application file keeps only the first 7 strings"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.language);
        CParameters p;
        std::vector<std::string> messages;
        EXPECT_FALSE(from_json(head + c.language + "}", p, &messages));
        EXPECT_EQ(messages, std::vector<std::string>{c.message});
    }

    // What is accepted survives a build and a load; "used" with no text
    // reads back as not used, which shows the same built-in texts.
    TempDir dir;
    for (const char* language : {R"({"used": true, "menuTexts": ["Eingabe"], "messageTexts": [], "stringTexts": ["", "", "", "", "", "", "Passwort"]})",
                                 R"({"used": false, "menuTexts": ["", ""]})"}) {
        SCOPED_TRACE(language);
        CParameters p;
        ASSERT_TRUE(from_json(head + language + "}", p));
        build_file(p, dir / "t.HIX");
        CParameters loaded;
        CollectingSink sink;
        ASSERT_TRUE(CBuildApplication(dir / "t.HIX", sink).load(loaded));
        EXPECT_TRUE(same_definition(loaded, p));
    }
}

// Each row changes one place of a valid definition; the reader must refuse
// it with the path and leave the target definition as it was.
struct BadPlace {
    const char* pointer;
    json value;
    std::string message;
};

void PrintTo(const BadPlace& b, std::ostream* os) { *os << b.pointer; }

class BadJson : public ::testing::TestWithParam<BadPlace> {};

TEST_P(BadJson, IsRefusedWithItsPathAndAppliesNothing) {
    json j = json::parse(json_of(CParameters{}));
    j[json::json_pointer(GetParam().pointer)] = GetParam().value;
    CParameters p = full_definition();
    std::vector<std::string> messages;
    EXPECT_FALSE(from_json(j.dump(), p, &messages));
    EXPECT_EQ(messages, std::vector<std::string>{GetParam().message});
    EXPECT_TRUE(same_definition(p, full_definition()));
}

const std::string k85(85, 'x');

TEST(DefinitionJson, ChoicesAreWrittenByTheNamesUsersSee) {
    CParameters p;
    p.forms[0].lines[0].dataType = kLineAlpha;
    p.forms[0].lines[0].variable = lookup_field_code(1, 2);
    p.forms[0].clrTarget = 3;
    p.dataFiles[2].delimiter = 3;
    p.dataFiles[2].fields[0].variable2 = 61; // unassigned: no name, stays a number
    p.startup.brightness = 3;
    json j = json::parse(json_of(p));
    EXPECT_EQ(j["version"], 2);
    EXPECT_EQ(j["forms"][0]["lines"][0]["dataType"], "Aplha");
    EXPECT_EQ(j["forms"][0]["lines"][0]["variable"], "Look 1-2");
    EXPECT_EQ(j["forms"][0]["clrTarget"], "Form 3");
    EXPECT_EQ(j["forms"][0]["nextTarget"], "Form 1");
    EXPECT_EQ(j["dataFiles"][2]["delimiter"], "\t");
    EXPECT_EQ(j["dataFiles"][2]["fields"][0]["variable2"], 61);
    EXPECT_EQ(j["startup"]["brightness"], "High");
    CParameters back;
    ASSERT_TRUE(from_json(j.dump(), back));
    EXPECT_TRUE(same_definition(back, p));
}

// The loader and the version 1 reader check codes against the value ranges;
// the names must cover exactly those codes, or a loaded definition could
// not be written (or a written one not be loaded).
TEST(DefinitionJson, NamesCoverExactlyTheCodesTheLoaderAccepts) {
    struct Pair {
        const ChoiceNames& names;
        ValueRange range;
    };
    using namespace range;
    for (const Pair& p : {Pair{names::line_type(), kLineType}, Pair{names::target(), kTarget},
                          Pair{names::start_target(), kStartTarget}, Pair{names::field_ref(), kFieldRef},
                          Pair{names::font(), kFont}, Pair{names::data_file(), kDataFile},
                          Pair{names::lookup_source(), kLookupSource}, Pair{names::alignment(), kAlignment},
                          Pair{names::input_source(), kInputSource}, Pair{names::initial_kind(), kInitialKind},
                          Pair{names::decimal_places(), kDecimalPlaces}, Pair{names::file_type(), kLookupFileType},
                          Pair{names::delimiter(), kDelimiter}, Pair{names::bad_format_action(), kBadFormatAction},
                          Pair{names::no_match_action(), kNoMatchAction}, Pair{names::missing_action(), kMissingAction},
                          Pair{names::field_index(), kFieldIndex}, Pair{names::storage_mode(), kStorageMode},
                          Pair{names::year_digits(), kYearDigits}, Pair{names::date_order(), kDateOrder},
                          Pair{names::brightness(), kBrightness}, Pair{names::backlight_time(), kBacklightTime},
                          Pair{names::delete_data(), kDeleteData}, Pair{names::date_format(), kDateFormat},
                          Pair{names::protocol(), kProtocol}, Pair{names::read_mode(), kReadMode},
                          Pair{names::read_timeout(), kReadTimeout}}) {
        EXPECT_EQ(p.names.first(), p.range.lo) << p.names.what();
        EXPECT_EQ(p.names.last(), p.range.hi) << p.names.what();
        for (int code = p.names.first(); code <= p.names.last(); ++code) {
            std::string_view name = p.names.name(code);
            if (!name.empty()) {
                EXPECT_EQ(p.names.code(name), code) << name; // no name twice
            }
        }
    }
}

TEST(DefinitionJson, VersionOneWithCodesReadsAsTheSameDefinition) {
    const std::filesystem::path data = FORMWICK_TEST_DATA;
    CParameters v1, v2;
    ASSERT_TRUE(from_json(read_file(data / "stock-v1.json"), v1));
    ASSERT_TRUE(from_json(read_file(data / "../../../examples/stock.json"), v2));
    // The example's article lines were since made "Variable size".
    v1.forms[0].lines[0].more.alignment = 4;
    v1.forms[1].lines[0].more.alignment = 4;
    EXPECT_TRUE(same_definition(v1, v2));
    EXPECT_EQ(v1.forms[1].nextTarget, 2);
    EXPECT_EQ(v1.lookups[0].delimiter, 1);
}

TEST(DefinitionJson, FileNameWithoutIndexNameDerivesIt) {
    CParameters p;
    ASSERT_TRUE(from_json(R"({"format": "Formwick application definition", "version": 2,
                             "lookups": [{"fileName": "Items.csv"}],
                             "dataFiles": [{"fileName": "ORDERS.TXT"}, {"fileName": "Two.txt", "indexName": "Own.idx"}]})",
                          p));
    EXPECT_EQ(get_wide(p.lookups[0].indexName), u"Items.IDX");
    EXPECT_EQ(get_wide(p.dataFiles[0].indexName), u"ORDERS.IDX");
    EXPECT_EQ(get_wide(p.dataFiles[1].indexName), u"Own.idx");
}

// A data file without "recordLength" gets what the Data page computes.
TEST(DefinitionJson, RecordLengthDefaultsToWhatTheFieldsAddUpTo) {
    struct Case {
        const char* data;
        int length;
    };
    for (const Case& c : {
             Case{R"({"fieldCount": 3, "useDelimiter": true, "addDate": true, "addTime": true,
                      "fields": [{"fieldSize": 5}, {"fieldSize": 10}, {"fieldSize": 8}]})", 47},
             Case{R"({"fieldCount": 2, "fields": [{"fieldSize": 6}, {"fieldSize": 4}]})", 12},
             Case{R"j({"fieldCount": 1, "useDelimiter": true, "addDate": true, "yearDigits": "2 digits (YY)", "dateDay": false,
                      "fields": [{"fieldSize": 3}]})j", 3 + 1 + 5 + 2},
             Case{R"({"fieldCount": 2, "recordLength": 30, "fields": [{"fieldSize": 6}, {"fieldSize": 4}]})", 30},
             Case{R"({})", 2},
         }) {
        CParameters p;
        ASSERT_TRUE(from_json(std::string(R"({"format": "Formwick application definition", "version": 2, "dataFiles": [)") +
                                  c.data + "]}",
                              p))
            << c.data;
        EXPECT_EQ(p.dataFiles[0].recordLength, c.length) << c.data;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, BadJson,
    ::testing::Values(
        BadPlace{"/forms/2/lines/4/maximum", 150, "forms[2].lines[4].maximum: 150 is above 100"},
        BadPlace{"/startup/brightness", 0, "startup.brightness: 0 is below 1"},
        BadPlace{"/menus/0/font", "1", "menus[0].font: \"1\" is not a font; one of \"Large\", \"Medium\", \"Custom\""},
        BadPlace{"/barcode/readMode", 1, "barcode.readMode: expected a name, found a number; one of \"Single\", \"Multiple\", \"Trigger\""},
        BadPlace{"/forms/0/lines/0/dataType", "Alpha", "forms[0].lines[0].dataType: \"Alpha\" is not a line type; one of " + names::line_type().listed()},
        BadPlace{"/dataFiles/1/delimiter", "tab", "dataFiles[1].delimiter: \"tab\" is not a delimiter; one of \",\", \";\", \"|\", \"\\t\""},
        BadPlace{"/menus/2/items/0/next", "Form 9", "menus[2].items[0].next: \"Form 9\" is not a screen target; one of " + names::target().listed()},
        BadPlace{"/forms/0/lines/0/variable", 94, "forms[0].lines[0].variable: 94 is above 93"},
        BadPlace{"/forms/0/lines/0/minimum", 1.5, "forms[0].lines[0].minimum: expected an integer, found a number"},
        BadPlace{"/barcode/enabledTypes", 4294967296LL, "barcode.enabledTypes: 4294967296 is above 2147483647"},
        BadPlace{"/forms/0/saveOnNext", 1, "forms[0].saveOnNext: expected true or false, found a number"},
        BadPlace{"/menus/1/header", k85, "menus[1].header: the text is 85 bytes long, at most 84 fit"},
        BadPlace{"/menus/1/items/9/name", std::string("a\0b", 3), "menus[1].items[9].name: a text cannot hold a NUL character"},
        BadPlace{"/forms/0/lines/0/promt", "Qty", "forms[0].lines[0].promt: unknown key"},
        BadPlace{"/forms/8", json::object(), "forms: at most 8 entries, found 9"},
        BadPlace{"/forms/1/lines", json::object(), "forms[1].lines: expected an array, found an object"},
        BadPlace{"/lookups/0/fileName", "../x.txt", "lookups[0].fileName: \"../x.txt\" is not a plain file name"},
        BadPlace{"/dataFiles/2/indexName", "C:DATA.IDX", "dataFiles[2].indexName: \"C:DATA.IDX\" is not a plain file name"},
        BadPlace{"/dataFiles/0/fileName", "LONGERNAME.TXT", "dataFiles[0].fileName: \"LONGERNAME.TXT\" is longer than 12 characters"},
        BadPlace{"/startup/password", "ab\u0108", "startup.password: \"\u0108\" cannot be written in the code page WINDOWS-1252"},
        BadPlace{"/startup/terminalId", "", "startup.terminalId: cannot be empty"},
        BadPlace{"/startup/terminalId", "1234567", "startup.terminalId: the text is 7 characters long, at most 6 fit"},
        BadPlace{"/lookups/1/fields/3/maxLength", 81, "lookups[1].fields[3].maxLength: 81 is above 80"},
        BadPlace{"/language/messageTexts/3", std::string(505, 'm'), "language.messageTexts[3]: the text is 505 bytes long, at most 504 fit"},
        BadPlace{"/startup/splashImage", json::parse(R"({"width": 8, "height": 2, "rows": ["FF"]})"), "startup.splashImage.rows: expected 2 rows"},
        BadPlace{"/startup/menuImages/1", json::parse(R"({"width": 64, "height": 65, "rows": []})"), "startup.menuImages[1]: a 64 x 65 picture does not fit in 514 bytes"},
        BadPlace{"/startup/splashImage", json::parse(R"({"width": 8, "height": 1, "rows": ["G0"]})"), "startup.splashImage.rows[0]: \"G0\" is not hexadecimal"},
        BadPlace{"/startup/customFont", "!!!!", "startup.customFont: not valid base64"},
        BadPlace{"/startup/customFont", "/v4AAA==", "startup.customFont: an extended font body (starting FE FE) needs at least 8196 bytes, found 4"},
        BadPlace{"/startup/glyphWidth", 8, "startup.glyphWidth: 8 does not match the font body, which gives 0"},
        BadPlace{"/version", 3, "version: 3 is not supported, this Formwick reads versions 1 and 2"},
        BadPlace{"/format", "something else", "format: not \"Formwick application definition\""}),
    [](const auto& info) {
        std::string name = std::to_string(info.index);
        for (const char* p = info.param.pointer; *p; ++p) name += std::isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
        return name;
    });

} // namespace
