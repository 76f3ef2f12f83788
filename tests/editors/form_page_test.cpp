// The Form page through its controls: row enabling by font and data type,
// the constants rule, the limits and their message, texts, the More dialog.
#include "editors/dlg_more.h"
#include "editors/editor_pages.h"
#include "editors/editor_sheet.h"
#include "editors/prop_form.h"
#include "tests/editors/editor_test_support.h"
#include "widgets/dialogs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

using namespace formwick;
using namespace formwick::test;

namespace {

// A sheet on a definition with the Form page shown.
struct FormFixture : SheetOnPage {
    explicit FormFixture(const Prepare& prepare = {}) { open(kPageForm, prepare); }
    CPropForm* form() { return static_cast<CPropForm*>(page); }
    using SheetOnPage::at;
    template <class T> T* at(int row, FormRowColumn column) { return control<T>(page, form_row_id(row, column)); }
    QComboBox* list(int id) { return at<QComboBox>(id); }
    void setType(int row, int type) { choose(at<QComboBox>(row, kColType), type); }
};

} // namespace

class FormPageTest : public QObject {
    Q_OBJECT

private slots:
    void theFontDecidesWhichRowsAreUsable() {
        // Rows 8 and 9 cannot be edited with "Large": their types come from the definition.
        FormFixture f([](CParameters& d) {
            d.forms[0].lines[8].dataType = kLineText;
            d.forms[0].lines[9].dataType = kLineFixed;
        });
        QVERIFY(f.at<QComboBox>(7, kColType)->isEnabled());
        for (int row : {8, 9})
            for (FormRowColumn c : {kColType, kColPrompt, kColVariable})
                QVERIFY(!f.at<QWidget>(row, c)->isEnabled());
        QVERIFY(!f.at(form_more_id(9))->isEnabled());

        choose(f.list(kFormFont), 1); // Medium
        QVERIFY(f.at<QWidget>(8, kColMin)->isEnabled());   // Text: limits on
        QVERIFY(f.at<QWidget>(9, kColVariable)->isEnabled()); // Fixed: variable on,
        QVERIFY(!f.at<QWidget>(9, kColInput)->isEnabled());   // input off,
        QVERIFY(!f.at(form_more_id(9))->isEnabled());     // no More
    }

    void eachDataTypeEnablesItsControls() {
        // prompt, input, limits, variable, lookup, more
        const struct {
            int type;
            bool on[6];
        } cases[] = {
            {kLineNil, {0, 0, 0, 0, 0, 0}},      {kLineText, {1, 1, 1, 1, 1, 1}},
            {kLineReal, {1, 1, 1, 1, 1, 1}},     {kLineBoolean, {1, 1, 0, 1, 1, 1}},
            {kLineLookup, {1, 0, 0, 1, 1, 1}},   {kLineCounter, {1, 0, 0, 0, 0, 1}},
            {kLineFixed, {1, 0, 0, 1, 0, 0}},    {kLinePause, {1, 1, 0, 0, 0, 1}},
            {kLineExtension, {0, 0, 0, 0, 0, 0}},
        };
        FormFixture f;
        for (const auto& c : cases) {
            f.setType(2, c.type);
            const bool shown[6] = {f.at<QWidget>(2, kColPrompt)->isEnabled(), f.at<QWidget>(2, kColInput)->isEnabled(),
                                   f.at<QWidget>(2, kColMax)->isEnabled(), f.at<QWidget>(2, kColVariable)->isEnabled(),
                                   f.at<QWidget>(2, kColLookup)->isEnabled(), f.at(form_more_id(2))->isEnabled()};
            for (int k = 0; k < 6; ++k) QVERIFY2(shown[k] == c.on[k], qPrintable(QStringLiteral("type %1 control %2").arg(c.type).arg(k)));
        }
    }

