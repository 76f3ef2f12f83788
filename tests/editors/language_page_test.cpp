// The Language page through its controls: the runtime's texts in the
// grids, the commit rule, the font lists, and PO save and load.
#include "editors/editor_pages.h"
#include "editors/editor_sheet.h"
#include "editors/prop_language.h"
#include "runtime/ui/texts.h"
#include "tests/editors/editor_test_support.h"
#include "widgets/dialogs.h"
#include "widgets/edit_grid.h"

#include <QComboBox>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>

using namespace formwick;
using namespace formwick::test;

namespace {

struct LanguageFixture : SheetOnPage {
    QTemporaryDir dir;

    explicit LanguageFixture(const Prepare& prepare = {}) { open(kPageLanguage, prepare); }
    CEditGrid* grid(int id) { return control<CEditGrid>(page, id); }
    // Edits a translated cell as the user does, through the cell's item.
    void edit(int id, int row, const QString& text) { grid(id)->item(row, 1)->setText(text); }
    QString write(const char* name, const QByteArray& bytes) {
        const QString path = dir.path() + "/" + name;
        QFile f(path);
        if (f.open(QIODevice::WriteOnly)) f.write(bytes);
        return path;
    }
};

} // namespace

class LanguagePageTest : public QObject {
    Q_OBJECT

private slots:
    void theGridsShowTheRuntimesOwnTexts() {
        LanguageFixture f;
        const struct {
            int id, rows, firstId;
            const char* header;
        } table[] = {{kLanguageMenus, 12, TEXT_INPUT, "Translated menus"},
                     {kLanguageStrings, 7, TEXT_ERROR, "Translated strings"},
                     {kLanguageMessages, 33, MSG_DATA_FILE_OPEN, "Translated messages"}};
        for (const auto& g : table) {
            CEditGrid* grid = f.grid(g.id);
            QCOMPARE(grid->rowCount(), g.rows);
            QCOMPARE(grid->horizontalHeaderItem(1)->text(), QString::fromUtf8(g.header));
            for (int row = 0; row < g.rows; ++row) {
                QCOMPARE(grid->item(row, 0)->text(), QString::fromUtf8(rt_text(g.firstId + row)));
                QVERIFY(grid->editText(row).isEmpty());
            }
        }
        QCOMPARE(f.grid(kLanguageMessages)->item(32, 0)->text(), QStringLiteral("Database has wrong format."));
    }

    void okStoresEveryCellAndMarksTheTextsUsed() {
        LanguageFixture f([](CParameters& d) {
            d.language.menuTexts[0] = Text<85>{'o', 'l', 'd'};          // hidden while not used
            d.language.menuTexts[15] = Text<85>{'k', 'e', 'p', 't'}; // not offered: kept
        });
        QVERIFY(f.grid(kLanguageMenus)->editText(0).isEmpty());
        f.edit(kLanguageMenus, 11, QString(100, QChar('m')));
        f.edit(kLanguageMessages, 32, QStringLiteral("Caf\u00E9"));
        f.ok();
        const CParamLanguage& l = f.definition.language;
        QCOMPARE(int(l.used), 1);
        QCOMPARE(std::string(text_bytes(l.menuTexts[0])), std::string());
        QCOMPARE(std::string(text_bytes(l.menuTexts[11])), std::string(84, 'm'));
        QCOMPARE(std::string(text_bytes(l.messageTexts[32])), std::string("Caf\xC3\xA9"));
        QCOMPARE(std::string(text_bytes(l.menuTexts[15])), std::string("kept"));
    }

    void usedTranslationsAreShown() {
        LanguageFixture f([](CParameters& d) { d.language.setStringText(3, u"Taste dr\u00FCcken"); });
        QCOMPARE(f.grid(kLanguageStrings)->editText(3), QStringLiteral("Taste dr\u00FCcken"));
    }

