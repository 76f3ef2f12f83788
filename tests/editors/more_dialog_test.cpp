// The More dialog's enabled states by data type, initial-value kind and
// check boxes.
#include "editors/dlg_more.h"
#include "tests/editors/editor_test_support.h"

#include <QCheckBox>

using namespace formwick;
using namespace formwick::test;

class MoreDialogTest : public QObject {
    Q_OBJECT

    static bool on(CDlgMore& d, int id) { return control<QWidget>(&d, id)->isEnabled(); }

private slots:
    void eachTypeEnablesItsControls() {
        // alignment, kind, negative, decimals, lookup button, counter, pause, add prefix
        const int ids[] = {kMoreAlignment, kMoreInitialKind, kMoreAllowNegative, kMoreDecimalPlaces,
                           kMoreMatchDisplay, kMoreCounterFile, kMoreAlwaysShowLine, kMoreAddPrefix};
        const struct {
            int type;
            bool on[8];
        } cases[] = {
            {kLineText, {1, 1, 0, 0, 0, 0, 0, 1}},   {kLineAlphaNum, {1, 1, 0, 0, 0, 0, 0, 1}},
            {kLineInteger, {1, 1, 1, 0, 0, 0, 0, 1}}, {kLineReal, {1, 1, 1, 1, 0, 0, 0, 1}},
            {kLineBoolean, {1, 1, 0, 0, 0, 0, 0, 0}}, {kLineLookup, {0, 0, 0, 0, 1, 0, 0, 0}},
            {kLineCounter, {0, 0, 0, 0, 0, 1, 0, 0}}, {kLinePause, {0, 0, 0, 0, 0, 0, 1, 0}},
            {kLineFixed, {1, 1, 1, 1, 1, 1, 1, 1}},
        };
        for (const auto& c : cases) {
            CDlgMore d(1, 1, c.type, CMoreProperties{});
            for (int k = 0; k < 8; ++k)
                QVERIFY2(on(d, ids[k]) == c.on[k], qPrintable(QStringLiteral("type %1 id %2").arg(c.type).arg(ids[k])));
        }
    }

    void kindAndBoxesEnableTheirEdits() {
        CDlgMore d(1, 1, kLineText, CMoreProperties{});
        QVERIFY(!on(d, kMoreInitialText) && !on(d, kMoreInitialVariable));
        choose(control<QWidget>(&d, kMoreInitialKind), 1);
        QVERIFY(on(d, kMoreInitialText) && !on(d, kMoreInitialVariable));
        choose(control<QWidget>(&d, kMoreInitialKind), 2);
        QVERIFY(on(d, kMoreInitialText) && on(d, kMoreInitialVariable));
        QCOMPARE(d.properties().initialKind, 2);
        for (auto [box, edit] : {std::pair{kMoreAddPrefix, kMorePrefix}, {kMoreAddSuffix, kMoreSuffix},
                                 {kMoreShowInputMark, kMoreInputMark}}) {
            QVERIFY(!on(d, edit));
            control<QCheckBox>(&d, box)->click();
            QVERIFY(on(d, edit));
        }
        QCOMPARE(d.properties().addSuffix, std::uint8_t(1));
    }
};

QTEST_MAIN(MoreDialogTest)
#include "more_dialog_test.moc"