    void aConstantStaysOnlyOnAFixedLine() {
        FormFixture f;
        f.setType(0, kLineFixed);
        with_modal([&] { f.at<QPushButton>(0, kColVariable)->click(); },
                   [](QWidget* d) {
                       QVERIFY(d->findChild<QRadioButton*>("1283")->isEnabled());
                       d->findChild<QRadioButton*>("1283")->click(); // Const 2
                       d->findChild<QPushButton*>("IDOK")->click();
                   });
        QCOMPARE(f.at<QPushButton>(0, kColVariable)->text(), QStringLiteral("Const 2"));
        QCOMPARE(f.form()->workingForm(0).lines[0].variable, 88);
        f.setType(0, kLineFixed); // retyping the same type keeps it
        QCOMPARE(f.form()->workingForm(0).lines[0].variable, 88);
        f.setType(0, kLineText);
        QCOMPARE(f.form()->workingForm(0).lines[0].variable, 0);
        QCOMPARE(f.at<QPushButton>(0, kColVariable)->text(), QStringLiteral("Nil"));

        // A Text line is offered no constants or terminal values.
        with_modal([&] { f.at<QPushButton>(0, kColVariable)->click(); },
                   [](QWidget* d) {
                       QVERIFY(!d->findChild<QRadioButton*>("1283")->isEnabled());
                       QVERIFY(!d->findChild<QRadioButton*>("1285")->isEnabled());
                       d->findChild<QRadioButton*>("1066")->click(); // Variable 2
                       d->findChild<QPushButton*>("IDOK")->click();
                   });
        QCOMPARE(f.form()->workingForm(0).lines[0].variable, 2);
    }

    void customFontFollowsTheStartupFlag() {
        FormFixture f;
        QCOMPARE(f.list(kFormFont)->count(), 2);
        f.sheet->showPage(kPageMenu);
        f.sheet->context().customFontLoaded = true;
        f.sheet->context().customFontLines = 5;
        f.sheet->showPage(kPageForm);
        QCOMPARE(f.list(kFormFont)->count(), 3);
        QCOMPARE(f.list(kFormFont)->itemText(2), QStringLiteral("Custom"));
        f.setType(4, kLineText);
        choose(f.list(kFormFont), 2);
        QVERIFY(f.at<QWidget>(4, kColType)->isEnabled());
        QVERIFY(!f.at<QWidget>(5, kColType)->isEnabled()); // 5 lines only

        f.sheet->showPage(kPageMenu);
        f.sheet->context().customFontLoaded = false;
        f.sheet->showPage(kPageForm);
        QCOMPARE(f.list(kFormFont)->count(), 2);
        QCOMPARE(f.list(kFormFont)->currentIndex(), 0);
        QCOMPARE(f.form()->workingForm(0).font, 0);
        QVERIFY(!f.at<QWidget>(8, kColType)->isEnabled());
    }

    void limitsAreCheckedAndStoredAsTheyRead() {
        FormFixture f;
        f.setType(0, kLineInteger);
        const QString message = QStringLiteral("Enter an integer between 0 and 100.");
        const struct {
            const char* text;
            int stored;
            bool message;
        } cases[] = {{"12", 12, false}, {"150", 150, true}, {"-5", 150, true}, {"abc", 0, true}, {"100", 100, false}};
        for (const auto& c : cases) {
            f.dialogs.shown.clear();
            type_into(f.at<QLineEdit>(0, kColMax), QString::fromUtf8(c.text));
            QCOMPARE(f.form()->workingForm(0).lines[0].maximum, c.stored);
            QCOMPARE(f.dialogs.texts(), c.message ? QStringList{message} : QStringList{});
        }
        // Out of range text keeps the sheet open on the page.
        type_into(f.at<QLineEdit>(0, kColMin), QStringLiteral("101"));
        f.dialogs.shown.clear();
        f.ok();
        QCOMPARE(f.dialogs.texts(), QStringList{message});
        QCOMPARE(f.sheet->result(), int(QDialog::Rejected));
        QVERIFY(!f.sheet->showPage(kPageMenu));
        QCOMPARE(f.definition.forms[0].lines[0].dataType, kLineNil);
    }

    void aMinimumAboveTheMaximumIsShownAsNeverComplete() {
        FormFixture f;
        f.setType(1, kLineText);
        auto* warning = control<QLabel>(f.page, "minMaxWarning");
        QVERIFY(warning->text().isEmpty());
        type_into(f.at<QLineEdit>(1, kColMin), QStringLiteral("20"));
        type_into(f.at<QLineEdit>(1, kColMax), QStringLiteral("10"));
        QCOMPARE(f.form()->workingForm(0).lines[1].minimum, 20);
        QVERIFY(warning->text().startsWith(QStringLiteral("Line 2: the minimum is larger than the maximum")));
        type_into(f.at<QLineEdit>(1, kColMax), QStringLiteral("30"));
        QVERIFY(warning->text().isEmpty());
    }

