// The tree property sheet, the grid and the dialog seam, driven through
// their real controls.
#include "widgets/dialogs.h"
#include "widgets/edit_grid.h"
#include "widgets/tree_property_sheet.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTreeWidget>

using namespace formwick;

class WidgetsTest : public QObject {
    Q_OBJECT

    // A sheet with pages "A", "B", "B::B1" and a bare node "N" holding "N::N1".
    struct Fixture {
        CTreePropertySheet sheet;
        std::vector<int> shown, left;
        bool allowLeave = true;
        int accepted = 0;
        Fixture() {
            for (const char* path : {"A", "B", "B::B1", "N::N1"}) {
                auto* page = new QLabel(QString::fromUtf8(path));
                page->setObjectName(QString::fromUtf8(path));
                sheet.addPage(QString::fromUtf8(path), page);
            }
            sheet.onShow = [this](int i) { shown.push_back(i); };
            sheet.onLeave = [this](int i) {
                left.push_back(i);
                return allowLeave;
            };
            sheet.onAccept = [this] {
                ++accepted;
                return true;
            };
            sheet.setActivePage(0);
        }
        QTreeWidgetItem* node(const QString& text) {
            return sheet.tree()->findItems(text, Qt::MatchExactly | Qt::MatchRecursive).value(0);
        }
        QString caption() { return sheet.findChild<QLabel*>(QStringLiteral("sheetCaption"))->text(); }
    };

private slots:
    void pagesFormATreeByCaptionPath() {
        Fixture f;
        QTreeWidget* tree = f.sheet.tree();
        QCOMPARE(tree->topLevelItemCount(), 3);
        QCOMPARE(tree->topLevelItem(1)->text(0), QStringLiteral("B"));
        QCOMPARE(tree->topLevelItem(1)->child(0)->text(0), QStringLiteral("B1"));
        QCOMPARE(f.sheet.pageCaption(2), QStringLiteral("B1"));
        QCOMPARE(f.sheet.activePage(), 0);
        QCOMPARE(f.shown, std::vector<int>{0});
        QCOMPARE(f.caption(), QStringLiteral("A"));
        QCOMPARE(tree->width(), 200);
    }

    void aNodeWithoutPageAsksForAChild() {
        Fixture f;
        f.sheet.tree()->setCurrentItem(f.node(QStringLiteral("N")));
        QCOMPARE(f.sheet.activePage(), -1);
        QCOMPARE(f.sheet.findChild<QLabel*>(QStringLiteral("sheetEmptyNode"))->text(),
                 QStringLiteral("Please select a child item of 'N'."));
        QCOMPARE(f.left, std::vector<int>{0});
    }

    void aRefusingPageStaysShownAndBlocksOk() {
        Fixture f;
        f.allowLeave = false;
        QVERIFY(!f.sheet.setActivePage(1));
        QCOMPARE(f.sheet.activePage(), 0);
        QCOMPARE(f.sheet.tree()->currentItem()->text(0), QStringLiteral("A"));
        f.sheet.show();
        QTest::mouseClick(f.sheet.findChild<QPushButton*>(QStringLiteral("IDOK")), Qt::LeftButton);
        QCOMPARE(f.accepted, 0);
        QVERIFY(f.sheet.isVisible());
        f.allowLeave = true;
        QTest::mouseClick(f.sheet.findChild<QPushButton*>(QStringLiteral("IDOK")), Qt::LeftButton);
        QCOMPARE(f.accepted, 1);
        QCOMPARE(f.sheet.result(), int(QDialog::Accepted));
    }

    void cancelAndEscapeRejectWithoutAccepting() {
        Fixture f;
        f.sheet.show();
        QTest::keyClick(&f.sheet, Qt::Key_Escape);
        QCOMPARE(f.sheet.result(), int(QDialog::Rejected));
        QCOMPARE(f.accepted, 0);
    }

    void keyboardStepsThroughThePages() {
        Fixture f;
        f.sheet.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f.sheet));
        f.sheet.tree()->setFocus();
        QTest::keyClick(f.sheet.tree(), Qt::Key_Down);
        QCOMPARE(f.sheet.activePage(), 1);
        QTest::keyClick(&f.sheet, Qt::Key_Tab, Qt::ControlModifier);
        QCOMPARE(f.sheet.activePage(), 2);
        QTest::keyClick(&f.sheet, Qt::Key_PageUp, Qt::ControlModifier);
        QCOMPARE(f.sheet.activePage(), 1);
        QCOMPARE(f.caption(), QStringLiteral("B"));
    }

    void gridEditsOnlyTheSecondColumn() {
        CEditGrid grid(QStringLiteral("Original"), QStringLiteral("Translation"));
        grid.setRowCountTo(2);
        grid.setRow(0, QStringLiteral("Input"), QString());
        grid.setRow(1, QStringLiteral("Utilities"), QStringLiteral("Extras"));
        grid.setMaxLength(5);
        QSignalSpy edited(&grid, &CEditGrid::cellEdited);
        QVERIFY(!(grid.item(0, 0)->flags() & Qt::ItemIsEditable));
        QVERIFY(grid.item(0, 1)->flags() & Qt::ItemIsEditable);
        QVERIFY(edited.isEmpty()); // filling is not an edit
        grid.show();
        QVERIFY(QTest::qWaitForWindowExposed(&grid));
        grid.setCurrentCell(0, 1);
        grid.editItem(grid.item(0, 1));
        auto* editor = grid.findChild<QLineEdit*>();
        QVERIFY(editor);
        QCOMPARE(editor->maxLength(), 5);
        editor->setFocus();
        QTest::keyClicks(editor, QStringLiteral("Eingabe"));
        QTest::keyClick(editor, Qt::Key_Return);
        QTRY_COMPARE(grid.editText(0), QStringLiteral("Einga")); // the editor commits queued
        QCOMPARE(edited.count(), 1);
        QCOMPARE(edited[0][0].toInt(), 0);
    }

    void fileFiltersBecomeQtFiltersMatchingEitherCase() {
        QCOMPARE(qt_file_filter(QStringLiteral("Application (*.HIX)|*.HIX|All files (*.*)|*.*||")),
                 QStringLiteral("Application (*.HIX *.hix);;All files (*)"));
        QCOMPARE(qt_file_filter(QStringLiteral("Pictures|*.bmp;*.Dib||")),
                 QStringLiteral("Pictures (*.bmp *.BMP *.Dib *.dib *.DIB)"));
    }

    void scriptedDialogsRecordAndAnswer() {
        CScriptedDialogs d;
        d.answers = {DialogAnswer::No};
        d.fileNames = {QStringLiteral("/tmp/a.HIX")};
        d.error(nullptr, QStringLiteral("bad"));
        QCOMPARE(d.question(nullptr, QStringLiteral("Formwick"), QStringLiteral("Save?")), DialogAnswer::No);
        QCOMPARE(d.question(nullptr, QStringLiteral("Formwick"), QStringLiteral("Again?")), DialogAnswer::Cancel);
        QCOMPARE(d.openFileName(nullptr, QStringLiteral("Open"), QString()), QStringLiteral("/tmp/a.HIX"));
        QCOMPARE(d.saveFileName(nullptr, QStringLiteral("Save"), QString(), QString()), QString());
        QCOMPARE(d.texts().first(), QStringLiteral("bad"));
        QCOMPARE(d.shown[0].title, QStringLiteral("Error"));
        QCOMPARE(d.shown.size(), std::size_t(5));
    }
};

QTEST_MAIN(WidgetsTest)
#include "widgets_test.moc"
