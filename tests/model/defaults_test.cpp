#include "model/parameters.h"

#include <gtest/gtest.h>

using namespace formwick;

namespace {

void expect_fresh(const CParameters& p) {
    EXPECT_EQ(p.lookups[1].fileNameText(), u"Lookup2.txt");
    EXPECT_EQ(p.lookups[1].indexNameText(), u"Lookup2.idx");
    EXPECT_EQ(p.dataFiles[2].fileNameText(), u"Data3.txt");
    EXPECT_EQ(p.dataFiles[2].indexNameText(), u"Data3.idx");
    for (int i = 0; i < kFormCount; ++i) EXPECT_EQ(p.forms[i].nextTarget, i + 1);
    EXPECT_EQ(p.startup.brightness, 2);  // 1-based: Medium
    EXPECT_EQ(p.lookups[0].fieldCount, 2); // a count, not an index
    EXPECT_EQ(p.startup.terminalIdText(), u"000000");
    EXPECT_FALSE(p.startup.hasCustomFont());
    EXPECT_EQ(p.barcode.enabledTypes, 0x1FFF);
    EXPECT_EQ(p.barcode.readTimeout, 2);
    EXPECT_EQ(p.menus[4].headerVariable, 1);
    EXPECT_EQ(p.menus[4].itemNameVariable, 1);
    EXPECT_EQ(p.menus[4].itemNumberVariable, 1);
    EXPECT_EQ(p.forms[0].lines[0].variable, 0);
    EXPECT_EQ(p.forms[0].lines[0].maximum, 40);
    EXPECT_EQ(p.forms[0].lines[0].inputSource, 2);
    EXPECT_EQ(p.dataFiles[0].fixedSize, 1);
    EXPECT_EQ(p.dataFiles[0].recordLength, 2);
    EXPECT_EQ(p.dataFiles[0].fields[3].isString, 1);
    EXPECT_EQ(p.language.used, 0);
}

TEST(Defaults, FreshDefinition) { expect_fresh(CParameters{}); }

TEST(Defaults, OptionMasksInTableOrder) {
    CParameters p;
    const int masks[] = {p.eanUpcCode39.eanUpcOptions,       p.eanUpcCode39.code39Options,
                         p.twoOf5MsiTelepenUk.twoOf5Options, p.twoOf5MsiTelepenUk.msiOptions,
                         p.twoOf5MsiTelepenUk.telepenUkOptions, p.codabar128Iata.codabarOptions,
                         p.codabar128Iata.code128Options,    p.codabar128Iata.iataOptions,
                         p.code11KorGs1Pdf.code11Options,    p.code11KorGs1Pdf.koreanPostOptions,
                         p.code11KorGs1Pdf.gs1DataBarOptions, p.code11KorGs1Pdf.pdf417Options};
    const int expected[] = {424, 16, 2, 17, 3, 528, 0, 8, 1, 2, 3, 0};
    for (int i = 0; i < 12; ++i) EXPECT_EQ(masks[i], expected[i]) << "mask " << i;
}

TEST(Defaults, StandAloneRecords) {
    EXPECT_EQ(CParamForm{}.nextTarget, 0);
    EXPECT_EQ(CParamLookup{}.fileNameText(), u"Lookup1.txt");
    EXPECT_EQ(CParamData(2).indexNameText(), u"Data2.idx");
}

TEST(Defaults, ResetUndoesEveryKindOfChange) {
    CParameters p;
    p.startup.setCustomFont(std::vector<std::uint8_t>(300, 8));
    p.startup.setSplashLine(3, u"Hello");
    p.startup.brightness = 3;
    p.barcode.enabledTypes = 1;
    p.codabar128Iata.code128Options = 7;
    p.menus[7].setHeaderText(u"Stock");
    p.menus[7].headerVariable = 5;
    p.lookups[2].setFileName(u"ART.TXT");
    p.lookups[2].used = 1;
    p.forms[5].nextTarget = 0;
    p.forms[5].lines[9].setPromptText(u"Qty");
    p.forms[5].lines[9].more.setPrefixText(u"P");
    p.dataFiles[1].fieldCount = 4;
    p.language.setMessageText(99, u"Fin");
    p.language.menuFont = 2;

    p.reset();
    expect_fresh(p);
    EXPECT_EQ(p.startup.splashLine(3), u"");
    EXPECT_EQ(p.startup.customFontLength, 0);
    EXPECT_EQ(p.codabar128Iata.code128Options, 0);
    EXPECT_EQ(p.menus[7].headerText(), u"");
    EXPECT_EQ(p.lookups[2].fileNameText(), u"Lookup3.txt");
    EXPECT_EQ(p.lookups[2].used, 0);
    EXPECT_EQ(p.forms[5].lines[9].promptText(), u"");
    EXPECT_EQ(p.forms[5].lines[9].more.prefixText(), u"");
    EXPECT_EQ(p.dataFiles[1].fieldCount, 0);
    EXPECT_EQ(p.language.messageText(99), u"");
    EXPECT_EQ(p.language.menuFont, 0);
}

} // namespace
