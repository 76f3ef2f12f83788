#include "runtime/text/char_map.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace formwick {
namespace {

// Decodes a whole byte string and maps every character, as the formatter does.
std::vector<int> glyphs_of(const std::string& bytes, bool wide = false) {
    std::vector<int> out;
    const auto* s = reinterpret_cast<const unsigned char*>(bytes.data());
    std::size_t i = 0;
    while (i < bytes.size()) {
        int cp = 0;
        std::size_t n = utf8_decode_display(s + i, bytes.size() - i, cp);
        EXPECT_GE(n, 1u);
        i += n;
        out.push_back(glyph_for_code_point(cp, wide));
    }
    return out;
}

struct MapCase {
    const char* name;
    std::string bytes;
    std::vector<int> glyphs;
};

TEST(CharMap, BuiltInFontsMapUtf8ToCodePageGlyphs) {
    const MapCase cases[] = {
        {"ascii", "Az~ ", {'A', 'z', '~', ' '}},
        {"e acute", "\xC3\xA9", {130}},
        {"euro", "\xE2\x82\xAC", {127}},
        {"C cedilla keeps its own glyph", "\xC3\x87", {128}},
        {"cjk has no glyph", "\xE4\xB8\xAD", {'?'}},
        {"o and O with stroke", "\xC3\xB8\xC3\x98", {155, 157}},
        {"cent and yen are gone", "\xC2\xA2\xC2\xA5", {'?', '?'}},
        {"barred O draws theta, theta does not", "\xD3\xA8\xCE\x98", {233, '?'}},
        {"middle dot is gone", "\xC2\xB7", {'?'}},
        {"house is gone", "\xE2\x8C\x82", {'?'}},
        {"graphic symbols", "\xE2\x98\xBA\xE2\x96\xBC\xC2\xA7", {1, 31, 21}},
        {"box drawing", "\xE2\x94\x8C\xE2\x95\xAC\xE2\x96\x88", {218, 206, 219}},
        {"control character has no glyph", "\x01", {'?'}},
        {"delete has no glyph", "\x7F", {'?'}},
        {"bom", "\xEF\xBB\xBF" "A", {'?', 'A'}},
        {"four-byte character", "\xF0\x9F\x98\x80", {'*', '*', '*', '*'}},
        {"stray continuation", "\x80" "A", {'*', 'A'}},
        {"missing continuation", "\xC3" "A", {'*', 'A'}},
        {"short three-byte sequence", "\xE2\x82" "A", {'*', '*', 'A'}},
        {"truncated at the end", "A\xE2\x82", {'A', '*', '*'}},
    };
    for (const auto& c : cases) EXPECT_EQ(glyphs_of(c.bytes), c.glyphs) << c.name;
}

TEST(CharMap, WideFontsTranslateOnlyLatinThroughTheTable) {
    const MapCase cases[] = {
        {"ascii unchanged", "Az", {'A', 'z'}},
        {"e acute through the Latin table", "\xC3\xA9", {0x82}},
        {"A grave folds to A", "\xC3\x80", {'A'}},
        {"y diaeresis", "\xC3\xBF", {0x98}},
        {"euro code point kept", "\xE2\x82\xAC", {0x20AC}},
        {"cjk code point kept", "\xE4\xB8\xAD", {0x4E2D}},
        {"bom draws the first glyph", "\xEF\xBB\xBF", {0}},
        {"invalid", "\xFF", {'*'}},
    };
    for (const auto& c : cases) EXPECT_EQ(glyphs_of(c.bytes, true), c.glyphs) << c.name;
}

TEST(CharMap, DecodeReportsBytesConsumedAndStopsAtTheLength) {
    const unsigned char euro[] = {0xE2, 0x82, 0xAC};
    int cp = 0;
    EXPECT_EQ(utf8_decode_display(euro, 3, cp), 3u);
    EXPECT_EQ(cp, 0x20AC);
    // The same bytes cut short by the length must not be read past it.
    EXPECT_EQ(utf8_decode_display(euro, 2, cp), 1u);
    EXPECT_EQ(cp, kCodePointInvalid);
    EXPECT_EQ(utf8_decode_display(euro, 0, cp), 0u);
}

} // namespace
} // namespace formwick
