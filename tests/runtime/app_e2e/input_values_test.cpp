// What an input line puts into its variable, end to end: typed keys, the
// line's settings, and the record that stores the variable as it is.
#include "runtime/app/value_fit.h"
#include "tests/runtime/app_e2e/app_run.h"
#include "tests/runtime/app_e2e/definition_builder.h"

namespace formwick::e2e {
namespace {

using e2e::PrintTo;

struct ValueCase {
    const char* name;
    void (*settings)(CFormLine&);
    const char* keys; // typed into the line, before ENTER
    std::string value;
};

void text_line(CFormLine& l) { l.dataType = kLineText; }
void integer_line(CFormLine& l) { l.dataType = kLineInteger; }
void real_line(CFormLine& l) {
    l.dataType = kLineReal;
    l.more.decimalPlaces = 1; // two
}

const ValueCase kValues[] = {
    {"PrefixAndSuffix",
     [](CFormLine& l) {
         text_line(l);
         l.more.addPrefix = l.more.addSuffix = 1;
         l.more.setPrefixText(u"P-");
         l.more.setSuffixText(u"-S");
     },
     "12", "P-12-S"},
    {"IntegerLosesLeadingZeros", integer_line, "007", "7"},
    {"IntegerOfZerosIsEmpty", integer_line, "000", ""},
    {"RealGetsItsDecimals", real_line, "5", "5.00"},
    {"RealPointFirst", real_line, "POINT\n5", "0.50"},
    {"NegativeRealBelowOne",
     [](CFormLine& l) {
         real_line(l);
         l.more.allowNegative = 1;
     },
     "TYPE \"-.5\"", "-0.50"},
    {"NegativeRightAlignedWithZeros",
     [](CFormLine& l) {
         integer_line(l);
         l.more.allowNegative = 1;
         l.maximum = 6;
         l.more.alignment = kAlignRightZero;
     },
     "TYPE \"-42\"", "-00042"},
    {"RightAlignedWithSpaces",
     [](CFormLine& l) {
         text_line(l);
         l.maximum = 5;
         l.more.alignment = kAlignRightSpace;
     },
     "12", "   12"},
    {"LeftAlignedWithZerosIsCut",
     [](CFormLine& l) {
         text_line(l);
         l.maximum = 4;
         l.more.alignment = kAlignLeftZero;
     },
     "12", "1200"},
    {"InitialTextAccepted",
     [](CFormLine& l) {
         integer_line(l);
         l.more.initialKind = 1;
         l.more.setInitialTextText(u"0042");
     },
     "", "42"},
    {"InitialTextReplacedByTheFirstKey",
     [](CFormLine& l) {
         integer_line(l);
         l.more.initialKind = 1;
         l.more.setInitialTextText(u"42");
     },
     "9", "9"},
    {"InitialFromAnEmptyVariableFallsBackToText",
     [](CFormLine& l) {
         text_line(l);
         l.more.initialKind = 2;
         l.more.initialVariable = 5;
         l.more.setInitialTextText(u"none");
     },
     "", "none"},
};

class InputValue : public AppRun, public ::testing::WithParamInterface<ValueCase> {};

TEST_P(InputValue, IsStoredAsTheLineMadeIt) {
    CParamForm& form = app.forms[0];
    GetParam().settings(input_line(form, 0, kLineText, "In:", 1, 10));
    save_on_next(form, 0);
    separated_data(app.dataFiles[0], 0, {{1, 20}});
    std::string script = kInput;
    if (*GetParam().keys) script += std::string(GetParam().keys) + "\n";
    run(script + "ENTER\n");
    EXPECT_EQ(file_text("Data1.txt"), GetParam().value + "\r\n");
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
