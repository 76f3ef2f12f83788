// The road of one application: two values typed into Form 1 end up as a
// line of Data1.txt with its key in the index Data1.idx.
#include "runtime/app/value_fit.h"
#include "tests/runtime/app_e2e/app_run.h"
#include "tests/runtime/app_e2e/definition_builder.h"

#include <functional>

namespace formwick::e2e {
namespace {

using e2e::PrintTo;

// Types AB and 12 into Form 1, then CD and 7 when the form comes again.
constexpr const char* kTwoRecords = "TYPE \"AB\"\nENTER\n12\nCLOCK 2025-01-01 08:00:00\nENTER\n"
                                    "TYPE \"CD\"\nENTER\n7\nCLOCK 2025-06-30 17:45:00\nENTER\nSCREEN\n";

using Key = std::pair<std::string, std::int32_t>;

struct RoadCase {
    const char* name;
    std::function<void(CParameters&)> define;
    std::string lines;     // Data1.txt afterwards
    std::vector<Key> keys; // Data1.idx afterwards, in key order
};

// Form 1: a Text line into Var 1 and an Integer line into Var 2, stored
// into Data 1 at the end; the form comes back after each record.
void two_line_form(CParameters& app, int alignment) {
    CParamForm& form = app.forms[0];
    input_line(form, 0, kLineText, "Name:", 1, 8).more.alignment = alignment;
    input_line(form, 1, kLineInteger, "Qty:", 2, 4).more.alignment = alignment;
    save_on_next(form, 0);
}

const RoadCase kRoads[] = {
    {"FromJsonWithDateAndTime",
     [](CParameters& app) { load_fixture("road.json", app); },
     "AB,12,2025/01/01,08:00:00\r\nCD,7,2025/06/30,17:45:00\r\n",
     {{"AB", 0}, {"CD", 27}}},
    {"SeparatedValuesPaddedByTheirLines", // the lines' default alignment pads each value
     [](CParameters& app) {
         two_line_form(app, kAlignLeftSpace);
         separated_data(app.dataFiles[0], 1, {{1, 8}, {2, 4}});
     },
     "AB      ;12  \r\nCD      ;7   \r\n",
     {{"AB      ", 0}, {"CD      ", 15}}},
    {"FixedPositions",
     [](CParameters& app) {
         two_line_form(app, kAlignVariable);
         fixed_data(app.dataFiles[0], -1, {{1, 8, kAlignLeftSpace}, {2, 4, kAlignRightZero, 0, false}});
     },
     "AB      0012\r\nCD      0007\r\n",
     {{"AB      ", 0}, {"CD      ", 14}}},
    {"FixedPositionsWithSeparator",
     [](CParameters& app) {
         two_line_form(app, kAlignVariable);
         fixed_data(app.dataFiles[0], 2, {{1, 8, kAlignRightSpace}, {2, 4, kAlignRightZero, 0, false}});
         app.dataFiles[0].keyField = 1;
     },
     "      AB|0012\r\n      CD|0007\r\n",
     {{"0007", 15}, {"0012", 0}}},
    {"FixedSizeOfAnotherLengthStoresNothing", // 8 + 4 + CR LF is not 16
     [](CParameters& app) {
         two_line_form(app, kAlignVariable);
         fixed_data(app.dataFiles[0], -1, {{1, 8, kAlignLeftSpace}, {2, 4, kAlignRightZero, 0, false}});
         app.dataFiles[0].recordLength = 16;
     },
     "",
     {}},
};

class Road : public AppRun, public ::testing::WithParamInterface<RoadCase> {};

TEST_P(Road, TwoValuesBecomeALineAndAKey) {
    GetParam().define(app);
    write_file("old.Idx", "left by an earlier run"); // any case
    const std::vector<std::string> screens = screens_of(run(std::string(kInput) + kTwoRecords));

    EXPECT_EQ(file_text("Data1.txt"), GetParam().lines);
    EXPECT_EQ(index_of("Data1.idx"), GetParam().keys);
    EXPECT_FALSE(exists("old.Idx"));
    ASSERT_EQ(screens.size(), 1u);
    EXPECT_EQ(screens[0], "Name:\nQty:"); // Form 1 again, empty
}

INSTANTIATE_TEST_SUITE_P(Layouts, Road, ::testing::ValuesIn(kRoads), CaseName());


// The reader fills a line as the keypad does: a scanned barcode that fits
// the line's type is its value; one that does not is refused and the
// line reads again.
TEST_F(AppRun, ScannedBarcodesBecomeRecordsToo) {
    scanned_code_form(app);

    const std::string script = std::string(kInput) + "SCAN \"4006381333931\"\n5\nENTER\n" +
                               "SCAN \"A-1\"\nSCREEN\nENTER\nSCAN \"ABC 1\"\n7\nENTER\n";
    const std::vector<std::string> screens = screens_of(run(script));

    ASSERT_EQ(screens.size(), 1u);
    EXPECT_EQ(screens[0], "  Information\n\nWrong data type!\n\n\n\n\n Press any key");
    EXPECT_EQ(file_text("Data1.txt"), "4006381333931,5\r\nABC 1,7\r\n");
}

} // namespace
} // namespace formwick::e2e
