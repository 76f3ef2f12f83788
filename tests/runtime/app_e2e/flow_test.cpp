// The flow of an application end to end: the version check, the first
// state, menus that store what was chosen, and every way back to the
// runtime main menu, damaged targets included.
#include "runtime/app/runtime_entry.h"
#include "tests/runtime/app_e2e/app_run.h"
#include "tests/runtime/app_e2e/definition_builder.h"

namespace formwick::e2e {
namespace {

using e2e::PrintTo;

const std::string kShiftItems = "1 Early\n2 Late\n3 Night\n\n\n\n";
const std::string kPictureBar = "????????????????";

// Form 1 only shows "Ready" and waits for a key.
void ready_form(CParameters& app) { plain_line(app.forms[0], 0, kLinePause, "Ready").more.alwaysShowLine = 1; }

// Menu 1 "Shift" of three items, each going back to the main menu; the
// header, the item's name and its number are stored in Var 1..3 and saved
// to Data 1.
void shift_menu(CParameters& app, const std::string& header) {
    app.startup.startTarget = 1;
    CParamMenu& menu = app.menus[0];
    menu_items(menu, header, {{"Early", kTargetMainMenu}, {"Late", kTargetMainMenu}, {"Night", kTargetMainMenu}});
    menu.storeHeader = 1;
    menu.headerVariable = 1;
    menu.storeItemName = 1;
    menu.itemNameVariable = 2;
    menu.storeItemNumber = 1;
    menu.itemNumberVariable = 3;
    menu.saveOnNext = 1;
    menu.saveDataFile = 0;
    separated_data(app.dataFiles[0], 0, {{1, 10}, {2, 10}, {3, 2}});
}

struct VersionCase {
    const char* name;
    const char* version;
    bool starts;
};

const VersionCase kVersions[] = {
    {"Current", "V00.01", true},
    {"Newer", "V00.02", false},
    {"Thousand", "V01.00", false},
    {"NotAVersion", "1.0", false},
};

class Version : public AppRun, public ::testing::WithParamInterface<VersionCase> {};

// A refused version stops the start before the data files are checked:
// the Auto "Delete data" does not reach Data1.txt.
TEST_P(Version, OnlyTheCurrentFormatStarts) {
    ready_form(app);
    separated_data(app.dataFiles[0], 0, {{1, 4}});
    app.startup.deleteData = 2;
    write_file("Data1.txt", "A\r\n");

    const char* version = GetParam().version;
    const std::vector<std::string> screens =
        screens_of(run_routine("SCREEN\nENTER\nSCREEN\n", [version] { start_application(version); }));

    ASSERT_EQ(screens.size(), 2u);
    if (GetParam().starts) {
        EXPECT_EQ(screens[0], "Ready");
        EXPECT_FALSE(exists("Data1.txt"));
    } else {
        EXPECT_EQ(screens[0], "     Error\n\nBuild\napplication\nversion too old!\n\n\n Press any key");
        EXPECT_EQ(screens[1], ""); // back where the start began
        EXPECT_EQ(file_text("Data1.txt"), "A\r\n");
    }
}

INSTANTIATE_TEST_SUITE_P(Formats, Version, ::testing::ValuesIn(kVersions), CaseName());

struct StartCase {
    const char* name;
    int startTarget;
    std::string screen;
};

const StartCase kStarts[] = {
    {"Form1", 0, "Ready"},
    {"Menu1", 1, "Shift\n" + kShiftItems + kPictureBar},
};

class StartTarget : public AppRun, public ::testing::WithParamInterface<StartCase> {};

TEST_P(StartTarget, ChoosesTheFirstScreen) {
    ready_form(app);
    shift_menu(app, "Shift");
    app.startup.startTarget = static_cast<std::uint8_t>(GetParam().startTarget);
    const std::vector<std::string> screens = screens_of(run(std::string(kInput) + "SCREEN\n"));
    ASSERT_EQ(screens.size(), 1u);
    EXPECT_EQ(screens[0], GetParam().screen);
}

INSTANTIATE_TEST_SUITE_P(Targets, StartTarget, ::testing::ValuesIn(kStarts), CaseName());

struct MenuCase {
    const char* name;
    std::string header;
    bool storeHeader;
    const char* keys;
    std::string record; // Data1.txt afterwards
};

const MenuCase kMenus[] = {
    {"ThirdItemByItsNumber", "Shift", true, "3", "Shift,Night,3\r\n"},
    {"FirstItemByEnter", "Shift", true, "ENTER", "Shift,Early,1\r\n"},
    {"SecondItemAfterDown", "Shift", true, "DOWN\nENTER", "Shift,Late,2\r\n"},
    {"HeaderNotStored", "Shift", false, "3", ",Night,3\r\n"},
    {"WithoutHeader", "", true, "3", ",Night,3\r\n"},
    {"LeftWithClear", "Shift", true, "CLR", ""},
};

class MenuChoice : public AppRun, public ::testing::WithParamInterface<MenuCase> {};

TEST_P(MenuChoice, StoresWhatWasChosenAndSavesARecord) {
    const MenuCase& c = GetParam();
    shift_menu(app, c.header);
    app.menus[0].storeHeader = c.storeHeader ? 1 : 0;

    const std::string script = std::string(kInput) + "SCREEN\n" + c.keys + "\nCLR\nSCREEN\n";
    const std::vector<std::string> screens = screens_of(run(script));

    ASSERT_EQ(screens.size(), 2u);
    EXPECT_EQ(screens[0], (c.header.empty() ? "" : c.header + "\n") + kShiftItems + (c.header.empty() ? "\n" : "") +
                              kPictureBar);
    EXPECT_NE(screens[1].find(kVersionScreenLine), std::string::npos) << screens[1];
    EXPECT_EQ(file_text("Data1.txt"), c.record);
}

INSTANTIATE_TEST_SUITE_P(Menus, MenuChoice, ::testing::ValuesIn(kMenus), CaseName());

struct BackCase {
    const char* name;
    void (*define)(CParameters&);
    const char* keys;   // after "Input"
    std::string record; // Data1.txt afterwards
};

// Form 1 takes a number into Var 1 and saves it to Data 1.
void number_form(CParameters& app) {
    input_line(app.forms[0], 0, kLineInteger, "No:", 1, 4);
    save_on_next(app.forms[0], 0);
    separated_data(app.dataFiles[0], 0, {{1, 4}});
}

const BackCase kBacks[] = {
    {"FormNextTargetAbove16",
     [](CParameters& app) {
         number_form(app);
         app.forms[0].nextTarget = 17;
     },
     "5\nENTER", "5\r\n"},
    {"FormClearTargetAbove16",
     [](CParameters& app) {
         number_form(app);
         app.forms[0].clrTarget = 99;
     },
     "CLR", ""},
    {"MenuItemNextAbove16",
     [](CParameters& app) {
         shift_menu(app, "Shift");
         app.menus[0].items[0].next = 200;
     },
     "ENTER", "Shift,Early,1\r\n"},
    {"MenuClearTargetAbove16",
     [](CParameters& app) {
         shift_menu(app, "Shift");
         app.menus[0].clrTarget = 30;
     },
     "CLR", ""},
    {"MenuWithoutItems", [](CParameters& app) { app.startup.startTarget = 1; }, "", ""},
    {"FormOfNilLines", [](CParameters&) {}, "", ""},
};

class BackToMainMenu : public AppRun, public ::testing::WithParamInterface<BackCase> {};

// Back in the runtime main menu, the cancel key shows the start-up screen;
// in a form or menu it would lead there instead.
TEST_P(BackToMainMenu, FromEveryWayOut) {
    GetParam().define(app);
    std::string script = kInput;
    if (*GetParam().keys) script += std::string(GetParam().keys) + "\n";
    const std::vector<std::string> screens = screens_of(run(script + "CLR\nSCREEN\n"));

    ASSERT_EQ(screens.size(), 1u);
    EXPECT_NE(screens[0].find(kVersionScreenLine), std::string::npos) << screens[0];
    EXPECT_EQ(file_text("Data1.txt"), GetParam().record);
}

INSTANTIATE_TEST_SUITE_P(Ways, BackToMainMenu, ::testing::ValuesIn(kBacks), CaseName());

} // namespace
} // namespace formwick::e2e
