#include "model/parameters.h"

#include <gtest/gtest.h>

using namespace formwick;

namespace {

TEST(Text, LongPromptKeepsFirst84Characters) {
    CFormLine line;
    std::u16string ninety;
    for (int i = 0; i < 90; ++i) ninety += static_cast<char16_t>(u'A' + i % 26);
    line.setPromptText(ninety);
    EXPECT_EQ(line.promptText(), ninety.substr(0, 84));
    EXPECT_EQ(line.prompt[84], '\0');
}

TEST(Text, Utf8CutNeverSplitsACharacter) {
    // 83 ASCII letters then "é" (2 bytes) would need 85 bytes: the é is dropped whole.
    CFormLine line;
    std::u16string text(83, u'x');
    text += u"\u00e9";
    line.setPromptText(text);
    EXPECT_EQ(line.promptText(), std::u16string(83, u'x'));
    EXPECT_EQ(text_bytes(line.prompt).size(), 83u);

    // A euro sign (3 bytes) at 82..84 does not fit, at 81..83 it does.
    struct Case { std::size_t ascii; std::size_t bytes; } cases[] = {{82, 82}, {81, 84}};
    for (auto c : cases) {
        CMenuItem item;
        set_utf8(item.name, std::u16string(c.ascii, u'a') + u"\u20ac");
        EXPECT_EQ(text_bytes(item.name).size(), c.bytes) << c.ascii;
    }
}

TEST(Text, EmptyInputClearsTheField) {
    CParamMenu menu;
    menu.setHeaderText(u"Stock take");
    menu.setHeaderText(u"");
    EXPECT_EQ(menu.headerText(), u"");
    for (char c : menu.header) EXPECT_EQ(c, '\0');
}

TEST(Text, AnsiFieldsUseTheCodePage) {
    CMoreProperties more;
    more.setPrefixText(u"\u00e9\u20ac");   // é and € both exist in Windows-1252
    EXPECT_EQ(text_bytes(more.prefix), "\xE9\x80");
    EXPECT_EQ(more.prefixText(), u"\u00e9\u20ac");

    more.setSuffixText(u"a\u4e2db"); // a CJK character cannot be held
    EXPECT_EQ(text_bytes(more.suffix), "a?b");
}

TEST(Text, AnsiUndefinedBytesSurviveARoundTrip) {
    const AnsiCodePage& page = AnsiCodePage::current();
    for (int b = 1; b < 256; ++b) {
        std::string one(1, static_cast<char>(b));
        EXPECT_EQ(page.from_utf16(page.to_utf16(one)), one) << b;
    }
}

TEST(Text, TerminalIdCutToSix) {
    CParamStartup s;
    s.setTerminalIdText(u"12345678");
    EXPECT_EQ(s.terminalIdText(), u"123456");
}

TEST(Text, EntryIndexOutOfRangeIsEmpty) {
    CParameters p;
    p.startup.setSplashLine(10, u"ignored");
    p.menus[0].setItemName(10, u"ignored");
    EXPECT_EQ(p.startup.splashLine(10), u"");
    EXPECT_EQ(p.startup.splashLine(-1), u"");
    EXPECT_EQ(p.menus[0].itemName(10), u"");
    p.menus[0].setItemName(9, u"Last");
    EXPECT_EQ(p.menus[0].itemName(9), u"Last");
}

TEST(FileNames, SettingTheNameDerivesTheIndex) {
    struct Case { const char16_t* name; const char16_t* file; const char16_t* index; } cases[] = {
        {u"ART.TXT", u"ART.TXT", u"ART.IDX"},
        {u"stock", u"stock", u"stock.IDX"},
        {u"a.b.csv", u"a.b.csv", u"a.b.IDX"},
        {u"LONGNAME1234.TXT", u"LONGNAME1234", u"LONGNAME1234"},
    };
    for (auto c : cases) {
        CParamData d;
        d.setFileName(c.name);
        EXPECT_EQ(d.fileNameText(), c.file);
        EXPECT_EQ(d.indexNameText(), c.index);
    }
}

TEST(FileNames, OnlyNamesTheTerminalTakesAreAllowed) {
    struct Case { const char16_t* name; bool allowed; } cases[] = {
        {u"ORDERS.TXT", true}, {u"ORDERS", true}, {u"", true}, {u"12345678.ABC", true}, {u"A.B", true},
        {u"MY FILE.TXT", false}, {u"A.B.C", false}, {u"LONGNAME1.TXT", false}, {u"X.~nx", false},
        {u"X.~NX", false}, {u"NINECHARS", false}, {u"NAME.ABCD", false}, {u"A<B", false}, {u"A>B", false},
        {u"A:B", false}, {u"A\"B", false}, {u"A/B", false}, {u"A\\B", false}, {u"A|B", false},
        {u"A\tB", false}, {u"..", false}, {u"LONGERTHAN12", false},
    };
    for (auto c : cases) EXPECT_EQ(file_name_allowed(c.name), c.allowed) << std::string(c.name, c.name + std::char_traits<char16_t>::length(c.name));
}

TEST(Language, StoreAndReadRules) {
    CParamLanguage lang;
    EXPECT_EQ(lang.messageText(0), u"");
    lang.setMenuText(0, std::u16string(100, u'm'));
    EXPECT_EQ(lang.used, 1);
    EXPECT_EQ(lang.menuText(0).size(), 84u);

    lang.setMessageText(5, std::u16string(600, u'\u00e9')); // 504 characters of 2 bytes cannot fit 504 bytes
    EXPECT_EQ(lang.messageText(5).size(), 252u);
    lang.setMessageText(6, std::u16string(600, u'x'));
    EXPECT_EQ(lang.messageText(6).size(), 504u);
    EXPECT_EQ(lang.messageText(100), u"");
    EXPECT_EQ(lang.messageText(7), u"");

    lang.used = 0; // a message is read only while the record is in use
    EXPECT_EQ(lang.messageText(6), u"");
    lang.setStringText(20, u"out of range");
    EXPECT_EQ(lang.used, 0);
}

} // namespace
