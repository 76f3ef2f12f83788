#include "runtime/app/record_builder.h"
#include "runtime/app/values.h"

#include <gtest/gtest.h>

using namespace formwick;

namespace {

class RecordBuilder : public ::testing::Test {
protected:
    void SetUp() override { values_reset(); }
    CDataRecord& field(int i, int v1, int v2, int size, int alignment = 0, bool is_string = true) {
        CDataRecord& f = data.fields[i];
        f = CDataRecord{v1, v2, static_cast<std::uint8_t>(is_string), size, alignment};
        if (data.fieldCount < i + 1) data.fieldCount = i + 1;
        return f;
    }
    CParamData data;
    DateRecord date{2026, 12, 10};
    TimeRecord time{14, 5, 9};
};

TEST_F(RecordBuilder, DelimitedFieldsWithDateAndTime) {
    value_set(1, "ART-1");
    value_set(2, "12");
    field(0, 1, 0, 8);
    field(1, 2, 0, 4, 3, false);
    data.useDelimiter = 1;
    data.delimiter = 1;
    data.addDate = data.addTime = 1;
    data.fixedSize = 0;
    EXPECT_EQ(build_record(data, date, time).line, "ART-1   ;0012;2026/12/10;14:05:09\r\n");
}

TEST_F(RecordBuilder, EmptyFieldsKeepTheirPlaces) {
    value_set(2, "B");
    field(0, 1, 0, 4, 4);
    field(1, 2, 0, 4, 4);
    field(2, 3, 0, 4, 4);
    data.useDelimiter = 1;
    data.addDate = 1;
    data.fixedSize = 0;
    EXPECT_EQ(build_record(data, date, time).line, ",B,,2026/12/10\r\n");
    data.addDate = 0;
    values_reset();
    EXPECT_EQ(build_record(data, date, time).line, ",,\r\n");
}

TEST_F(RecordBuilder, NilFieldIsOneBlankAndFixedPositionsHaveNoSeparator) {
    value_set(1, "AB");
    field(0, 0, 0, 1);
    field(1, 1, 0, 3);
    data.fixedSize = 1;
    data.recordLength = 6;
    BuiltRecord r = build_record(data, date, time);
    EXPECT_EQ(r.line, " AB \r\n");
    EXPECT_FALSE(r.wrongSize);
}

TEST_F(RecordBuilder, FixedSizeMismatchIsFlagged) {
    value_set(1, "0123456789");
    field(0, 1, 0, 10);
    data.fixedSize = 1;
    data.recordLength = 10; // the line is 12 bytes
    EXPECT_TRUE(build_record(data, date, time).wrongSize);
}

TEST_F(RecordBuilder, SumOrJoinOfTwoReferences) {
    value_set(1, "12.5");
    value_set(2, "-2.25");
    field(0, 1, 2, 8, 4, false);
    data.fixedSize = 0;
    EXPECT_EQ(build_record(data, date, time).line, "10.25\r\n");
    data.fields[0].isString = 1;
    EXPECT_EQ(build_record(data, date, time).line, "12.5-2.2\r\n"); // joined, cut to 8
}

TEST_F(RecordBuilder, SumOverflowLeavesTheFieldEmpty) {
    value_set(1, "999");
    value_set(2, "1");
    field(0, 1, 2, 3, 0, false);
    data.fixedSize = 0;
    BuiltRecord r = build_record(data, date, time);
    EXPECT_TRUE(r.overflow);
    EXPECT_EQ(r.line, "   \r\n");
}

TEST_F(RecordBuilder, DateAndTimeParts) {
    struct Case { int order; int year_digits; std::uint8_t y, m, d; const char* text; int width; } cases[] = {
        {0, 0, 1, 1, 1, "2026/12/10", 10},
        {1, 0, 1, 1, 1, "12/10/2026", 10},
        {2, 1, 1, 1, 1, "10/12/26", 8},
        {0, 0, 0, 1, 1, "12/10", 5},
        {2, 0, 1, 0, 0, "2026", 4},
        {0, 0, 0, 0, 0, "", 0},
    };
    for (auto c : cases) {
        data.dateOrder = c.order;
        data.yearDigits = c.year_digits;
        data.dateYear = c.y, data.dateMonth = c.m, data.dateDay = c.d;
        EXPECT_EQ(record_date_text(data, date), c.text);
        EXPECT_EQ(record_date_width(data), c.width);
    }
    data.timeMinute = 0;
    EXPECT_EQ(record_time_text(data, time), "14:09");
    EXPECT_EQ(record_time_width(data), 5);
}

} // namespace
