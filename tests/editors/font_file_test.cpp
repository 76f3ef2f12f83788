// Reading .BFT font files: each check, its message, and what happens to the
// font already loaded.
#include "editors/font_file.h"

#include <QTemporaryDir>
#include <QTest>

#include <filesystem>
#include <fstream>
#include <vector>

using namespace formwick;

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes with_magic(const Bytes& body) {
    Bytes file;
    for (char c : kFontMagic) file.push_back(static_cast<std::uint8_t>(c));
    file.insert(file.end(), body.begin(), body.end());
    return file;
}

// A plain body: height, width and 256 glyphs of ceil(height / 8) * width bytes.
Bytes plain_body(int height, int width) {
    Bytes body{static_cast<std::uint8_t>(height), static_cast<std::uint8_t>(width)};
    body.resize(2 + 256 * static_cast<std::size_t>((height + 7) / 8 * width), 0x55);
    return body;
}

// An extended body holding the codes 'A' and 0x263A.
Bytes extended_body(int height, int width) {
    Bytes body(kExtendedFontHeaderSize, 0);
    body[0] = body[1] = 0xFE;
    for (int code : {int('A'), 0x263A}) body[2 + code / 8] |= static_cast<std::uint8_t>(0x80 >> (code % 8));
    body[8194] = static_cast<std::uint8_t>(height);
    body[8195] = static_cast<std::uint8_t>(width);
    body.resize(body.size() + 2 * static_cast<std::size_t>((height + 7) / 8 * width), 0xAA);
    return body;
}

CParamStartup with_previous_font() {
    CParamStartup s;
    s.setCustomFont(plain_body(16, 8));
    return s;
}

} // namespace

class FontFileTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;

    std::string write(const char* name, const Bytes& bytes) {
        const std::string path = (dir_.path() + "/" + name).toStdString();
        std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                   static_cast<std::streamsize>(bytes.size()));
        return path;
    }

private slots:
    void checksRunInOrderWithTheirMessages_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("previousKept");
        QTest::addColumn<int>("height");
        QTest::addColumn<int>("width");
        auto row = [](const char* name, const Bytes& bytes, const char* message, bool kept, int h = 0, int w = 0) {
            QTest::newRow(name) << QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size()))
                                << QString::fromUtf8(message) << kept << h << w;
        };
        row("17 bytes", with_magic(Bytes(9, 12)), "Font file error", true);
        row("5 bytes: the short length passes, the magic read fails", Bytes(5, 'x'), "Error reading font file", true);
        row("empty", Bytes{}, "Error reading font file", true);
        Bytes badMagic = with_magic(plain_body(12, 6));
        badMagic[3] = 'X';
        row("wrong magic", badMagic, "Error not a font file", true);
        Bytes height11(10, 0);
        height11[0] = 11;
        height11[1] = 6;
        row("18 bytes, height 11", with_magic(height11), "Error in font size", false);
        row("height 25", with_magic(plain_body(25, 8)), "Error in font size", false);
        row("width 5", with_magic(plain_body(12, 5)), "Error in font size", false);
        row("width 25", with_magic(plain_body(12, 25)), "Error in font size", false);
        Bytes short_extended = extended_body(16, 8);
        short_extended.resize(8195);
        row("FE FE with 8195 bytes", with_magic(short_extended), "Error in font file", false);
        row("extended height 30", with_magic(extended_body(30, 8)), "Error in font size", false);
        row("good plain 12 x 6", with_magic(plain_body(12, 6)), "", false, 12, 6);
        row("good plain 24 x 24", with_magic(plain_body(24, 24)), "", false, 24, 24);
        row("good extended 16 x 8", with_magic(extended_body(16, 8)), "", false, 16, 8);
    }
    void checksRunInOrderWithTheirMessages() {
        QFETCH(QByteArray, file);
        QFETCH(QString, message);
        QFETCH(bool, previousKept);
        QFETCH(int, height);
        QFETCH(int, width);
        const std::string path = write("font.bft", Bytes(file.begin(), file.end()));
        CParamStartup s = with_previous_font();
        const CParamStartup before = s;
        QCOMPARE(QString::fromStdString(load_font_file(path, s)), message);
        if (previousKept) {
            QVERIFY(s.customFont == before.customFont);
            QCOMPARE(s.glyphHeight, 16);
        } else if (message.isEmpty()) {
            QCOMPARE(s.glyphHeight, height);
            QCOMPARE(s.glyphWidth, width);
            QCOMPARE(s.customFontLength, int(file.size()) - 8);
            QVERIFY(s.customFont == Bytes(file.begin() + 8, file.end()));
        } else {
            QVERIFY(!s.hasCustomFont());
            QCOMPARE(s.customFontLength, 0);
            QCOMPARE(s.glyphHeight, 0);
            QCOMPARE(s.glyphWidth, 0);
        }
    }

    void filesThatAreNoFontFilesKeepThePreviousFont_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("message");
        QTest::newRow("missing (vanished after the dialog)") << "missing.bft" << "Cannot open font file";
        QTest::newRow("a directory") << "folder.bft" << "Cannot open font file";
        QTest::newRow("over 100 MB") << "huge.bft" << "Font file error";
    }
    void filesThatAreNoFontFilesKeepThePreviousFont() {
        QFETCH(QString, name);
        QFETCH(QString, message);
        std::filesystem::create_directory((dir_.path() + "/folder.bft").toStdString());
        // Sparse, so it costs no disk space.
        const std::string huge = write("huge.bft", with_magic(plain_body(12, 6)));
        std::filesystem::resize_file(huge, kMaxFontFileSize + 1);
        CParamStartup s = with_previous_font();
        QCOMPARE(QString::fromStdString(load_font_file((dir_.path() + "/" + name).toStdString(), s)), message);
        QCOMPARE(s.glyphHeight, 16);
        QVERIFY(s.hasCustomFont());
    }
};

QTEST_MAIN(FontFileTest)
#include "font_file_test.moc"
