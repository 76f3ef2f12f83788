// Form lines that take no input, end to end: Extension lines continuing
// the value above them, and lines looking a value up in a data file.
#include "model/field_refs.h"
#include "runtime/app/values.h"
#include "runtime/app/value_fit.h"
#include "tests/runtime/app_e2e/app_run.h"
#include "tests/runtime/app_e2e/definition_builder.h"

namespace formwick::e2e {
namespace {

using e2e::PrintTo;

class FormLines : public AppRun {};

// A Text line of 30 characters shows 11 after its prompt; each Extension
// line below it shows the next 16 over the whole width, and one below a
// Fixed line continues that line's value the same way.
TEST_F(FormLines, ExtensionLinesShowTheRestOfTheValueAbove) {
    CParamForm& form = app.forms[0];
    input_line(form, 0, kLineText, "Note:", 1, 30);
    plain_line(form, 1, kLineExtension, "ignored");
    plain_line(form, 2, kLineExtension, "");
    plain_line(form, 3, kLineFixed, "Copy:", 1);
    plain_line(form, 4, kLineExtension, "");
    plain_line(form, 5, kLinePause, "OK").more.alwaysShowLine = 1;

    const std::string script = std::string(kInput) + "SCREEN\n123456789012345678901234567890\nENTER\nSCREEN\n";
    const std::vector<std::string> screens = screens_of(run(script));

    ASSERT_EQ(screens.size(), 2u);
    EXPECT_EQ(screens[0], "Note:\n\n\nCopy:\n\nOK"); // Extension lines draw nothing at first
    EXPECT_EQ(screens[1], "Note:12345678901\n2345678901234567\n890\nCopy:12345678901\n2345678901234567\nOK");
}

// Constants and the system values, shown by Fixed lines and stored in a
// record in UTF-8 like every other value, whatever the code page the
// terminal ID and the application version are kept in.
TEST_F(FormLines, FixedLinesShowConstantsAndSystemValues) {
    app.startup.setConstant(0, u"Depot");
    app.startup.setTerminalIdText(u"Z\u00fcrich");
    app.startup.setApplicationVersionText(u"1.0\u00e9");
    CParamForm& form = app.forms[0];
    const int codes[] = {constant_code(1), kFieldRefTerminalId, kFieldRefOsVersion, kFieldRefInterpreterVersion,
                         kFieldRefApplicationVersion};
    for (int i = 0; i < 5; ++i) plain_line(form, i, kLineFixed, std::string(1, "CTOIA"[i]) + ":", codes[i]);
    plain_line(form, 5, kLinePause, "OK").more.alwaysShowLine = 1;
    save_on_next(form, 0);
    separated_data(app.dataFiles[0], 1, {{codes[0], 10}, {codes[1], 6}, {codes[2], 10}, {codes[3], 10}, {codes[4], 6}});

    const std::vector<std::string> screens = screens_of(run(std::string(kInput) + "SCREEN\nENTER\n"));

    ASSERT_EQ(screens.size(), 1u);
    EXPECT_EQ(screens[0], "C:Depot\nT:Z\xC3\xBCrich\nO:QLTV0207\nI:V00.01\nA:1.0\xC3\xA9\nOK");
    EXPECT_EQ(file_text("Data1.txt"), "Depot;Z\xC3\xBCrich;QLTV0207;V00.01;1.0\xC3\xA9\r\n");
}

struct DataSearchCase {
    const char* name;
    void (*layout)(CParamData&);
    int keyAlignment; // of the key line: a fixed key keeps its padding
    std::string stored;
};

// Data 1 holds key, value, date and time, stored "Update record (sorted)".
const DataSearchCase kDataSearches[] = {
    {"Separated",
     [](CParamData& d) { separated_data(d, 0, {{1, 4}, {2, 6}}); },
     kAlignVariable,
     "1,111,2025/01/01,08:00:00\r\n2,2222,2024/12/24,18:30:00\r\n"},
    {"FixedPositions",
     [](CParamData& d) {
         fixed_data(d, -1, {{1, 4, kAlignLeftSpace}, {2, 6, kAlignLeftSpace}});
         d.recordLength += 10 + 8;
     },
     kAlignLeftSpace,
     "1   111   2025/01/0108:00:00\r\n2   2222  2024/12/2418:30:00\r\n"},
};

class DataSearch : public AppRun, public ::testing::WithParamInterface<DataSearchCase> {};

// Key 2 finds the record and shows its value, date and time; storing a new
// value replaces it, so the next search finds that; key 3 finds nothing
// and empties what was shown.
TEST_P(DataSearch, FindsTheRecordWithItsDateAndTime) {
    CParamData& data = app.dataFiles[0];
    GetParam().layout(data);
    data.storageMode = 1;
    data.addDate = data.addTime = 1;
    write_file("Data1.txt", GetParam().stored);
    CParamForm& form = app.forms[0];
    input_line(form, 0, kLineInteger, "Key:", 1, 4).lookupSource = 4;
    form.lines[0].more.alignment = GetParam().keyAlignment;
    plain_line(form, 1, kLineFixed, "Was:", data_field_code(1, 2));
    plain_line(form, 2, kLineFixed, "On:", data_date_code(1));
    plain_line(form, 3, kLineFixed, "At:", data_time_code(1));
    input_line(form, 4, kLineInteger, "Val:", 2, 6).more.alignment = kAlignLeftSpace;
    save_on_next(form, 0);

    const std::string script = std::string(kInput) + "2\nENTER\nSCREEN\n7\nCLOCK 2025-02-03 04:05:06\nENTER\n" +
                               "2\nENTER\nSCREEN\n9\nENTER\n3\nENTER\nSCREEN\n";
    const std::vector<std::string> screens = screens_of(run(script));

    ASSERT_EQ(screens.size(), 3u);
    EXPECT_EQ(screens[0], "Key:2\nWas:2222\nOn:2024/12/24\nAt:18:30:00\nVal:");
    EXPECT_EQ(screens[1], "Key:2\nWas:7\nOn:2025/02/03\nAt:04:05:06\nVal:");
    EXPECT_EQ(screens[2], "Key:3\nWas:\nOn:\nAt:\nVal:");
    EXPECT_EQ(file_text("Data1.txt").substr(0, GetParam().stored.find('\n') + 1),
              GetParam().stored.substr(0, GetParam().stored.find('\n') + 1)); // the other record kept
}

INSTANTIATE_TEST_SUITE_P(Layouts, DataSearch, ::testing::ValuesIn(kDataSearches), CaseName());

TEST_F(FormLines, AnAppendedDataFileCannotBeSearched) {
    separated_data(app.dataFiles[0], 0, {{1, 4}});
    write_file("Data1.txt", "2\r\n");
    CParamForm& form = app.forms[0];
    input_line(form, 0, kLineInteger, "Key:", 1, 4).lookupSource = 4;
    plain_line(form, 1, kLineFixed, "Was:", data_field_code(1, 1));
    plain_line(form, 2, kLinePause, "OK").more.alwaysShowLine = 1;

    const std::vector<std::string> screens =
        screens_of(run(std::string(kInput) + "2\nENTER\nSCREEN\nENTER\nSCREEN\n"));

    ASSERT_EQ(screens.size(), 2u);
    EXPECT_EQ(screens[0], "     Error\n\nCannot search\ndata file.\n\n\n\n Press any key");
    EXPECT_EQ(screens[1], "Key:2\nWas:\nOK");
}

} // namespace
} // namespace formwick::e2e
