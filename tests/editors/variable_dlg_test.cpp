// The variable selection dialog: radios by index, the three modes, OK and
// Cancel.
#include "editors/variable_dlg.h"
#include "tests/editors/editor_test_support.h"

#include <QPushButton>
#include <QRadioButton>

using namespace formwick;
using formwick::test::with_modal;

class VariableDlgTest : public QObject {
    Q_OBJECT

    static bool enabled(const CVariableDlg& d, int index) { return d.radio(index)->isEnabledTo(const_cast<CVariableDlg*>(&d)); }

private slots:
    void radiosCarryTheirIdsAndLabels() {
        CVariableDlg d(0, {});
        const struct {
            int index, id;
            const char* label;
        } cases[] = {{0, 1064, "Nil"}, {20, 1084, "Variable 20"}, {21, 1087, "Field 1"},
                     {50, 1140, "Field 10"}, {51, 1144, "Field 1"}, {63, 1154, "Field 1"},
                     {84, 1173, "Field 10"}, {87, 1282, "Custom Application Constant 1"},
                     {93, 1288, "Application Version"}};
        for (const auto& c : cases) {
            QVERIFY(d.radio(c.index));
            QCOMPARE(d.radio(c.index)->objectName(), QString::number(c.id));
            QCOMPARE(d.radio(c.index)->text(), QString::fromUtf8(c.label));
        }
        for (int none : {61, 62, 73, 74, 85, 86}) QVERIFY(!d.radio(none));
        QCOMPARE(d.windowTitle(), QStringLiteral("Variable Selection Dialog"));
    }

    void theModesDisableTheirGroups() {
        const struct {
            VariableModes modes;
            std::vector<int> off, on;
        } cases[] = {
            {{}, {}, {0, 1, 20, 21, 51, 84, 87, 93}},
            {{.constantsOff = true}, {87, 88, 89, 90, 91, 92, 93}, {0, 1, 20, 30, 84}},
            {{.variablesOff = true}, {0, 1, 20}, {21, 51, 87, 93}},
            {{.variablesOnly = true}, {0, 21, 50, 51, 84, 87, 93}, {1, 10, 20}},
        };
        for (const auto& c : cases) {
            CVariableDlg d(5, c.modes);
            for (int i : c.off) QVERIFY2(!enabled(d, i), qPrintable(QString::number(i)));
            for (int i : c.on) QVERIFY2(enabled(d, i), qPrintable(QString::number(i)));
        }
    }

    void okReturnsThePresetOrTheChoice() {
        // Preset 93 shows "Application Version" checked and OK keeps it.
        std::optional<int> chosen;
        with_modal([&] { chosen = CVariableDlg::choose(nullptr, 93, {}); },
                   [](QWidget* d) {
                       QVERIFY(d->findChild<QRadioButton*>("1288")->isChecked());
                       d->findChild<QPushButton*>("IDOK")->click();
                   });
        QCOMPARE(chosen, std::optional<int>(93));

        // Variables only, preset Nil: the checked "Nil" is disabled, OK keeps 0.
        with_modal([&] { chosen = CVariableDlg::choose(nullptr, 0, {.variablesOnly = true}); },
                   [](QWidget* d) {
                       auto* nil = d->findChild<QRadioButton*>("1064");
                       QVERIFY(nil->isChecked() && !nil->isEnabled());
                       d->findChild<QPushButton*>("IDOK")->click();
                   });
        QCOMPARE(chosen, std::optional<int>(0));

        // Picking data file 2, field 1 gives 63.
        with_modal([&] { chosen = CVariableDlg::choose(nullptr, 0, {}); },
                   [](QWidget* d) {
                       d->findChild<QRadioButton*>("1154")->click();
                       d->findChild<QPushButton*>("IDOK")->click();
                   });
        QCOMPARE(chosen, std::optional<int>(63));

        // Cancel gives nothing.
        with_modal([&] { chosen = CVariableDlg::choose(nullptr, 3, {}); },
                   [](QWidget* d) {
                       d->findChild<QRadioButton*>("1065")->click();
                       d->findChild<QPushButton*>("IDCANCEL")->click();
                   });
        QVERIFY(!chosen);
    }

    void aPresetWithoutRadioChecksNothingAndStays() {
        CVariableDlg d(62, {});
        for (int i = 0; i < 94; ++i)
            if (d.radio(i)) QVERIFY(!d.radio(i)->isChecked());
        QCOMPARE(d.chosen(), 62);
    }
};

QTEST_MAIN(VariableDlgTest)
#include "variable_dlg_test.moc"
