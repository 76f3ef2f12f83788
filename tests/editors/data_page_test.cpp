// The Data page through its controls.
#include "editors/editor_pages.h"
#include "editors/editor_sheet.h"
#include "editors/prop_data.h"
#include "editors/record_sample.h"
#include "tests/editors/editor_test_support.h"
#include "widgets/dialogs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>

using namespace formwick;
using namespace formwick::test;

namespace {

struct DataFixture : SheetOnPage {
    DataFixture() { open(kPageData); }
    void setSize(int row, int size) { at<QSpinBox>(data_row_id(row, kDataColSize))->setValue(size); }
};

} // namespace

class DataPageTest : public QObject {
    Q_OBJECT

private slots:
    void fileNamesFollowTheTerminalsRule() {
        const struct {
            const char* typed;
            bool accepted;
            const char* index;
        } cases[] = {{"ORDERS.TXT", true, "ORDERS.IDX"}, {"ORDERS", true, "ORDERS.IDX"},     {"MY FILE.TXT", false, nullptr},
                     {"A.B.C", false, nullptr},          {"LONGNAME1.TX", false, nullptr}, {"X.~nx", false, nullptr}};
        for (const auto& c : cases) {
            DataFixture f;
            type_into(f.at(kDataPageFileName), QString::fromUtf8(c.typed));
            f.ok();
            const CParamData& data = f.definition.dataFiles[0];
            if (c.accepted) {
                QVERIFY2(f.dialogs.shown.empty(), c.typed);
                QCOMPARE(data.fileNameText(), std::u16string(c.typed, c.typed + std::strlen(c.typed)));
                QCOMPARE(data.indexNameText(), std::u16string(c.index, c.index + std::strlen(c.index)));
            } else {
                QCOMPARE(f.dialogs.texts(), QStringList{QString::fromUtf8(c.typed) + " cannot be used."});
                QCOMPARE(f.dialogs.shown[0].kind, QStringLiteral("error"));
                QCOMPARE(data.fileNameText(), std::u16string(u"Data1.txt"));
                QCOMPARE(f.at<QLineEdit>(kDataPageFileName)->text(), QStringLiteral("Data1.txt"));
            }
        }
    }

    void recordSizeAddsFieldsSeparatorsDateAndTime() {
        DataFixture f;
        choose(f.at(kDataPageFieldCount), 3);
        f.at<QCheckBox>(kDataPageUseDelimiter)->click();
        f.setSize(0, 5);
        f.setSize(1, 10);
        f.setSize(2, 8);
        f.at<QCheckBox>(kDataPageAddDate)->click();
        f.at<QCheckBox>(kDataPageAddTime)->click();
        QCOMPARE(f.at<QGroupBox>(kDataPageDateBox)->title(), QStringLiteral("Date format: YYYY/MM/DD"));
        QCOMPARE(f.at<QGroupBox>(kDataPageTimeBox)->title(), QStringLiteral("Time format: HH:MM:SS"));
        QVERIFY(f.at<QLabel>(kDataPageSample)->text().startsWith(
            QStringLiteral("AAAA\u00B7,BBBBBBB\u00B7\u00B7\u00B7,CCCCCC\u00B7\u00B7,2026/12/31,23:59:58<CR><LF>\n47 characters")));
        f.ok();
        QCOMPARE(f.definition.dataFiles[0].recordLength, 47);
    }

    void twoUndelimitedFieldsMakeTwelve() {
        DataFixture f;
        choose(f.at(kDataPageFieldCount), 2);
        f.setSize(0, 6);
        f.setSize(1, 4);
        f.ok();
        QCOMPARE(f.definition.dataFiles[0].recordLength, 12);
    }

    void layoutChangesKeepTheRecordSizeTrue() {
        // The stored length follows every change of the layout, not only a
        // size edit: a stale length makes the terminal refuse every record.
        DataFixture f;
        choose(f.at(kDataPageFieldCount), 2);
        f.setSize(0, 6);
        f.setSize(1, 4);
        choose(f.at(kDataPageFieldCount), 1);
        f.at<QCheckBox>(kDataPageUseDelimiter)->click();
        choose(f.at(kDataPageFieldCount), 2);
        f.ok();
        QCOMPARE(f.definition.dataFiles[0].recordLength, 13);
    }

