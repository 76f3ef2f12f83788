// From the Data and Lookup pages to the terminal: a data file and a lookup
// file described through the controls are built into an application file,
// loaded back and run headless; the lookup finds a key of a real file and
// the record written has the length the Data page computed.
#include "editors/editor_pages.h"
#include "editors/editor_sheet.h"
#include "editors/prop_data.h"
#include "editors/prop_lookup.h"
#include "tests/editors/editor_test_support.h"
#include "widgets/dialogs.h"

#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTemporaryDir>

#include <filesystem>
#include <fstream>

using namespace formwick;
using namespace formwick::test;

class FilesRoadTest : public QObject {
    Q_OBJECT

    // What these pages do not edit: Form 1 starts, asks for an article on
    // the keypad into Var 1, looks it up in Lookup 1 and saves into Data 1.
    static void prepare(CParameters& definition) {
        definition.startup.startTarget = 0;
        CParamForm& form = definition.forms[0];
        form.lines[0].dataType = kLineText;
        form.lines[0].setPromptText(u"Article:");
        form.lines[0].inputSource = 1;
        form.lines[0].maximum = 5;
        form.lines[0].variable = 1;
        form.lines[0].lookupSource = 1;
        form.lines[0].more.alignment = 4; // kept as typed: keys in a CSV file are not padded
        form.saveOnNext = 1;
        form.saveDataFile = 0;
    }

    static void chooseRef(QWidget* page, int buttonId, const char* radioId) {
        with_modal([&] { control<QPushButton>(page, buttonId)->click(); },
                   [radioId](QWidget* d) {
                       d->findChild<QRadioButton*>(radioId)->click();
                       d->findChild<QPushButton*>("IDOK")->click();
                   });
    }

    static void editLookup(CEditorSheet& sheet) {
        sheet.showPage(kPageLookup);
        QWidget* page = sheet.pageById(kPageLookup);
        control<QCheckBox>(page, kLookupPageUse)->click();
        type_into(control<QWidget>(page, kLookupPageFileName), QStringLiteral("ITEMS.TXT"));
        choose(control<QWidget>(page, kLookupPageFileType), 1); // CSV
        choose(control<QWidget>(page, kLookupPageDelimiter), 1); // ;
        type_into(control<QWidget>(page, lookup_max_length_id(0)), QStringLiteral("5"));
        type_into(control<QWidget>(page, lookup_max_length_id(1)), QStringLiteral("10"));
    }

    static void editData(CEditorSheet& sheet) {
        sheet.showPage(kPageData);
        QWidget* page = sheet.pageById(kPageData);
        type_into(control<QWidget>(page, kDataPageFileName), QStringLiteral("PICKS.TXT"));
        choose(control<QWidget>(page, kDataPageFieldCount), 2);
        control<QCheckBox>(page, kDataPageUseDelimiter)->click();
        choose(control<QWidget>(page, kDataPageDelimiter), 2); // |
        chooseRef(page, data_row_id(0, kDataColVariable1), "1065"); // Var 1
        chooseRef(page, data_row_id(1, kDataColVariable1), "1088"); // Look 1-2
        control<QSpinBox>(page, data_row_id(0, kDataColSize))->setValue(5);
        control<QSpinBox>(page, data_row_id(1, kDataColSize))->setValue(10);
    }

private slots:
    void describedFilesWorkOnTheTerminal() {
        CParameters definition;
        prepare(definition);
        CScriptedDialogs dialogs;
        {
            CEditorSheet sheet(definition, dialogs);
            editLookup(sheet);
            editData(sheet);
            control<QPushButton>(&sheet, "IDOK")->click();
            QCOMPARE(sheet.result(), int(QDialog::Accepted));
        }
        QVERIFY2(dialogs.shown.empty(), qPrintable(dialogs.texts().join("\n")));
        QCOMPARE(definition.dataFiles[0].recordLength, 18);

        QTemporaryDir dir;
        const std::filesystem::path folder = dir.path().toStdString();
        std::filesystem::create_directories(folder / "RAM_DISK");
        std::ofstream(folder / "RAM_DISK" / "ITEMS.TXT", std::ios::binary) << "A1;Bolts\r\nA2;Nuts\r\n";
        const std::string failure = build_load_and_run(definition, folder,
                                                       "WAIT 6\n"
                                                       "ENTER\n" // Input
                                                       "EXPECT SCREEN \"Article:\"\n"
                                                       "TYPE \"A2\"\n"
                                                       "ENTER\n"
                                                       "EXPECT FILE \"PICKS.TXT\" LINE \"A2   |Nuts      \"\n"
                                                       "EXPECT FILE \"PICKS.TXT\" LINES 1\n");
        QVERIFY2(failure.empty(), failure.c_str());
        QCOMPARE(int(file_text(folder / "RAM_DISK" / "PICKS.TXT").size()), definition.dataFiles[0].recordLength);
    }
};

QTEST_MAIN(FilesRoadTest)
#include "files_road_test.moc"
