// What an input line puts into its variable, end to end: typed keys, the
// line's settings, and the record that stores the variable as it is.
#include "runtime/app/value_fit.h"
#include "tests/runtime/app_e2e/app_run.h"
#include "tests/runtime/app_e2e/definition_builder.h"

namespace formwick::e2e {
namespace {

using e2e::PrintTo;

// One input line "In:" into Var 1; Real lines have two decimals, an
// initial text is the line's initial value, an initial variable (with the
// text as its fallback) replaces it.
struct ValueCase {
    const char* name;
    int type = kLineText;
    const char* keys = ""; // typed into the line, before ENTER
    std::string value;
    int maximum = 10;
    int alignment = kAlignVariable;
    bool negative = false;
    const char16_t* initialText = nullptr;
    int initialVariable = 0;
    const char16_t* prefix = nullptr;
    const char16_t* suffix = nullptr;
};

const ValueCase kValues[] = {
    {.name = "PrefixAndSuffix", .keys = "12", .value = "P-12-S", .prefix = u"P-", .suffix = u"-S"},
    {.name = "IntegerLosesLeadingZeros", .type = kLineInteger, .keys = "007", .value = "7"},
    {.name = "IntegerOfZerosIsEmpty", .type = kLineInteger, .keys = "000", .value = ""},
    {.name = "RealGetsItsDecimals", .type = kLineReal, .keys = "5", .value = "5.00"},
    {.name = "RealPointFirst", .type = kLineReal, .keys = "POINT\n5", .value = "0.50"},
    {.name = "NegativeRealBelowOne", .type = kLineReal, .keys = "TYPE \"-.5\"", .value = "-0.50", .negative = true},
    {.name = "NegativeRightAlignedWithZeros", .type = kLineInteger, .keys = "TYPE \"-42\"", .value = "-00042",
     .maximum = 6, .alignment = kAlignRightZero, .negative = true},
    {.name = "RightAlignedWithSpaces", .keys = "12", .value = "   12", .maximum = 5, .alignment = kAlignRightSpace},
    {.name = "LeftAlignedWithZerosIsCut", .keys = "12", .value = "1200", .maximum = 4, .alignment = kAlignLeftZero},
    {.name = "InitialTextAccepted", .type = kLineInteger, .value = "42", .initialText = u"0042"},
    {.name = "InitialTextReplacedByTheFirstKey", .type = kLineInteger, .keys = "9", .value = "9", .initialText = u"42"},
    {.name = "InitialFromAnEmptyVariableFallsBackToText", .value = "none", .initialText = u"none", .initialVariable = 5},
};

class InputValue : public AppRun, public ::testing::WithParamInterface<ValueCase> {};

TEST_P(InputValue, IsStoredAsTheLineMadeIt) {
    CParamForm& form = app.forms[0];
    const ValueCase& c = GetParam();
    CFormLine& line = input_line(form, 0, c.type, "In:", 1, c.maximum);
    line.more.alignment = c.alignment;
    line.more.allowNegative = c.negative ? 1 : 0;
    line.more.decimalPlaces = 1;
    if (c.initialText) {
        line.more.initialKind = c.initialVariable ? 2 : 1;
        line.more.initialVariable = c.initialVariable;
        line.more.setInitialTextText(c.initialText);
    }
    line.more.addPrefix = c.prefix ? 1 : 0;
    if (c.prefix) line.more.setPrefixText(c.prefix);
    line.more.addSuffix = c.suffix ? 1 : 0;
    if (c.suffix) line.more.setSuffixText(c.suffix);
    save_on_next(form, 0);
    separated_data(app.dataFiles[0], 0, {{1, 20}});
    std::string script = kInput;
    if (*c.keys) script += std::string(c.keys) + "\n";
    run(script + "ENTER\n");
    EXPECT_EQ(file_text("Data1.txt"), c.value + "\r\n");
}

INSTANTIATE_TEST_SUITE_P(Lines, InputValue, ::testing::ValuesIn(kValues), CaseName());

// Going back from an input line passes over the Fixed line above it to the
// input line before, whose new value then shows in the Fixed line too.
TEST_F(AppRun, UpGoesBackOverLinesWithoutInput) {
    CParamForm& form = app.forms[0];
    plain_line(form, 0, kLineFixed, "Was:", 1);
    input_line(form, 1, kLineInteger, "A:", 1, 4);
    plain_line(form, 2, kLineFixed, "Copy:", 1);
    input_line(form, 3, kLineInteger, "B:", 2, 4);
    save_on_next(form, 0);
    separated_data(app.dataFiles[0], 0, {{1, 4}, {2, 4}});

    const std::string script = std::string(kInput) + "1\nENTER\n2\nUP\nSCREEN\n3\nENTER\nSCREEN\n4\nENTER\n" +
                               "UP\nUP\nSCREEN\n5\nENTER\n6\nENTER\n";
    const std::vector<std::string> screens = screens_of(run(script));

    ASSERT_EQ(screens.size(), 3u);
    EXPECT_EQ(screens[0], "Was:\nA:\nCopy:1\nB:2"); // the line's editor starts empty again
    EXPECT_EQ(screens[1], "Was:\nA:3\nCopy:3\nB:");
    // On the first input line, going back runs the form from its first line.
    EXPECT_EQ(screens[2], "Was:3\nA:\nCopy:\nB:");
    EXPECT_EQ(file_text("Data1.txt"), "3,4\r\n5,6\r\n");
}

} // namespace
} // namespace formwick::e2e