    void fixedSizeAndDelimiterBoxesAreCoupled() {
        DataFixture f;
        QVERIFY(f.at(kDataPageUseDelimiter)->isEnabled());
        QVERIFY(!f.at(kDataPageDelimiter)->isEnabled());
        f.at<QCheckBox>(kDataPageFixedSize)->click();
        QVERIFY(f.at<QCheckBox>(kDataPageUseDelimiter)->isChecked());
        QVERIFY(!f.at(kDataPageUseDelimiter)->isEnabled());
        QVERIFY(f.at(kDataPageDelimiter)->isEnabled());
        f.ok();
        QCOMPARE(f.definition.dataFiles[0].fixedSize, std::uint8_t(0));
        QCOMPARE(f.definition.dataFiles[0].useDelimiter, std::uint8_t(1));
    }

    void rowsFollowTheNumberOfFieldsAndTheKeyMovesToField1() {
        DataFixture f;
        choose(f.at(kDataPageFieldCount), 5);
        QVERIFY(f.at(data_row_id(4, kDataColSize))->isEnabled());
        QVERIFY(!f.at(data_row_id(5, kDataColSize))->isEnabled());
        QVERIFY(!f.at(data_alignment_id(5))->isEnabled());
        f.at<QRadioButton>(data_row_id(4, kDataColKey))->click();
        choose(f.at(kDataPageFieldCount), 5);
        QVERIFY(f.at<QRadioButton>(data_row_id(4, kDataColKey))->isChecked());
        choose(f.at(kDataPageFieldCount), 4);
        QVERIFY(f.at<QRadioButton>(data_row_id(0, kDataColKey))->isChecked());
        f.ok();
        QCOMPARE(f.definition.dataFiles[0].keyField, 0);
    }

    void variableButtonsChooseFromEveryGroup() {
        DataFixture f;
        choose(f.at(kDataPageFieldCount), 1);
        with_modal([&] { f.at<QPushButton>(data_row_id(0, kDataColVariable2))->click(); },
                   [](QWidget* d) {
                       d->findChild<QRadioButton*>("1144")->click(); // Data 1, field 1
                       d->findChild<QPushButton*>("IDOK")->click();
                   });
        QCOMPARE(f.at<QPushButton>(data_row_id(0, kDataColVariable2))->text(), QStringLiteral("Data 1-1"));
        f.ok();
        QCOMPARE(f.definition.dataFiles[0].fields[0].variable2, 51);
    }

    void eachDataFileKeepsItsEditsAndCancelKeepsNothing() {
        DataFixture f;
        const std::string before = json_of(f.definition);
        choose(f.at(kDataPageFile), 2);
        type_into(f.at(kDataPageFileName), QStringLiteral("PICKS.TXT"));
        choose(f.at(kDataPageStorage), 1);
        choose(f.at(kDataPageFile), 0);
        QCOMPARE(f.at<QLineEdit>(kDataPageFileName)->text(), QStringLiteral("Data1.txt"));
        choose(f.at(kDataPageFile), 2);
        QCOMPARE(f.at<QLineEdit>(kDataPageFileName)->text(), QStringLiteral("PICKS.TXT"));
        QCOMPARE(f.at<QComboBox>(kDataPageStorage)->currentIndex(), 1);
        control<QPushButton>(f.sheet.get(), "IDCANCEL")->click();
        QVERIFY(json_of(f.definition) == before);
    }

    void sampleShowsAlignmentAndTabs() {
        CParamData data;
        data.fieldCount = 2;
        data.useDelimiter = 1;
        data.delimiter = 3;
        data.fields[0] = {1, 0, 0, 6, 3}; // numeric, right filled with 0
        data.fields[1] = {2, 0, 1, 3, 1}; // text, right aligned
        const RecordSample sample = record_sample(data);
        QCOMPARE(QString::fromUtf8(sample.text), QStringLiteral("009999<TAB>\u00B7BB<CR><LF>"));
        QCOMPARE(sample.length, 12);
    }
};

QTEST_MAIN(DataPageTest)
#include "data_page_test.moc"