    void promptsAreStoredAsUtf8CutAtWholeCharacters() {
        FormFixture f;
        f.setType(0, kLineText);
        type_into(f.at<QLineEdit>(0, kColPrompt), QString(50, QChar(0x00E9))); // 100 bytes as UTF-8
        const std::string stored(text_bytes(f.form()->workingForm(0).lines[0].prompt));
        QCOMPARE(stored.size(), std::size_t(84));
        QCOMPARE(QString::fromUtf8(stored), QString(42, QChar(0x00E9)));
    }

    void showingTheShownFormChangesNothing() {
        FormFixture f;
        f.at<QLineEdit>(0, kColMax)->setText(QStringLiteral("77")); // typed, focus not yet lost
        choose(f.list(kFormName), 0);
        QCOMPARE(f.at<QLineEdit>(0, kColMax)->text(), QStringLiteral("77"));
        choose(f.list(kFormName), 1);
        choose(f.list(kFormName), 0);
        QCOMPARE(f.at<QLineEdit>(0, kColMax)->text(), QStringLiteral("40"));
    }

    void moreOpensOnTheLineAndCancelKeepsIt() {
        FormFixture f;
        choose(f.list(kFormName), 1);
        f.setType(2, kLineText);
        const std::string before = json_of(f.definition);
        with_modal([&] { static_cast<QPushButton*>(f.at(form_more_id(2)))->click(); },
                   [](QWidget* d) {
                       QCOMPARE(d->findChild<QLabel*>("1181")->text(), QStringLiteral("Form #2 \t Line #3"));
                       d->findChild<QCheckBox*>("1186")->click();
                       d->findChild<QPushButton*>("IDCANCEL")->click();
                   });
        QCOMPARE(f.form()->workingForm(1).lines[2].more.addPrefix, std::uint8_t(0));

        // OK stores the dialog's copy: prefix in the code page, mark as UTF-8.
        with_modal([&] { static_cast<QPushButton*>(f.at(form_more_id(2)))->click(); },
                   [](QWidget* d) {
                       d->findChild<QCheckBox*>("1186")->click();
                       d->findChild<QLineEdit*>("1189")->setText(QStringLiteral("N\u00BA\u20AC\u4E2D"));
                       d->findChild<QCheckBox*>("1188")->click();
                       d->findChild<QLineEdit*>("1191")->setText(QStringLiteral("\u2192"));
                       d->findChild<QPushButton*>("IDOK")->click();
                   });
        const CMoreProperties& more = f.form()->workingForm(1).lines[2].more;
        QCOMPARE(more.addPrefix, std::uint8_t(1));
        QCOMPARE(std::string(text_bytes(more.prefix)), std::string("N\xBA\x80?")); // Windows-1252
        QCOMPARE(std::string(text_bytes(more.inputMark)), std::string("\xE2\x86\x92"));
        QVERIFY(json_of(f.definition) == before); // the sheet has not been closed yet
    }

    void okWritesTheEditedFormsBack() {
        FormFixture f;
        choose(f.list(kFormName), 2);
        choose(f.list(kFormClr), 10);  // Menu 2
        choose(f.list(kFormNext), 4);  // Form 4
        f.setType(0, kLineReal);
        type_into(f.at<QLineEdit>(0, kColPrompt), QStringLiteral("Weight"));
        choose(f.at<QComboBox>(0, kColInput), 1);
        choose(f.at<QComboBox>(0, kColLookup), 5);
        f.at<QCheckBox>(kFormSaveOnNext)->click();
        QVERIFY(f.list(kFormDataFile)->isEnabled());
        choose(f.list(kFormDataFile), 2);
        f.ok();
        QCOMPARE(f.sheet->result(), int(QDialog::Accepted));
        CParameters expected;
        CParamForm& form = expected.forms[2];
        form.clrTarget = 10;
        form.nextTarget = 4;
        form.lines[0].dataType = kLineReal;
        form.lines[0].setPromptText(u"Weight");
        form.lines[0].inputSource = 1;
        form.lines[0].lookupSource = 5;
        form.saveOnNext = 1;
        form.saveDataFile = 2;
        QVERIFY(json_of(f.definition) == json_of(expected));
    }
};

QTEST_MAIN(FormPageTest)
#include "form_page_test.moc"
