// The Lookup page through its controls, and "Test with file..." on real files.
#include "editors/editor_pages.h"
#include "editors/editor_sheet.h"
#include "editors/lookup_file_test.h"
#include "editors/prop_lookup.h"
#include "tests/editors/editor_test_support.h"
#include "widgets/dialogs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTemporaryDir>

#include <fstream>

using namespace formwick;
using namespace formwick::test;

namespace {

struct LookupFixture : SheetOnPage {
    explicit LookupFixture(bool used = true) {
        definition.lookups[0].used = used ? 1 : 0;
        open(kPageLookup);
    }
};

std::string write_file(const QTemporaryDir& dir, const char* name, const std::string& content) {
    const std::string path = (dir.path() + "/" + name).toStdString();
    std::ofstream(path, std::ios::binary) << content;
    return path;
}

} // namespace

class LookupPageTest : public QObject {
    Q_OBJECT

private slots:
    void theUseBoxGovernsEveryControl() {
        LookupFixture f(false);
        for (int id : std::initializer_list<int>{kLookupPageFileName, kLookupPageFileType, kLookupPageRecordSize, kLookupPageFieldCount,
                       kLookupPageBadFormat, kLookupPageNoMatch, kLookupPageMissing, kLookupPageTestFile,
                       lookup_offset_id(0), lookup_max_length_id(0), lookup_key_id(0)})
            QVERIFY2(!f.at(id)->isEnabled(), qPrintable(QString::number(id)));
        QVERIFY(f.at(kLookupPageFile)->isEnabled());
        f.at<QCheckBox>(kLookupPageUse)->click();
        for (int id : std::initializer_list<int>{kLookupPageFileName, kLookupPageRecordSize, lookup_offset_id(1), lookup_max_length_id(1)})
            QVERIFY(f.at(id)->isEnabled());
        QVERIFY(!f.at(kLookupPageDelimiter)->isEnabled());
        QVERIFY(!f.at(lookup_offset_id(2))->isEnabled()); // two fields in a new lookup
        QVERIFY(!f.at(kLookupPageNoMatchTarget)->isEnabled());
    }

    void csvRecordSizeIsComputedAndShown() {
        LookupFixture f;
        choose(f.at(kLookupPageFileType), 1);
        choose(f.at(kLookupPageFieldCount), 2);
        for (auto [row, length] : {std::pair{0, "10"}, {1, "5"}, {2, "20"}})
            type_into(f.at(lookup_max_length_id(row)), QString::fromUtf8(length));
        QCOMPARE(f.at<QSpinBox>(kLookupPageRecordSize)->value(), 40);
        QVERIFY(!f.at(kLookupPageRecordSize)->isEnabled());
        QVERIFY(!f.at(lookup_offset_id(0))->isEnabled());
        QVERIFY(f.at(kLookupPageDelimiter)->isEnabled());
        f.ok();
        QCOMPARE(f.definition.lookups[0].recordSize, 40);
        QCOMPARE(f.definition.lookups[0].fieldCount, 3);
    }

    void valuesBeyondWhatIsStoredAreRefusedWithAWord() {
        LookupFixture f;
        type_into(f.at(lookup_offset_id(0)), QStringLiteral("12"));
        type_into(f.at(lookup_offset_id(0)), QStringLiteral("480")); // passes 0..500, not stored
        QCOMPARE(f.at<QLineEdit>(lookup_offset_id(0))->text(), QStringLiteral("12"));
        type_into(f.at(lookup_offset_id(0)), QStringLiteral("501"));
        type_into(f.at(lookup_max_length_id(0)), QStringLiteral("90"));
        type_into(f.at(lookup_max_length_id(0)), QStringLiteral("0"));
        QCOMPARE(f.dialogs.texts(), (QStringList{QStringLiteral("An offset can be at most 450."),
                                                 QStringLiteral("Enter an integer between 0 and 500."),
                                                 QStringLiteral("A maximum length can be at most 80."),
                                                 QStringLiteral("Enter an integer between 1 and 100.")}));
        choose(f.at(kLookupPageFile), 1);
        choose(f.at(kLookupPageFile), 0);
        QCOMPARE(f.at<QLineEdit>(lookup_offset_id(0))->text(), QStringLiteral("12"));
        f.ok();
        QCOMPARE(f.definition.lookups[0].fields[0].offset, 12);
        QCOMPARE(int(f.definition.lookups[0].fields[0].maxLength), 1);
    }

