// The Barcode page and its four option pages through their controls.
#include "editors/editor_pages.h"
#include "editors/editor_sheet.h"
#include "editors/prop_barcode.h"
#include "editors/prop_barcode_options.h"
#include "tests/editors/editor_test_support.h"
#include "widgets/dialogs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace formwick;
using namespace formwick::test;

namespace {

struct BarcodeFixture : SheetOnPage {
    explicit BarcodeFixture(int pageId = kPageBarcode) { open(pageId); }
    void show(int pageId) {
        sheet->showPage(pageId);
        page = sheet->pageById(pageId);
    }
    QCheckBox* box(int id) { return control<QCheckBox>(page, id); }
};

// The static default label in the row of `box`.
QString default_label(QCheckBox* box) {
    auto* grid = qobject_cast<QGridLayout*>(box->parentWidget()->layout());
    int row = 0, column = 0, rowSpan = 0, columnSpan = 0;
    grid->getItemPosition(grid->indexOf(box), &row, &column, &rowSpan, &columnSpan);
    return qobject_cast<QLabel*>(grid->itemAtPosition(row, 1)->widget())->text();
}

const OptionPageTable* const kOptionTables[] = {&kEanUpcCode39Table, &k2Of5MsiTelepenUkTable, &kCodabar128IataTable,
                                                &kCode11KorGs1PdfTable};

} // namespace

class BarcodePagesTest : public QObject {
    Q_OBJECT

private slots:
    void aNewApplicationReadsTheThirteenClassicSymbologies() {
        BarcodeFixture f;
        for (const SymbologyBox& type : kSymbologyBoxes) {
            QCheckBox* box = f.box(type.id);
            QCOMPARE(box->text(), QString::fromUtf8(type.label));
            QCOMPARE(box->isChecked(), type.id <= 1018);
            QCOMPARE(default_label(box), type.defaultOn ? QStringLiteral("ON") : QStringLiteral("OFF"));
        }
        QCOMPARE(control<QComboBox>(f.page, kBarcodeReadMode)->currentText(), QStringLiteral("Single"));
        QCOMPARE(control<QComboBox>(f.page, kBarcodeTimeout)->currentText(), QStringLiteral("6 Sec."));
    }

    void koreanPostOwnsTheBitsOfPdf417AndCode11() {
        BarcodeFixture f;
        f.box(kBarcodeKoreanPost)->click();
        QCOMPARE(static_cast<CPropBarcode*>(f.page)->workingCopy().enabledTypes, 0x31FFF);
        QVERIFY(f.box(kBarcodePdf417)->isChecked() && f.box(kBarcodeCode11)->isChecked());
        f.box(kBarcodeKoreanPost)->click();
        QCOMPARE(static_cast<CPropBarcode*>(f.page)->workingCopy().enabledTypes, 0x01FFF);
        QVERIFY(!f.box(kBarcodePdf417)->isChecked() && !f.box(kBarcodeCode11)->isChecked());
        // Either bit alone shows Korean post checked.
        f.box(kBarcodeCode11)->click();
        QVERIFY(f.box(kBarcodeKoreanPost)->isChecked());
        QVERIFY(!f.box(kBarcodePdf417)->isChecked());
        f.ok();
        QCOMPARE(f.definition.barcode.enabledTypes, 0x21FFF);
    }

    void readerSettingsAreStored() {
        BarcodeFixture f;
        choose(control<QWidget>(f.page, kBarcodeReadMode), 2);
        choose(control<QWidget>(f.page, kBarcodeTimeout), 4);
        f.box(1006)->click();
        auto* settings = control<QLineEdit>(f.page, kBarcodeSystemSettings);
        QCOMPARE(settings->maxLength(), 80);
        type_into(settings, QStringLiteral("C39 FULL"));
        f.ok();
        QCOMPARE(int(f.definition.barcode.readMode), 2);
        QCOMPARE(int(f.definition.barcode.readTimeout), 4);
        QCOMPARE(f.definition.barcode.enabledTypes, 0x1FFE);
        QCOMPARE(std::string(text_bytes(f.definition.barcode.systemSettings)), std::string("C39 FULL"));
    }

    void everyOptionBoxFlipsItsOwnBitOnly() {
        for (const OptionPageTable* table : kOptionTables) {
            for (const OptionGroup& group : table->groups) {
                for (const OptionBox& option : group.boxes) {
                    BarcodeFixture f(table->dialogId);
                    QCheckBox* box = f.box(option.id);
                    QCOMPARE(box->text(), QString::fromUtf8(option.label));
                    QCOMPARE(default_label(box), option.defaultOn ? QStringLiteral("ON") : QStringLiteral("OFF"));
                    const CParameters before = f.definition;
                    box->setEnabled(true); // a box its group holds back still stores its bit
                    box->click();
                    f.ok();
                    for (std::size_t m = 0; m < table->masks.size(); ++m) {
                        const int flipped = table->masks[m].get(before) ^ table->masks[m].get(f.definition);
                        QCOMPARE(flipped, int(m) == option.mask ? option.bit : 0);
                    }
                }
            }
        }
    }

    void exclusiveGroupsLetOneBoxBeChecked() {
        BarcodeFixture f(kPageOpt2Of5MsiTelepenUk);
        // The factory default already holds MOD10 (1043).
        for (int id : {1044, 1045, 1046}) QVERIFY(!f.box(id)->isEnabled());
        f.box(1043)->click();
        for (int id : {1043, 1044, 1045, 1046}) QVERIFY(f.box(id)->isEnabled());
        f.box(1045)->click();
        for (int id : {1043, 1044, 1046}) QVERIFY(!f.box(id)->isEnabled());
        QVERIFY(f.box(1045)->isEnabled());
        QVERIFY(f.box(1047)->isEnabled()); // another group
        QVERIFY(!f.box(1048)->isEnabled());
        f.ok();
        QCOMPARE(f.definition.twoOf5MsiTelepenUk.msiOptions, 0x14);
    }

    void code39ItalianModesGovernTheLeadingA() {
        BarcodeFixture f(kPageOptEanUpcCode39);
        QVERIFY(!f.box(1048)->isEnabled());
        f.box(1043)->click();
        QVERIFY(!f.box(1042)->isEnabled() && !f.box(1044)->isEnabled());
        QVERIFY(f.box(1048)->isEnabled());
        f.box(1043)->click();
        QVERIFY(f.box(1042)->isEnabled() && f.box(1044)->isEnabled());
        QVERIFY(!f.box(1048)->isEnabled());
        f.box(1016)->click(); // ISBN holds back ISSN
        QVERIFY(!f.box(1017)->isEnabled());
    }

    void theFirstCheckedBoxOfAStoredGroupWins() {
        CParameters definition;
        definition.codabar128Iata.iataOptions = 0x6 | 0x8; // two checks of one group stored
        CScriptedDialogs dialogs;
        CEditorSheet sheet(definition, dialogs);
        sheet.showPage(kPageOptCodabar128Iata);
        QWidget* page = sheet.pageById(kPageOptCodabar128Iata);
        QVERIFY(control<QCheckBox>(page, 1053)->isEnabled());
        QVERIFY(!control<QCheckBox>(page, 1054)->isEnabled());
        QVERIFY(control<QCheckBox>(page, 1054)->isChecked()); // kept as stored
        QVERIFY(!control<QCheckBox>(page, 1052)->isEnabled());
    }
};

QTEST_MAIN(BarcodePagesTest)
#include "barcode_pages_test.moc"
