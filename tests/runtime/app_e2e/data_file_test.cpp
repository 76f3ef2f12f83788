// Data files end to end: records replaced in a file stored "Update record
// (sorted)", the "Delete data" choices when the application starts, and
// Counter lines counting a file's records.
#include "tests/runtime/app_e2e/app_run.h"
#include "tests/runtime/app_e2e/definition_builder.h"

namespace formwick::e2e {
namespace {

using e2e::PrintTo;

const std::string kQuestion =
    "    Warning\n\nAre you sure you\nwant to delete\nthe data\nfile(s)?\n\nYes     ?     No";

// Form 1: a key into Var 1 and a value into Var 2, stored into Data 1 as
// "key,value".
void key_value_form(CParameters& app, int storage_mode) {
    CParamForm& form = app.forms[0];
    input_line(form, 0, kLineInteger, "Key:", 1, 4);
    input_line(form, 1, kLineInteger, "Val:", 2, 6);
    save_on_next(form, 0);
    separated_data(app.dataFiles[0], 0, {{1, 4}, {2, 6}});
    app.dataFiles[0].storageMode = storage_mode;
}

struct Entry {
    const char* key;
    const char* value;
};

struct UpdateCase {
    const char* name;
    std::vector<Entry> typed;
    std::string lines; // Data1.txt afterwards
};

const std::string kStored = "1,111\r\n2,2222\r\n3,33\r\n";

const UpdateCase kUpdates[] = {
    {"ShorterGoesLast", {{"2", "7"}}, "1,111\r\n3,33\r\n2,7\r\n"},
    {"LongerGoesLast", {{"2", "123456"}}, "1,111\r\n3,33\r\n2,123456\r\n"},
    {"FirstLineShorter", {{"1", "5"}}, "2,2222\r\n3,33\r\n1,5\r\n"},
    {"LastLineLonger", {{"3", "4444"}}, "1,111\r\n2,2222\r\n3,4444\r\n"},
    {"SameLengthInPlace", {{"2", "9999"}}, "1,111\r\n2,9999\r\n3,33\r\n"},
    {"NewKeyAppended", {{"4", "44"}}, "1,111\r\n2,2222\r\n3,33\r\n4,44\r\n"},
    {"ReplacedTwiceThenOthers",
     {{"2", "7"}, {"2", "123456"}, {"1", "9"}, {"5", "5"}},
     "3,33\r\n2,123456\r\n1,9\r\n5,5\r\n"},
};

class UpdateSorted : public AppRun, public ::testing::WithParamInterface<UpdateCase> {};

TEST_P(UpdateSorted, ReplacesTheRecordWithItsKeyAndKeepsTheOthers) {
    key_value_form(app, 1);
    write_file("Data1.txt", kStored);
    std::string script = kInput;
    for (const Entry& e : GetParam().typed) script += std::string(e.key) + "\nENTER\n" + e.value + "\nENTER\n";
    const std::vector<std::string> screens = screens_of(run(script + "SCREEN\n"));

    EXPECT_EQ(file_text("Data1.txt"), GetParam().lines);
    ASSERT_EQ(screens.size(), 1u); // no message on the way
    EXPECT_EQ(screens[0], "Key:\nVal:");
}

INSTANTIATE_TEST_SUITE_P(Records, UpdateSorted, ::testing::ValuesIn(kUpdates), CaseName());

struct DeleteCase {
    const char* name;
    int deleteData;
    bool data2Only;                   // only Data 2 exists
    std::vector<const char*> answers; // UP yes, DOWN no; one per question
    bool keeps1, keeps2;
};

const DeleteCase kDeletes[] = {
    {"ManualYesYes", 1, false, {"UP", "UP"}, false, false},
    {"ManualYesNo", 1, false, {"UP", "DOWN"}, false, true},
    {"ManualNoYes", 1, false, {"DOWN", "UP"}, true, false},
    {"ManualNoNo", 1, false, {"DOWN", "DOWN"}, true, true},
    {"ManualAsksOnlyForFilesThatExist", 1, true, {"UP"}, false, false},
    {"Auto", 2, false, {}, false, false},
    {"No", 0, false, {}, true, true},
    {"Communication", 3, false, {}, true, true},
};

class DeleteData : public AppRun, public ::testing::WithParamInterface<DeleteCase> {};

TEST_P(DeleteData, DeletesTheDataFilesItWasToldTo) {
    const DeleteCase& c = GetParam();
    plain_line(app.forms[0], 0, kLinePause, "Ready").more.alwaysShowLine = 1;
    for (CParamData& data : app.dataFiles) separated_data(data, 0, {{1, 4}});
    app.startup.deleteData = static_cast<std::uint8_t>(c.deleteData);
    if (!c.data2Only) write_file("Data1.txt", "A\r\n");
    write_file("Data2.txt", "B\r\n");

    std::string script = kInput;
    for (const char* answer : c.answers) script += std::string("SCREEN\n") + answer + "\n";
    const std::vector<std::string> screens = screens_of(run(script + "SCREEN\n"));

    ASSERT_EQ(screens.size(), c.answers.size() + 1);
    for (std::size_t i = 0; i < c.answers.size(); ++i) EXPECT_EQ(screens[i], kQuestion) << i;
    EXPECT_EQ(screens.back(), "Ready"); // the application started
    EXPECT_EQ(file_text("Data1.txt"), c.keeps1 ? "A\r\n" : "");
    EXPECT_EQ(file_text("Data2.txt"), c.keeps2 ? "B\r\n" : "");
    // A deleted file takes its index along; a kept one has it rebuilt.
    EXPECT_EQ(exists("Data1.idx"), c.keeps1);
    EXPECT_EQ(exists("Data2.idx"), c.keeps2);
    EXPECT_FALSE(exists("Data3.txt"));
}

INSTANTIATE_TEST_SUITE_P(Choices, DeleteData, ::testing::ValuesIn(kDeletes), CaseName());

struct CounterCase {
    const char* name;
    int storageMode;
    const char* key;
    const char* after; // the counter when the form comes again
};

const CounterCase kCounters[] = {
    {"AppendCountsEveryRecord", 0, "1", "Count:3"},
    {"UpdateCountsAReplacedRecordOnce", 1, "1", "Count:2"},
    {"UpdateCountsANewKey", 1, "7", "Count:3"},
};

class Counter : public AppRun, public ::testing::WithParamInterface<CounterCase> {};

// Form 1 counts Data 1 (two records on the RAM disk) and Data 2 (no file),
// takes a key and a value and stores them in Data 1.
TEST_P(Counter, ShowsTheRecordsOfItsDataFile) {
    key_value_form(app, GetParam().storageMode);
    CParamForm& form = app.forms[0];
    form.lines[2] = form.lines[1];
    form.lines[1] = form.lines[0];
    plain_line(form, 0, kLineCounter, "Count:").more.counterDataFile = 0;
    plain_line(form, 3, kLineCounter, "Other:").more.counterDataFile = 1;
    write_file("Data1.txt", "1,111\r\n2,2222\r\n");

    const std::string script = std::string(kInput) + "SCREEN\n" + GetParam().key + "\nENTER\n5\nENTER\nSCREEN\n";
    const std::vector<std::string> screens = screens_of(run(script));

    ASSERT_EQ(screens.size(), 2u);
    EXPECT_EQ(screens[0], "Count:2\nKey:\nVal:\nOther:0");
    EXPECT_EQ(screens[1], std::string(GetParam().after) + "\nKey:\nVal:\nOther:0");
}

INSTANTIATE_TEST_SUITE_P(Modes, Counter, ::testing::ValuesIn(kCounters), CaseName());


// A data file that does not open when the application starts keeps its
// records under a backup name; the next start begins with a new file.
TEST_F(AppRun, AnUnreadableDataFileIsSetAsideAndTheNextStartWorks) {
    plain_line(app.forms[0], 0, kLinePause, "Ready").more.alwaysShowLine = 1;
    fixed_data(app.dataFiles[0], -1, {{1, 4}}); // lines of 6 bytes
    const std::string damaged = "1234\r\n12"; // 8 bytes
    write_file("Data1.txt", damaged);

    const std::vector<std::string> screens =
        screens_of(run(std::string(kInput) + "SCREEN\nENTER\nSCREEN\n1\nSCREEN\n"));

    ASSERT_EQ(screens.size(), 3u);
    EXPECT_EQ(screens[0], "     Error\n\nDatabase has\nwrong format.\nData1.txt\n\n\n Press any key");
    EXPECT_EQ(screens[2], "Ready");
    EXPECT_FALSE(exists("Data1.txt"));
    EXPECT_EQ(file_text("Data1.BAK"), damaged);
}

} // namespace
} // namespace formwick::e2e