    void aStoredCustomFontShowsAsLargeWithoutAFont() {
        LanguageFixture f([](CParameters& d) {
            d.language.messageFont = 2;
            d.language.menuFont = 1;
        });
        auto* messages = f.at<QComboBox>(kLanguageMessageFont);
        QCOMPARE(messages->currentText(), QStringLiteral("Large"));
        QCOMPARE(messages->count(), 2);
        QCOMPARE(f.at<QComboBox>(kLanguageMenuFont)->currentText(), QStringLiteral("Medium"));
        f.ok();
        QCOMPARE(f.definition.language.messageFont, 2);
        // With a custom font the entry comes back when the page is shown.
        LanguageFixture g;
        g.sheet->showPage(kPageForm);
        g.sheet->context().customFontLoaded = true;
        g.sheet->showPage(kPageLanguage);
        auto* strings = g.at<QComboBox>(kLanguageStringFont);
        QCOMPARE(strings->count(), 3);
        choose(strings, 2);
        g.ok();
        QCOMPARE(g.definition.language.stringFont, 2);
    }

    void translationsSaveAndLoadAsAPoFile() {
        LanguageFixture f;
        f.edit(kLanguageMenus, 0, QStringLiteral("Eingabe"));
        f.edit(kLanguageMessages, 11, QStringLiteral("Falsches \"Passwort\"!"));
        const QString path = f.dir.path() + "/de.po";
        f.dialogs.fileNames.push_back(path);
        f.at<QPushButton>(kLanguageSave)->click();
        QVERIFY(QFile::exists(path));

        LanguageFixture g;
        g.edit(kLanguageStrings, 1, QStringLiteral("not in the file"));
        g.dialogs.fileNames.push_back(path);
        g.at<QPushButton>(kLanguageLoad)->click();
        QVERIFY(g.dialogs.shown.size() == 1); // the open dialog only
        QCOMPARE(g.grid(kLanguageMenus)->editText(0), QStringLiteral("Eingabe"));
        QCOMPARE(g.grid(kLanguageMessages)->editText(11), QStringLiteral("Falsches \"Passwort\"!"));
        // The file holds every text: the untranslated ones empty it.
        QVERIFY(g.grid(kLanguageStrings)->editText(1).isEmpty());
        g.ok();
        QCOMPARE(std::string(text_bytes(g.definition.language.menuTexts[0])), std::string("Eingabe"));
    }

    void aDamagedPoFileChangesNothing() {
        LanguageFixture f;
        f.edit(kLanguageMenus, 2, QStringLiteral("Extras"));
        f.dialogs.fileNames.push_back(
            f.write("bad.po", "msgctxt \"menu\"\nmsgid \"Input\"\nmsgstr \"Eingabe\"\n\nmsgid \"Browse\nmsgstr \"x\"\n"));
        f.at<QPushButton>(kLanguageLoad)->click();
        const QStringList errors = f.shown(QStringLiteral("error"));
        QCOMPARE(errors.size(), 1);
        QVERIFY2(errors[0].contains(QStringLiteral("line 5")), qPrintable(errors[0]));
        QVERIFY(f.grid(kLanguageMenus)->editText(0).isEmpty());
        QCOMPARE(f.grid(kLanguageMenus)->editText(2), QStringLiteral("Extras"));
    }

    void unknownEntriesAreReportedAndTheRestLoaded() {
        LanguageFixture f;
        f.edit(kLanguageMenus, 2, QStringLiteral("Extras"));
        f.dialogs.fileNames.push_back(f.write("partial.po", "msgctxt \"menu\"\nmsgid \"Input\"\nmsgstr \"Eingabe\"\n\n"
                                                            "msgctxt \"menu\"\nmsgid \"Setup\"\nmsgstr \"Einrichten\"\n"));
        f.at<QPushButton>(kLanguageLoad)->click();
        const QStringList notes = f.shown(QStringLiteral("information"));
        QCOMPARE(notes.size(), 1);
        QVERIFY2(notes[0].contains(QStringLiteral("menu: Setup")), qPrintable(notes[0]));
        QCOMPARE(f.grid(kLanguageMenus)->editText(0), QStringLiteral("Eingabe"));
        QCOMPARE(f.grid(kLanguageMenus)->editText(2), QStringLiteral("Extras"));
    }
};

QTEST_MAIN(LanguagePageTest)
#include "language_page_test.moc"