    void theKeyMovesToField1WhenItsRowGoes() {
        LookupFixture f;
        choose(f.at(kLookupPageFieldCount), 5);
        f.at<QRadioButton>(lookup_key_id(3))->click();
        choose(f.at(kLookupPageFieldCount), 3); // four fields
        QVERIFY(f.at<QRadioButton>(lookup_key_id(3))->isChecked());
        choose(f.at(kLookupPageFieldCount), 2); // three fields
        QVERIFY(f.at<QRadioButton>(lookup_key_id(0))->isChecked());
        f.ok();
        QCOMPARE(f.definition.lookups[0].keyField, 0);
    }

    void theGotoTargetFollowsTheNoMatchAction() {
        LookupFixture f;
        const bool enabled[] = {false, false, true, true}; // Continue, Show warning, Goto, Warning & Goto
        for (int action : {3, 1, 2, 0}) {
            choose(f.at(kLookupPageNoMatch), action);
            QCOMPARE(f.at(kLookupPageNoMatchTarget)->isEnabled(), enabled[action]);
        }
    }

    void fileNamesShareTheDataPagesRule() {
        LookupFixture f;
        type_into(f.at(kLookupPageFileName), QStringLiteral("A.B.C"));
        type_into(f.at(kLookupPageFileName), QStringLiteral("ITEMS.CSV"));
        QCOMPARE(f.dialogs.texts(), QStringList{QStringLiteral("A.B.C cannot be used.")});
        f.ok();
        QCOMPARE(f.definition.lookups[0].indexNameText(), std::u16string(u"ITEMS.IDX"));
    }

    void testWithFileReportsWithoutChangingAnything() {
        QTemporaryDir dir;
        LookupFixture f;
        choose(f.at(kLookupPageFileType), 1);
        choose(f.at(kLookupPageDelimiter), 1);
        type_into(f.at(lookup_max_length_id(0)), QStringLiteral("5"));
        type_into(f.at(lookup_max_length_id(1)), QStringLiteral("10"));
        const std::string before = json_of(f.definition);
        f.dialogs.fileNames = {QString::fromStdString(write_file(dir, "good.txt", "A1;Bolts\r\nA2;Nuts\r\n")),
                               QString::fromStdString(write_file(dir, "bad.txt", "A1;Bolts\r\nA2\r\nA1;Again\r\n")),
                               dir.path()};
        for (int i = 0; i < 3; ++i) f.at<QPushButton>(kLookupPageTestFile)->click();
        std::vector<CScriptedDialogs::Shown> boxes;
        for (const auto& shown : f.dialogs.shown)
            if (shown.kind != QStringLiteral("open")) boxes.push_back(shown);
        QCOMPARE(boxes.size(), std::size_t(3));
        const QString good = boxes[0].text, bad = boxes[1].text;
        QVERIFY2(good.contains("2 lines.") && good.contains("Every line has 2 fields.") && good.contains("Every key is unique.") &&
                     good.contains("fits these settings"),
                 qPrintable(good));
        QVERIFY2(bad.contains("3 lines.") && bad.contains("line 2") && bad.contains("line 3") && !bad.contains("Every key is unique"),
                 qPrintable(bad));
        QCOMPARE(boxes[2].kind, QStringLiteral("error"));
        QVERIFY(boxes[2].text.contains("is a folder"));
        QVERIFY(json_of(f.definition) == before);
    }

    void testWithFileOnAFixedFile() {
        QTemporaryDir dir;
        CParamLookup lookup;
        lookup.recordSize = 8;
        lookup.fieldCount = 2;
        lookup.fields[0] = {0, 3};
        lookup.fields[1] = {3, 3};
        const LookupFileReport good = test_lookup_file(lookup, 0, write_file(dir, "f.txt", "AAABBB\r\nCCCDDD\r\n"));
        QVERIFY2(good.readable && good.lines == 2 && good.problems == 0, good.text.c_str());
        QVERIFY(good.text.find("record size 8") != std::string::npos);
        const LookupFileReport shortLine = test_lookup_file(lookup, 0, write_file(dir, "s.txt", "AAABBB\r\nCC\r\n"));
        QVERIFY2(shortLine.problems == 1 && shortLine.text.find("line 2") != std::string::npos, shortLine.text.c_str());
        const LookupFileReport missing = test_lookup_file(lookup, 0, (dir.path() + "/none.txt").toStdString());
        QVERIFY(!missing.readable);
        QVERIFY(missing.text.find("Cannot read") != std::string::npos);
    }
};

QTEST_MAIN(LookupPageTest)
#include "lookup_page_test.moc"
