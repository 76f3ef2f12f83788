#include "model/field_refs.h"

#include <gtest/gtest.h>

using namespace formwick;

namespace {

TEST(FieldRefs, CodeArithmetic) {
    struct Case { int code; int expected; } cases[] = {
        {lookup_field_code(1, 1), 21}, {lookup_field_code(2, 10), 40}, {lookup_field_code(3, 10), 50},
        {data_field_code(1, 1), 51},   {data_field_code(2, 1), 63},    {data_field_code(3, 10), 84},
        {constant_code(3), 89},
    };
    for (auto c : cases) EXPECT_EQ(c.code, c.expected);
}

TEST(FieldRefs, DecodeInvertsEveryAssignedCode) {
    for (int l = 1; l <= 3; ++l)
        for (int f = 1; f <= 10; ++f) {
            FieldRef r = decode_field_ref(lookup_field_code(l, f));
            EXPECT_EQ(r.kind, FieldRefKind::LookupField);
            EXPECT_EQ(r.number, l);
            EXPECT_EQ(r.field, f);
            r = decode_field_ref(data_field_code(l, f));
            EXPECT_EQ(r.kind, FieldRefKind::DataField);
            EXPECT_EQ(r.number, l);
            EXPECT_EQ(r.field, f);
        }
    EXPECT_EQ(decode_field_ref(20).kind, FieldRefKind::Variable);
    EXPECT_EQ(decode_field_ref(88).number, 2);
    EXPECT_EQ(decode_field_ref(94).kind, FieldRefKind::Unassigned);
    EXPECT_EQ(decode_field_ref(-1).kind, FieldRefKind::Unassigned);
}

TEST(FieldRefs, DisplayNames) {
    struct Case { int code; const char* name; } cases[] = {
        {0, "Nil"},       {1, "Var 1"},      {20, "Var 20"},     {21, "Look 1-1"},  {40, "Look 2-10"},
        {50, "Look 3-10"}, {51, "Data 1-1"}, {63, "Data 2-1"},   {84, "Data 3-10"}, {87, "Const 1"},
        {90, "Term ID"},  {91, "OS Ver"},    {92, "Inter Ver"},  {93, "Appl Ver"},
        {61, ""}, {62, ""}, {73, ""}, {74, ""}, {85, ""}, {86, ""}, {94, ""},
    };
    for (auto c : cases) EXPECT_EQ(field_ref_name_ascii(c.code), c.name) << c.code;
    for (int code = 0; code < kFieldRefCount; ++code) {
        EXPECT_LE(field_ref_name(code).size(), 9u) << code;
        EXPECT_EQ(field_ref_name(code).empty(), decode_field_ref(code).kind == FieldRefKind::Unassigned) << code;
    }
}

} // namespace
