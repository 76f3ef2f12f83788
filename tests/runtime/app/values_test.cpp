#include "model/field_refs.h"
#include "runtime/app/decimal_sum.h"
#include "runtime/app/value_fit.h"
#include "runtime/app/values.h"

#include <gtest/gtest.h>

using namespace formwick;

namespace {

TEST(Values, ReadOnlyCodesAndCapacity) {
    values_reset();
    CParamStartup s;
    s.setConstant(1, u"Depot");
    s.setApplicationVersionText(u"1.2");
    values_load_fixed(s);
    EXPECT_EQ(value_get(88), "Depot");
    EXPECT_EQ(value_get(kFieldRefTerminalId), "000000");
    EXPECT_EQ(value_get(kFieldRefOsVersion), "QLTV0207");
    EXPECT_EQ(value_get(kFieldRefInterpreterVersion), "V00.01");
    EXPECT_EQ(value_get(kFieldRefApplicationVersion), "1.2");

    s.setTerminalIdText(u"Z\u00fcrich");
    s.setApplicationVersionText(u"1.0\u00e9");
    values_load_fixed(s);
    EXPECT_EQ(value_get(kFieldRefTerminalId), "Z\xC3\xBCrich"); // UTF-8, not the code page's byte
    EXPECT_EQ(value_get(kFieldRefApplicationVersion), "1.0\xC3\xA9");

    value_set(88, "overwritten");
    value_set(0, "nil");
    value_set(94, "outside");
    EXPECT_EQ(value_get(88), "Depot");
    EXPECT_EQ(value_get(0), "");
    EXPECT_EQ(value_get(94), "");

    value_set(5, std::string(120, 'x'));
    EXPECT_EQ(value_get(5).size(), 100u);
    value_set(data_date_code(2), "2026/12/10");
    EXPECT_EQ(data_date_code(2), 73);
    EXPECT_EQ(value_get(73), "2026/12/10");
}

TEST(ValueFit, ByAlignment) {
    struct Case { const char* value; int width; int alignment; bool numeric; const char* expected; } cases[] = {
        {"ab", 5, kAlignLeftSpace, false, "ab   "},
        {"abcdef", 4, kAlignLeftSpace, false, "abcd"},
        {"ab", 5, kAlignRightSpace, false, "   ab"},
        {"abcdef", 4, kAlignRightSpace, false, "abcd"},
        {"42", 5, kAlignLeftZero, true, "42000"},
        {"-42", 6, kAlignRightZero, true, "-00042"},
        {"42", 6, kAlignRightZero, true, "000042"},
        {"-42", 6, kAlignRightZero, false, "000-42"},
        {" a ", 6, kAlignVariable, false, " a "},
        {"abcdef", 3, kAlignVariable, false, "abc"},
        {"\xC3\xA9t\xC3\xA9", 4, kAlignLeftSpace, false, "\xC3\xA9t\xC3\xA9 "}, // widths count characters
        {"", 3, kAlignLeftSpace, false, "   "},
    };
    for (auto c : cases) EXPECT_EQ(fit_value(c.value, c.width, c.alignment, c.numeric), c.expected) << c.value;
}

TEST(ValueFit, TrimAndZeros) {
    EXPECT_EQ(trim_blanks("  7 \t"), "7");
    EXPECT_EQ(strip_leading_zeros("007"), "7");
    EXPECT_EQ(strip_leading_zeros("-007"), "-7");
    EXPECT_EQ(strip_leading_zeros("000"), "");
    EXPECT_EQ(strip_leading_zeros("00.50"), "0.50");
    EXPECT_EQ(strip_leading_zeros("-0.5"), "-0.5");
    EXPECT_EQ(strip_leading_zeros("007.5"), "7.5");
}

TEST(DecimalSum, ExactSums) {
    struct Case { const char* a; const char* b; const char* sum; } cases[] = {
        {"12.5", "-2.25", "10.25"},
        {"1", "2", "3"},
        {"-1", "0.5", "-0.5"},
        {"0.25", "-0.25", "0.00"},
        {"999999999999999999", "1", "1000000000000000000"},
        {"-5", "-5", "-10"},
        {".5", "1", "1.5"},
        {"007", "3", "10"},
    };
    for (auto c : cases) EXPECT_EQ(decimal_sum(c.a, c.b).value_or("none"), c.sum) << c.a << " + " << c.b;
    const char* not_numbers[] = {"", "-", "1.2.3", "12a", "1 2", "1234567890123456789"};
    for (const char* t : not_numbers) EXPECT_FALSE(decimal_sum(t, "1")) << t;
}

} // namespace
