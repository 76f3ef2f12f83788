// From the sheet to the terminal: a form and a menu edited through the
// controls are built into an application file, loaded back and run
// headless; the run shows the edited texts and stores the record the edit
// describes.
#include "editors/editor_pages.h"
#include "editors/editor_sheet.h"
#include "editors/prop_form.h"
#include "editors/prop_menu.h"
#include "tests/editors/editor_test_support.h"
#include "widgets/dialogs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>


using namespace formwick;
using namespace formwick::test;

class RoadTest : public QObject {
    Q_OBJECT

    // What the sheet does not edit yet: start from Menu 1, and Data 1 as
    // fixed records of one 6-character field taken from Var 1, right aligned.
    static void prepare(CParameters& definition) {
        definition.startup.startTarget = 1;
        CParamData& data = definition.dataFiles[0];
        data.fixedSize = 1;
        data.useDelimiter = 0;
        data.fieldCount = 1;
        data.fields[0].variable1 = 1;
        data.fields[0].fieldSize = 6;
        data.fields[0].alignment = 1;
        data.recordLength = 8;
    }

    static void editMenu(CEditorSheet& sheet) {
        sheet.showPage(kPageMenu);
        QWidget* page = sheet.pageById(kPageMenu);
        control<QCheckBox>(page, kMenuUseHeader)->click();
        type_into(control<QWidget>(page, kMenuHeader), QStringLiteral("Shop floor"));
        type_into(control<QWidget>(page, menu_item_name_id(0)), QStringLiteral("Count boxes"));
        choose(control<QWidget>(page, menu_item_next_id(0)), 1); // Form 1
    }

    static void editForm(CEditorSheet& sheet) {
        sheet.showPage(kPageForm);
        QWidget* page = sheet.pageById(kPageForm);
        choose(control<QWidget>(page, form_row_id(0, kColType)), kLineInteger);
        type_into(control<QWidget>(page, form_row_id(0, kColPrompt)), QStringLiteral("Boxes:"));
        choose(control<QWidget>(page, form_row_id(0, kColInput)), 1); // Keypad
        type_into(control<QWidget>(page, form_row_id(0, kColMin)), QStringLiteral("1"));
        type_into(control<QWidget>(page, form_row_id(0, kColMax)), QStringLiteral("4"));
        with_modal([&] { control<QPushButton>(page, form_row_id(0, kColVariable))->click(); },
                   [](QWidget* d) {
                       d->findChild<QRadioButton*>("1065")->click(); // Variable 1
                       d->findChild<QPushButton*>("IDOK")->click();
                   });
        // Kept as typed, so the data field alone decides the padding.
        with_modal([&] { control<QPushButton>(page, form_more_id(0))->click(); },
                   [](QWidget* d) {
                       choose(d->findChild<QComboBox*>("1182"), 4); // Variable size
                       d->findChild<QPushButton*>("IDOK")->click();
                   });
        control<QCheckBox>(page, kFormSaveOnNext)->click();
        choose(control<QWidget>(page, kFormNext), 9); // back to Menu 1
    }

private slots:
    void anEditedFormAndMenuRunOnTheTerminal() {
        CParameters definition;
        prepare(definition);
        CScriptedDialogs dialogs;
        {
            CEditorSheet sheet(definition, dialogs);
            editMenu(sheet);
            editForm(sheet);
            control<QPushButton>(&sheet, "IDOK")->click();
            QCOMPARE(sheet.result(), int(QDialog::Accepted));
        }
        QVERIFY(dialogs.shown.empty());

        QTemporaryDir dir;
        const std::filesystem::path folder = dir.path().toStdString();
        const std::string failure = build_load_and_run(definition, folder,
                                                       "WAIT 6\n"
                                                       "ENTER\n" // Input
                                                       "EXPECT SCREEN \"Shop floor\"\n"
                                                       "EXPECT SCREEN \"Count boxes\"\n"
                                                       "ENTER\n"
                                                       "EXPECT SCREEN \"Boxes:\"\n"
                                                       "42\n"
                                                       "ENTER\n"
                                                       "EXPECT FILE \"Data1.txt\" LINE \"    42\"\n"
                                                       "EXPECT FILE \"Data1.txt\" LINES 1\n"
                                                       "EXPECT SCREEN \"Count boxes\"\n");
        QVERIFY2(failure.empty(), failure.c_str());
        QCOMPARE(QString::fromStdString(file_text(folder / "RAM_DISK" / "Data1.txt")), QStringLiteral("    42\r\n"));
    }
};

QTEST_MAIN(RoadTest)
#include "road_test.moc"
