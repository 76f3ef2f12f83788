// Lookups end to end: a lookup file found and not found under each
// no-match action, missing under each missing-file action, and a Fixed
// lookup file of the wrong size under each bad-format action.
#include "model/field_refs.h"
#include "tests/runtime/app_e2e/app_run.h"
#include "tests/runtime/app_e2e/definition_builder.h"

namespace formwick::e2e {
namespace {

using e2e::PrintTo;

const std::string kLookupLines = "12;Apple;3\r\n34;Banana;5\r\n";
// What the failed open of a missing lookup file shows.
constexpr const char* kOpenFailure = "Cannot open/create database. Lookup1.txt";
const std::string kMissedMenu = "Missed\n1 Again\n\n\n\n\n\n????????????????";

// Form 1 looks the item up in Lookup 1, shows its name (Look 1-2), takes a
// quantity and stores item, name and quantity in Data 1; a miss may go to
// Menu 2 ("Missed").
void item_form(CParameters& app) {
    CParamForm& form = app.forms[0];
    input_line(form, 0, kLineInteger, "Item:", 1, 2).lookupSource = 1;
    plain_line(form, 1, kLineFixed, "Name:", lookup_field_code(1, 2));
    input_line(form, 2, kLineInteger, "Qty:", 2, 3);
    save_on_next(form, 0);
    separated_data(app.dataFiles[0], 0, {{1, 2}, {lookup_field_code(1, 2), 10}, {2, 3}});
    csv_lookup(app.lookups[0], 1, {2, 10, 3});
    app.lookups[0].noMatchTarget = menu_target(2);
    menu_items(app.menus[1], "Missed", {{"Again", form_target(1)}});
}

struct NoMatchCase {
    const char* name;
    int action;
    bool warns; // "search item not found in database."
    bool goes;  // to the no-match target, storing nothing
};

const NoMatchCase kNoMatch[] = {
    {"Continue", 0, false, false},
    {"ShowWarning", 1, true, false},
    {"Goto", 2, false, true},
    {"WarningAndGoto", 3, true, true},
};

class NoMatch : public AppRun, public ::testing::WithParamInterface<NoMatchCase> {};

// Item 34 is found and stored with its name; item 56 is not, and its
// record (when one is stored) has the name emptied.
TEST_P(NoMatch, FoundFillsTheFieldsAMissFollowsTheAction) {
    const NoMatchCase& c = GetParam();
    item_form(app);
    app.lookups[0].noMatchAction = c.action;
    write_file("Lookup1.txt", kLookupLines);

    std::string script = std::string(kInput) + "34\nENTER\nSCREEN\n5\nENTER\n56\nENTER\nSCREEN\n";
    if (c.warns) script += "ENTER\n";
    if (!c.goes) script += "7\nENTER\n";
    const std::vector<std::string> screens = screens_of(run(script + "SCREEN\n"));

    ASSERT_EQ(screens.size(), 3u);
    EXPECT_EQ(screens[0], "Item:34\nName:Banana\nQty:");
    EXPECT_EQ(screens[1], c.warns  ? "    Warning\n\nsearch item not\nfound in\ndatabase.\nLookup1.txt\n\n Press any key"
                          : c.goes ? kMissedMenu
                                   : "Item:56\nName:\nQty:");
    EXPECT_EQ(screens[2], c.goes ? kMissedMenu : "Item:\nName:\nQty:");
    EXPECT_EQ(file_text("Data1.txt"), c.goes ? "34,Banana,5\r\n" : "34,Banana,5\r\n56,,7\r\n");
    EXPECT_EQ(file_text("Lookup1.txt"), kLookupLines);
}

INSTANTIATE_TEST_SUITE_P(Actions, NoMatch, ::testing::ValuesIn(kNoMatch), CaseName());

struct MissingCase {
    const char* name;
    int action;
    int badFormatAction;
    bool shows; // "File does not exist.", and with "Show error & continue" the failed open's message
    bool starts;
};

// "Show error & continue" goes on to open the file; its failure is shown
// and the bad-format choice decides, as for a file that does not open.
const MissingCase kMissing[] = {
    {"ShowErrorAndGotoMainMenu", 0, 2, true, false},
    {"ShowErrorAndContinueThenGotoMainMenu", 1, 0, true, false},
    {"ShowErrorAndContinueThenContinue", 1, 2, true, true},
    {"GotoMain", 2, 2, false, false},
};

class MissingLookup : public AppRun, public ::testing::WithParamInterface<MissingCase> {};

TEST_P(MissingLookup, StopsOrStartsTheApplication) {
    const MissingCase& c = GetParam();
    item_form(app);
    app.lookups[0].missingAction = c.action;
    app.lookups[0].badFormatAction = c.badFormatAction;
    const bool opens = c.action == 1; // the check goes on to open the file

    const std::string boxes = c.shows ? opens ? "EXPECT BOX ERROR \"File does not exist. Lookup1.txt\"\nENTER\n"
                                                "EXPECT BOX ERROR \"" + std::string(kOpenFailure) + "\"\nENTER\n"
                                              : "EXPECT BOX ERROR \"File does not exist. Lookup1.txt\"\nENTER\n"
                                      : "";
    std::string script = std::string(kInput) + boxes;
    // Started: the search checks the file again and says so once more; the
    // form then goes on with an empty name.
    script += c.starts ? "34\nENTER\n" + boxes + "5\nENTER\nSCREEN\n" : "CLR\nSCREEN\n";
    const std::vector<std::string> screens = screens_of(run(script));

    if (c.starts) {
        ASSERT_EQ(screens.size(), 1u);
        EXPECT_EQ(screens[0], "Item:\nName:\nQty:");
        EXPECT_EQ(file_text("Data1.txt"), "34,,5\r\n");
    } else {
        ASSERT_EQ(screens.size(), 1u);
        EXPECT_NE(screens.back().find(kVersionScreenLine), std::string::npos) << screens.back();
        EXPECT_FALSE(exists("Data1.txt"));
    }
    EXPECT_FALSE(exists("Lookup1.txt"));
    EXPECT_FALSE(exists("Lookup1.idx"));
}

INSTANTIATE_TEST_SUITE_P(Actions, MissingLookup, ::testing::ValuesIn(kMissing), CaseName());

struct BadFormatCase {
    const char* name;
    int action;
    bool starts;
};

// What the open failure of a check leads to: "Goto main menu" keeps the
// application from starting; the other two let it start without the file,
// which is never deleted.
const BadFormatCase kBadFormat[] = {
    {"ShowErrorAndGotoMainMenu", 0, false},
    {"ShowErrorAndDeleteLookup", 1, true},
    {"Continue", 2, true},
};

class WrongSizeLookup : public AppRun, public ::testing::WithParamInterface<BadFormatCase> {};

TEST_P(WrongSizeLookup, IsReportedAndKept) {
    const BadFormatCase& c = GetParam();
    item_form(app);
    fixed_lookup(app.lookups[0], 7, {{0, 2}, {2, 3}}); // "12ABC" CR LF
    app.lookups[0].badFormatAction = c.action;
    const std::string lookup = "12ABC\r\n34DEF\r\nX"; // 15 bytes: not a whole number of records
    write_file("Lookup1.txt", lookup);

    std::string script = std::string(kInput) + "SCREEN\nENTER\n";
    // Started: the check before the search reports the file once more; the
    // form goes on with an empty name.
    script += c.starts ? "12\nENTER\nSCREEN\nENTER\n5\nENTER\nSCREEN\n" : "CLR\nSCREEN\n";
    const std::vector<std::string> screens = screens_of(run(script));

    const std::string error = "     Error\n\nDatabase has\nwrong format.\nLookup1.txt\n\n\n Press any key";
    ASSERT_GE(screens.size(), 2u);
    EXPECT_EQ(screens[0], error);
    if (c.starts) {
        ASSERT_EQ(screens.size(), 3u);
        EXPECT_EQ(screens[1], error);
        EXPECT_EQ(screens[2], "Item:\nName:\nQty:");
        EXPECT_EQ(file_text("Data1.txt"), "12,,5\r\n");
    } else {
        EXPECT_NE(screens.back().find(kVersionScreenLine), std::string::npos) << screens.back();
        EXPECT_FALSE(exists("Data1.txt"));
    }
    EXPECT_EQ(file_text("Lookup1.txt"), lookup);
    EXPECT_FALSE(exists("Lookup1.idx"));
}

INSTANTIATE_TEST_SUITE_P(Actions, WrongSizeLookup, ::testing::ValuesIn(kBadFormat), CaseName());


struct LastFieldCase {
    const char* name;
    std::string lookupLines;
    std::initializer_list<int> maxLengths;
    int keyField;
    int shownField; // 1..3: the field Form 1 shows and stores
    std::string screen;
    std::string record;
};

// The last field of a CSV line runs to the line's end: neither a key nor a
// found value may keep that line end.
const LastFieldCase kLastFields[] = {
    {"AsTheKey", "Apple;12\r\nBanana;34\r\n", {10, 2}, 1, 1, "Item:34\nName:Banana", "34,Banana\r\n"},
    {"AsAValue", "12;Apple;3\r\n34;Banana;5\r\n", {2, 10, 10}, 0, 3, "Item:34\nName:5", "34,5\r\n"},
};

class LastCsvField : public AppRun, public ::testing::WithParamInterface<LastFieldCase> {};

TEST_P(LastCsvField, IsFoundShownAndStoredWithoutTheLineEnd) {
    const LastFieldCase& c = GetParam();
    CParamForm& form = app.forms[0];
    input_line(form, 0, kLineInteger, "Item:", 1, 2).lookupSource = 1;
    plain_line(form, 1, kLineFixed, "Name:", lookup_field_code(1, c.shownField));
    plain_line(form, 2, kLinePause, "OK").more.alwaysShowLine = 1;
    save_on_next(form, 0);
    separated_data(app.dataFiles[0], 0, {{1, 2}, {lookup_field_code(1, c.shownField), 10}});
    csv_lookup(app.lookups[0], 1, c.maxLengths, c.keyField);
    app.lookups[0].noMatchAction = 1;
    write_file("Lookup1.txt", c.lookupLines);

    const std::vector<std::string> screens = screens_of(run(std::string(kInput) + "34\nENTER\nSCREEN\nENTER\nSCREEN\n"));

    ASSERT_EQ(screens.size(), 2u);
    EXPECT_EQ(screens[0], c.screen + "\nOK");
    EXPECT_EQ(screens[1], "Item:\nName:\nOK"); // stored without a message, the form again
    EXPECT_EQ(file_text("Data1.txt"), c.record);
}

INSTANTIATE_TEST_SUITE_P(Lookups, LastCsvField, ::testing::ValuesIn(kLastFields), CaseName());


// The run stops while the no-match warning waits for a key, with the
// lookup file open: the file is closed on the way out and its index,
// written back, passes the check.
TEST_F(AppRun, StopDuringTheNoMatchWarningLeavesASoundIndex) {
    item_form(app);
    app.lookups[0].noMatchAction = 1;
    write_file("Lookup1.txt", kLookupLines);
    const std::vector<std::string> screens = screens_of(run(std::string(kInput) + "56\nENTER\nSCREEN\n"));
    ASSERT_EQ(screens.size(), 1u);
    EXPECT_NE(screens[0].find("search item not"), std::string::npos) << screens[0];
    EXPECT_EQ(index_of("Lookup1.idx").size(), 2u);
}

struct LookupLineCase {
    const char* name;
    const char* typed;
    std::string screen; // after the Lookup line ran
    std::string record;
};

const LookupLineCase kLookupLineCases[] = {
    {"Found", "34", "Item:34\nName:Banana\nQty:", "34,Banana,5\r\n"},
    {"MissedGoesToItsTarget", "56", kMissedMenu, ""},
};

class LookupLine : public AppRun, public ::testing::WithParamInterface<LookupLineCase> {};

// A Lookup line takes no input: it searches with the value its variable
// already holds (typed on the line above) and shows the match's name.
TEST_P(LookupLine, SearchesWithTheValueItsVariableHolds) {
    item_form(app);
    CParamForm& form = app.forms[0];
    form.lines[0].lookupSource = 0; // only takes the item
    CFormLine& lookup = plain_line(form, 1, kLineLookup, "Name:", 1);
    lookup.lookupSource = 1;
    lookup.more.matchDisplayField = lookup_field_code(1, 2);
    app.lookups[0].noMatchAction = 2;
    write_file("Lookup1.txt", kLookupLines);

    const std::string script = std::string(kInput) + GetParam().typed + "\nENTER\nSCREEN\n5\nENTER\n";
    const std::vector<std::string> screens = screens_of(run(script));

    ASSERT_EQ(screens.size(), 1u);
    EXPECT_EQ(screens[0], GetParam().screen);
    EXPECT_EQ(file_text("Data1.txt"), GetParam().record);
}

INSTANTIATE_TEST_SUITE_P(Lookups, LookupLine, ::testing::ValuesIn(kLookupLineCases), CaseName());

// The third lookup file fills the third lookup's values, and a form saves
// into the third data file.
TEST_F(AppRun, ThirdLookupIntoThirdDataFile) {
    item_form(app);
    CParamForm& form = app.forms[0];
    form.lines[0].lookupSource = 3;
    form.lines[1].variable = lookup_field_code(3, 2);
    form.saveDataFile = 2;
    app.dataFiles[2] = app.dataFiles[0];
    app.dataFiles[2].setFileName(u"Data3.txt");
    app.dataFiles[2].fields[1].variable1 = lookup_field_code(3, 2);
    app.dataFiles[0] = CParamData(1);
    app.lookups[2] = app.lookups[0];
    app.lookups[2].setFileName(u"Lookup3.txt");
    app.lookups[0] = CParamLookup(1);
    write_file("Lookup3.txt", kLookupLines);

    const std::vector<std::string> screens = screens_of(run(std::string(kInput) + "12\nENTER\nSCREEN\n5\nENTER\n"));

    ASSERT_EQ(screens.size(), 1u);
    EXPECT_EQ(screens[0], "Item:12\nName:Apple\nQty:");
    EXPECT_EQ(file_text("Data3.txt"), "12,Apple,5\r\n");
    EXPECT_FALSE(exists("Data1.txt"));
}

} // namespace
} // namespace formwick::e2e
