#include "model/parameters.h"

#include <gtest/gtest.h>

using namespace formwick;

namespace {

std::vector<std::uint8_t> extended_body(std::size_t size, std::uint8_t height, std::uint8_t width) {
    std::vector<std::uint8_t> body(size, 0);
    body[0] = body[1] = 0xFE;
    if (size > 8195) {
        body[8194] = height;
        body[8195] = width;
    }
    return body;
}

TEST(CustomFont, CopyIsIndependent) {
    CParamStartup source;
    std::vector<std::uint8_t> body(3000);
    for (std::size_t i = 0; i < body.size(); ++i) body[i] = static_cast<std::uint8_t>(i);
    body[0] = 16;
    body[1] = 8;
    ASSERT_TRUE(source.setCustomFont(body));
    source.splashImage[0] = 128;
    source.menuImages[2][5] = 0xAA;

    CParamStartup copy = source;
    EXPECT_EQ(copy.customFont, body);
    EXPECT_EQ(copy.customFontLength, 3000);
    EXPECT_EQ(copy.glyphHeight, 16);
    EXPECT_EQ(copy.glyphWidth, 8);
    EXPECT_EQ(copy.splashImage[0], 128);
    EXPECT_EQ(copy.menuImages[2][5], 0xAA);
    EXPECT_NE(copy.customFont.data(), source.customFont.data());

    copy.clearCustomFont();
    EXPECT_FALSE(copy.hasCustomFont());
    EXPECT_EQ(source.customFont, body);
    EXPECT_EQ(source.glyphHeight, 16);
}

TEST(CustomFont, SelfCopyKeepsEverything) {
    CParameters p;
    p.startup.setCustomFont({12, 6, 1, 2, 3});
    p.forms[0].lines[0].setPromptText(u"Article");
    const CParameters& same = p;
    p = same;
    p.startup = same.startup;
    EXPECT_EQ(p.startup.customFontLength, 5);
    EXPECT_EQ(p.startup.customFont[4], 3);
    EXPECT_EQ(p.forms[0].lines[0].promptText(), u"Article");
}

struct FontCase {
    const char* name;
    std::vector<std::uint8_t> body;
    bool accepted;
    int height, width;
};

TEST(CustomFont, GlyphSizeFromBody) {
    const FontCase cases[] = {
        {"narrow", {12, 6, 0, 0}, true, 12, 6},
        {"extended", extended_body(8196 + 40, 24, 12), true, 24, 12},
        {"extended header only", extended_body(8196, 9, 5), true, 9, 5},
        {"extended one byte short", extended_body(8195, 0, 0), false, 0, 0},
        {"extended two bytes", {0xFE, 0xFE}, false, 0, 0},
        {"one byte", {8}, false, 0, 0},
        {"empty", {}, false, 0, 0},
        {"only first byte FE is narrow", {0xFE, 8, 1}, true, 0xFE, 8},
    };
    for (const FontCase& c : cases) {
        CParamStartup s;
        s.setCustomFont({16, 8, 1}); // a refused body must also drop the old font
        EXPECT_EQ(s.setCustomFont(c.body), c.accepted) << c.name;
        EXPECT_EQ(s.hasCustomFont(), c.accepted) << c.name;
        EXPECT_EQ(s.glyphHeight, c.height) << c.name;
        EXPECT_EQ(s.glyphWidth, c.width) << c.name;
        EXPECT_EQ(s.customFontLength, c.accepted ? static_cast<int>(c.body.size()) : 0) << c.name;
    }
}

} // namespace
