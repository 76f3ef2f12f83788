#include "full_definition.h"
#include "test_support.h"

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

INSTANTIATE_TEST_SUITE_P(
    Table, BadJson,
    ::testing::Values(
        BadPlace{"/forms/2/lines/4/maximum", 150, "forms[2].lines[4].maximum: 150 is above 100"},
        BadPlace{"/startup/brightness", 0, "startup.brightness: 0 is below 1"},
        BadPlace{"/menus/0/font", "1", "menus[0].font: expected an integer, found a string"},
        BadPlace{"/barcode/readMode", 1.5, "barcode.readMode: expected an integer, found a number"},
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
        BadPlace{"/version", 2, "version: 2 is not supported, this Formwick reads version 1"},
        BadPlace{"/format", "something else", "format: not \"Formwick application definition\""}),
    [](const auto& info) {
        std::string name = std::to_string(info.index);
        for (const char* p = info.param.pointer; *p; ++p) name += std::isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
        return name;
    });

} // namespace
