// The formatter's conversions, without drawing.
#include "runtime/text/format.h"

#include <gtest/gtest.h>

#include <string>

namespace formwick {
namespace {

std::string fmt(const char* format, ...) {
    char out[256];
    va_list args;
    va_start(args, format);
    std::size_t n = rt_vformat(out, sizeof out, format, args);
    va_end(args);
    EXPECT_EQ(n, std::string(out).size());
    return out;
}

struct IntCase {
    const char* format;
    int value;
    const char* expected;
};

TEST(FormatTest, IntegerConversionsFlagsAndWidths) {
    const IntCase cases[] = {
        {"%d", -42, "-42"},
        {"%i", 7, "7"},
        {"%5d", 42, "   42"},
        {"%-5d|", 42, "42   |"},
        {"%05d", -42, "-0042"},
        {"%+d", 5, "+5"},
        {"%+d", -5, "-5"},
        {"% d", 5, " 5"},
        {"%+ d", 5, "+5"},        // "+" cancels " "
        {"%-05d|", 3, "3    |"}, // left-justified pads with spaces
        {"%u", -1, "4294967295"},
        {"%o", 8, "10"},
        {"%#o", 8, "010"},
        {"%x", 255, "ff"},
        {"%X", 255, "ff"},        // upper-case digits only with "#"
        {"%#X", 255, "0XFF"},
        {"%#x", 255, "0xff"},
        {"%#6x", 255, "0x00ff"},  // "#" also pads with zeros, after the prefix
        {"%hd", 70000, "4464"},   // low 16 bits
        {"%hd", -1, "65535"},     // unsigned
        {"%hx", 0x12345, "2345"},
        {"%.3d", 7, "007"},
        {"%c", 'A', "A"},
        {"%3c", 'A', "  A"},
        {"%%", 0, "%"},
        {"%q", 0, "q"},           // unknown letters are copied
        {"100%", 0, "100"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(fmt(c.format, c.value), c.expected) << c.format << " " << c.value;
    }
}

TEST(FormatTest, LongSizeTakes32Bits) {
    EXPECT_EQ(fmt("%ld.%02ld MB", 2L, 38L), "2.38 MB");
    EXPECT_EQ(fmt("%ld", 0x100000005L), "5");
    EXPECT_EQ(fmt("%lu", -1L), "4294967295");
}

struct StringCase {
    const char* format;
    const char* text;
    const char* expected;
};

TEST(FormatTest, ByteAndUtf8Strings) {
    const StringCase cases[] = {
        {"%s", "abc", "abc"},
        {"%5s|", "abc", "  abc|"},
        {"%-5s|", "abc", "abc  |"},
        {"%.2s", "abc", "ab"},
        {"%.2s", "\xC3\xA9\xC3\xA9", "\xC3\xA9"},       // bytes: one two-byte letter
        {"%s", nullptr, "(null)"},
        {"%S", nullptr, "(null)"},
        {"%-5S|", "\xC3\xA9\xC3\xA9\xC3\xA9", "\xC3\xA9\xC3\xA9\xC3\xA9  |"}, // width in characters
        {"%.2S|", "\xC3\xA9\xC3\xA9\xC3\xA9", "\xC3\xA9\xC3\xA9|"},           // whole characters
        {"%.1S|", "\xE2\x82\xAC" "x", "\xE2\x82\xAC|"},
        {"%.2S|", "\xF0\x9F\x98\x80", "\xF0\x9F|"}, // a four-byte sequence is four invalid bytes
        {"%4C|", "", "    |"},                       // padding only
    };
    for (const auto& c : cases) EXPECT_EQ(fmt(c.format, c.text), c.expected) << c.format;
}

TEST(FormatTest, StarWidthAndPrecision) {
    EXPECT_EQ(fmt("%-*.*S|", 4, 4, "ab"), "ab  |");
    EXPECT_EQ(fmt("%-*.*S|", 3, 3, "abcdef"), "abc|");
    EXPECT_EQ(fmt("%*d|", -4, 7), "7   |"); // a negative width left-justifies
    EXPECT_EQ(fmt("%*d|", 4, 7), "   7|");
    EXPECT_EQ(fmt("%.*s|", 2, "abc"), "ab|");
    EXPECT_EQ(fmt("%.s|", "abc"), "|"); // "." alone is precision 0
    EXPECT_EQ(fmt("%-*.*S%S%-*.*S ", 3, 3, "", "Hi", 3, 3, ""), "   Hi    ");
}

TEST(FormatTest, OutputIsCutToTheBuffer) {
    char out[8];
    auto call = [&](const char* format, ...) {
        va_list args;
        va_start(args, format);
        std::size_t n = rt_vformat(out, sizeof out, format, args);
        va_end(args);
        return n;
    };
    EXPECT_EQ(call("%s", "0123456789"), 7u);
    EXPECT_STREQ(out, "0123456");
}

} // namespace
} // namespace formwick
