// The editor sheet: its pages and their order, what OK and Cancel write.
#include "editors/editor_pages.h"
#include "editors/editor_sheet.h"
#include "tests/editors/editor_test_support.h"
#include "widgets/dialogs.h"

#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>

using namespace formwick;
using formwick::test::json_of;

class FrameTest : public QObject {
    Q_OBJECT

    static QStringList treeOrder(QTreeWidget* tree) {
        QStringList order;
        for (QTreeWidgetItemIterator it(tree); *it; ++it)
            order << ((*it)->parent() ? QStringLiteral("  ") : QString()) + (*it)->text(0);
        return order;
    }

private slots:
    void theElevenPagesInSheetOrder() {
        CParameters definition;
        CScriptedDialogs dialogs;
        CEditorSheet sheet(definition, dialogs);
        QCOMPARE(sheet.windowTitle(), QStringLiteral("Formwick Application Generator for R58 / KTM3300"));
        QCOMPARE(sheet.pageCount(), 11);
        QCOMPARE(treeOrder(sheet.tree()),
                 QStringList({"Startup", "Barcode", "  EAN / UPC and Code 39",
                              "  2Of5, MSI Plessey, Telepen and UK Plessey",
                              "  Codabar, Code 128 and IATA",
                              "  Code 11, Korean post, GS1 DataBar and PDF417", "Lookup", "Form",
                              "Menu", "Data", "Language"}));
        const int ids[] = {144, 147, 149, 153, 154, 155, 160, 162, 156, 166, 168};
        for (int i = 0; i < 11; ++i) QCOMPARE(sheet.propPage(i)->objectName(), QString::number(ids[i]));
        QCOMPARE(sheet.activePage(), 0);
        QVERIFY(sheet.wasShown(0));
        QVERIFY(!sheet.wasShown(1));
    }

    void theFontValuesStartFromTheDefinition() {
        CParameters definition;
        CScriptedDialogs dialogs;
        {
            CEditorSheet sheet(definition, dialogs);
            QVERIFY(!sheet.context().customFontLoaded);
        }
        std::vector<std::uint8_t> body(200, 0);
        body[0] = 12; // glyph height
        body[1] = 8;  // glyph width
        QVERIFY(definition.startup.setCustomFont(body));
        CEditorSheet sheet(definition, dialogs);
        QVERIFY(sheet.context().customFontLoaded);
        QCOMPARE(sheet.context().customFontLines, 10); // 128 / 12
        QCOMPARE(custom_font_lines(0), 8);             // a height of 0 counts as 16
    }

    void okAndCancelWithoutEditsLeaveTheDefinitionAsItWas() {
        for (bool ok : {true, false}) {
            CParameters definition;
            definition.forms[1].lines[0].setPromptText(u"Qty");
            definition.menus[0].setHeaderText(u"Stock");
            // The Language page marks the translations used whenever it is
            // committed, so they start marked here.
            definition.language.used = 1;
            const std::string before = json_of(definition);
            CScriptedDialogs dialogs;
            CEditorSheet sheet(definition, dialogs);
            for (int i = 0; i < sheet.pageCount(); ++i) sheet.setActivePage(i);
            sheet.show();
            QTest::mouseClick(sheet.findChild<QPushButton*>(ok ? "IDOK" : "IDCANCEL"), Qt::LeftButton);
            QCOMPARE(sheet.result(), ok ? int(QDialog::Accepted) : int(QDialog::Rejected));
            QVERIFY(json_of(definition) == before);
            QVERIFY(dialogs.shown.empty());
        }
    }
};

QTEST_MAIN(FrameTest)
#include "frame_test.moc"
