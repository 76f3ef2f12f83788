// PO files: writing and reading back, the forms translators' tools write,
// damaged files, and the translations they carry for the Language page.
#include "editors/language_po.h"
#include "editors/po_file.h"
#include "runtime/ui/texts.h"

#include <QTest>

using namespace formwick;

class PoFileTest : public QObject {
    Q_OBJECT

private slots:
    void entriesSurviveARoundTrip() {
        const std::vector<PoEntry> written = {
            {"menu", "Input", "Eingabe", false, 0},
            {"message", "Say \"hi\"\\now", "Zeile 1\nZeile\t2 \xE2\x98\x95", false, 0},
            {"", "no context", "", true, 0},
        };
        std::vector<PoEntry> read;
        std::string error;
        QVERIFY(parse_po(write_po(written), read, error));
        QCOMPARE(read.size(), written.size());
        for (std::size_t i = 0; i < read.size(); ++i) {
            QCOMPARE(read[i].context, written[i].context);
            QCOMPARE(read[i].id, written[i].id);
            QCOMPARE(read[i].str, written[i].str);
            QCOMPARE(read[i].fuzzy, written[i].fuzzy);
        }
    }

    void toolFormsAreRead() {
        // Comments, a byte order mark, continued strings and CRLF line ends.
        const std::string text = "\xEF\xBB\xBF# translator comment\r\n"
                                 "msgid \"\"\r\nmsgstr \"Content-Type: text/plain; charset=UTF-8\\n\"\r\n\r\n"
                                 "#: somewhere\r\n#, c-format\r\n"
                                 "msgctxt \"message\"\r\nmsgid \"\"\r\n\"Wrong \"\r\n\"password entered!\"\r\n"
                                 "msgstr \"Falsches \"\r\n  \"Passwort!\"\r\n";
        std::vector<PoEntry> read;
        std::string error;
        QVERIFY2(parse_po(text, read, error), error.c_str());
        QCOMPARE(read.size(), std::size_t(1));
        QCOMPARE(read[0].id, std::string("Wrong password entered!"));
        QCOMPARE(read[0].str, std::string("Falsches Passwort!"));
        QCOMPARE(read[0].line, 8);
    }

    void damagedFilesAreRefusedWithTheirLine_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QString>("error");
        QTest::newRow("no closing quote") << QByteArray("msgid \"Input\nmsgstr \"x\"\n") << "line 1: the quoted text does not end";
        QTest::newRow("msgstr missing") << QByteArray("msgid \"Input\"\nmsgid \"No\"\nmsgstr \"\"\n") << "line 2: msgid twice";
        QTest::newRow("last msgstr missing") << QByteArray("msgid \"Input\"\n") << "line 2: the last entry has no msgstr";
        QTest::newRow("stray text") << QByteArray("\"floating\"\n") << "line 1: a text line without a keyword before it";
        QTest::newRow("unknown keyword") << QByteArray("msgid \"a\"\nmsgtxt \"b\"\n") << "line 2: unknown keyword msgtxt";
        QTest::newRow("bad escape") << QByteArray("msgid \"a\\q\"\nmsgstr \"\"\n") << "line 1: unknown escape \\q";
        QTest::newRow("plural") << QByteArray("msgid \"a\"\nmsgid_plural \"as\"\nmsgstr[0] \"\"\n") << "line 2: plural forms are not used here";
        QTest::newRow("binary") << QByteArray("\x89PNG\r\n\x1A\n", 8) << QString::fromLatin1("line 1: unknown keyword \x89PNG");
    }
    void damagedFilesAreRefusedWithTheirLine() {
        QFETCH(QByteArray, text);
        QFETCH(QString, error);
        std::vector<PoEntry> read{{"x", "y", "z", false, 0}};
        std::string why;
        QVERIFY(!parse_po(std::string_view(text.constData(), std::size_t(text.size())), read, why));
        QCOMPARE(QString::fromLatin1(why.c_str()), error);
        QVERIFY(read.empty());
    }

    void translationsRoundTripThroughTheRuntimeTexts() {
        CParamLanguage language;
        language.setMenuText(0, u"Eingabe");
        language.setStringText(6, u"Passwort eingeben");
        language.setMessageText(32, u"Datenbank hat falsches Format.");
        const std::string po = language_to_po(language);
        // Every offered text is in the file, translated or not.
        QVERIFY(po.find("msgctxt \"message\"\nmsgid \"Database has wrong format.\"\nmsgstr \"Datenbank hat falsches Format.\"") !=
                std::string::npos);
        QVERIFY(po.find("msgctxt \"menu\"\nmsgid \"Receive\"\nmsgstr \"\"") != std::string::npos);
        CParamLanguage back;
        std::vector<std::string> unknown;
        std::string error;
        QVERIFY(apply_po(po, back, unknown, error));
        QVERIFY(unknown.empty());
        QVERIFY(back.menuTexts == language.menuTexts);
        QVERIFY(back.stringTexts == language.stringTexts);
        QVERIFY(back.messageTexts == language.messageTexts);
    }

    void unknownEntriesAreListedAndTheRestApplied() {
        const std::string po = "msgctxt \"menu\"\nmsgid \"Input\"\nmsgstr \"Entrada\"\n\n"
                               "msgctxt \"menu\"\nmsgid \"Error\"\nmsgstr \"wrong group\"\n\n"
                               "msgid \"Yes\"\nmsgstr \"S\xC3\xAD\"\n\n"
                               "msgctxt \"string\"\nmsgid \"Maybe\"\nmsgstr \"Quiz\xC3\xA1s\"\n\n"
                               "#, fuzzy\nmsgctxt \"string\"\nmsgid \"No\"\nmsgstr \"guess\"\n";
        CParamLanguage language;
        language.setStringText(5, u"kept");
        std::vector<std::string> unknown;
        std::string error;
        QVERIFY(apply_po(po, language, unknown, error));
        QCOMPARE(std::string(text_bytes(language.menuTexts[0])), std::string("Entrada"));
        QCOMPARE(std::string(text_bytes(language.stringTexts[4])), std::string("S\xC3\xAD"));
        QCOMPARE(std::string(text_bytes(language.stringTexts[5])), std::string("kept"));
        QCOMPARE(unknown, (std::vector<std::string>{"menu: Error", "string: Maybe"}));
    }

    void theGroupsAreTheRuntimesOwnTexts() {
        QCOMPARE(language_group(kGroupMenus).originals.size(), std::size_t(12));
        QCOMPARE(language_group(kGroupStrings).originals.size(), std::size_t(7));
        QCOMPARE(language_group(kGroupMessages).originals.size(), std::size_t(33));
        QCOMPARE(std::string(language_group(kGroupStrings).originals[0]), std::string(rt_text(TEXT_ERROR)));
    }
};

QTEST_MAIN(PoFileTest)
#include "po_file_test.moc"
