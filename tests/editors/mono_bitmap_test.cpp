// Pictures to the packed monochrome form: the slot size rules, the bit
// layout, the black-and-white threshold, and picture files through Qt.
#include "editors/mono_bitmap.h"
#include "editors/picture_file.h"
#include "model/startup.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>

#include <array>

using namespace formwick;

namespace {

using Bytes = std::vector<std::uint8_t>;

MonoPixels all_black(int width, int height) {
    MonoPixels p = MonoPixels::white(width, height, width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) p.set(x, y, true);
    return p;
}

Bytes pack(const MonoPixels& pixels, PictureSlot slot, std::size_t& written) {
    Bytes out(kSplashImageSize + 1, 0xEE); // not zero, so stray bytes show
    written = pack_monochrome(pixels, slot, out);
    return out;
}

} // namespace

class MonoBitmapTest : public QObject {
    Q_OBJECT

private slots:
    void slotsSizeThePicture_data() {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::addColumn<bool>("menu");
        QTest::addColumn<int>("storedWidth");
        QTest::addColumn<int>("storedHeight");
        QTest::addColumn<int>("written");
        QTest::newRow("200 x 40 splash: cut to 128 wide") << 200 << 40 << false << 128 << 40 << 642;
        QTest::newRow("200 x 40 menu: 64 x 64") << 200 << 40 << true << 64 << 64 << 514;
        QTest::newRow("10 x 3 splash: own size") << 10 << 3 << false << 10 << 3 << 8;
        QTest::newRow("10 x 3 menu: padded") << 10 << 3 << true << 64 << 64 << 514;
        QTest::newRow("300 x 300 splash") << 300 << 300 << false << 128 << 128 << 2050;
        QTest::newRow("1 x 1 splash") << 1 << 1 << false << 1 << 1 << 3;
    }
    void slotsSizeThePicture() {
        QFETCH(int, width);
        QFETCH(int, height);
        QFETCH(bool, menu);
        QFETCH(int, storedWidth);
        QFETCH(int, storedHeight);
        QFETCH(int, written);
        std::size_t n = 0;
        const Bytes out = pack(all_black(width, height), menu ? kMenuImageSlot : kSplashSlot, n);
        QCOMPARE(int(n), written);
        QCOMPARE(int(out[0]), storedWidth);
        QCOMPARE(int(out[1]), storedHeight);
        const int rowBytes = (storedWidth + 7) / 8;
        for (int y = 0; y < storedHeight; ++y) {
            for (int i = 0; i < rowBytes; ++i) {
                // Black where the picture is, white (0) where the slot pads it,
                // and the unused low bits of the row's last byte 0.
                std::uint8_t expected = 0;
                for (int bit = 0; bit < 8; ++bit) {
                    const int x = 8 * i + bit;
                    if (x < storedWidth && x < width && y < height) expected |= std::uint8_t(0x80 >> bit);
                }
                QCOMPARE(int(out[2 + std::size_t(y * rowBytes + i)]), int(expected));
            }
        }
        QCOMPARE(int(out[n]), 0xEE); // nothing written past the picture
    }

    void bitsRunLeftToRightFromTheMostSignificant() {
        MonoPixels p = MonoPixels::white(10, 2, 10, 2);
        p.set(0, 0, true);
        p.set(7, 0, true);
        p.set(8, 0, true);
        p.set(9, 1, true);
        std::size_t n = 0;
        const Bytes out = pack(p, kSplashSlot, n);
        QCOMPARE(int(n), 6);
        QCOMPARE(out[2], std::uint8_t(0x81));
        QCOMPARE(out[3], std::uint8_t(0x80));
        QCOMPARE(out[4], std::uint8_t(0x00));
        QCOMPARE(out[5], std::uint8_t(0x40));
    }

    void emptyPicturesAndSmallBuffersWriteNothing() {
        Bytes small(100, 0xEE);
        QCOMPARE(pack_monochrome(MonoPixels{}, kSplashSlot, small), std::size_t(0));
        QCOMPARE(pack_monochrome(all_black(64, 64), kMenuImageSlot, small), std::size_t(0));
        QVERIFY(small == Bytes(100, 0xEE));
    }

    void luminanceBelowHalfIsBlack_data() {
        QTest::addColumn<int>("r");
        QTest::addColumn<int>("g");
        QTest::addColumn<int>("b");
        QTest::addColumn<int>("a");
        QTest::addColumn<bool>("black");
        QTest::newRow("black") << 0 << 0 << 0 << 255 << true;
        QTest::newRow("white") << 255 << 255 << 255 << 255 << false;
        QTest::newRow("grey 127") << 127 << 127 << 127 << 255 << true;
        QTest::newRow("grey 128") << 128 << 128 << 128 << 255 << false;
        QTest::newRow("pure red is dark") << 255 << 0 << 0 << 255 << true;
        QTest::newRow("pure green is light") << 0 << 255 << 0 << 255 << false;
        QTest::newRow("pure blue is dark") << 0 << 0 << 255 << 255 << true;
        QTest::newRow("see-through black lies on white") << 0 << 0 << 0 << 0 << false;
        QTest::newRow("mostly opaque black") << 0 << 0 << 0 << 200 << true;
    }
    void luminanceBelowHalfIsBlack() {
        QFETCH(int, r);
        QFETCH(int, g);
        QFETCH(int, b);
        QFETCH(int, a);
        QFETCH(bool, black);
        QCOMPARE(is_black_pixel(std::uint8_t(r), std::uint8_t(g), std::uint8_t(b), std::uint8_t(a)), black);
    }

    void pictureFilesOfAnyDepthConvert_data() {
        QTest::addColumn<QString>("format");
        QTest::addColumn<int>("imageFormat");
        QTest::newRow("BMP 1 bit") << "BMP" << int(QImage::Format_Mono);
        QTest::newRow("BMP 8 bit grey") << "BMP" << int(QImage::Format_Grayscale8);
        QTest::newRow("BMP 24 bit") << "BMP" << int(QImage::Format_RGB888);
        QTest::newRow("PNG with alpha") << "PNG" << int(QImage::Format_ARGB32);
    }
    void pictureFilesOfAnyDepthConvert() {
        QFETCH(QString, format);
        QFETCH(int, imageFormat);
        // 200 x 40, white with a black diagonal and a black left column.
        QImage image(200, 40, QImage::Format_RGB32);
        image.fill(Qt::white);
        for (int y = 0; y < 40; ++y) {
            image.setPixel(y, y, qRgb(0, 0, 0));
            image.setPixel(0, y, qRgb(0, 0, 0));
        }
        QTemporaryDir dir;
        const QString path = dir.path() + "/picture." + format.toLower();
        QVERIFY(image.convertToFormat(QImage::Format(imageFormat)).save(path, qPrintable(format)));
        Bytes buffer(kSplashImageSize, 0);
        QString error;
        QCOMPARE(convert_picture_file(path, kSplashSlot, buffer, error), std::size_t(642));
        QVERIFY(error.isEmpty());
        QCOMPARE(int(buffer[0]), 128);
        QCOMPARE(int(buffer[1]), 40);
        QCOMPARE(int(buffer[2]), 0x80);              // row 0: pixel 0 only
        QCOMPARE(int(buffer[2 + 16 * 9]), 0x80);     // row 9: the left column
        QCOMPARE(int(buffer[2 + 16 * 9 + 1]), 0x40); // and pixel 9 of the diagonal
        QCOMPARE(convert_picture_file(path, kMenuImageSlot, buffer, error), std::size_t(514));
        QCOMPARE(int(buffer[0]), 64);
        QCOMPARE(int(buffer[1]), 64);
        for (int y = 40; y < 64; ++y)
            for (int i = 0; i < 8; ++i) QCOMPARE(int(buffer[2 + std::size_t(y * 8 + i)]), 0);
    }

    void badPictureFilesGiveAMessageAndNoBytes_data() {
        QTest::addColumn<QString>("name");
        QTest::newRow("truncated BMP") << "truncated.bmp";
        QTest::newRow("not a picture") << "text.bmp";
        QTest::newRow("empty") << "empty.bmp";
        QTest::newRow("a directory") << "folder.bmp";
        QTest::newRow("missing") << "missing.bmp";
        QTest::newRow("over 100 MB") << "huge.bmp";
    }
    void badPictureFilesGiveAMessageAndNoBytes() {
        QFETCH(QString, name);
        QTemporaryDir dir;
        const QString d = dir.path() + "/";
        QImage image(64, 64, QImage::Format_RGB888);
        image.fill(Qt::black);
        QVERIFY(image.save(d + "good.bmp", "BMP"));
        QFile good(d + "good.bmp");
        QVERIFY(good.open(QIODevice::ReadOnly));
        const QByteArray bytes = good.readAll();
        auto put = [&](const QString& file, const QByteArray& content) {
            QFile f(d + file);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(content);
        };
        put("truncated.bmp", bytes.left(60));
        put("text.bmp", "this is no picture at all, only some words");
        put("empty.bmp", QByteArray());
        put("huge.bmp", bytes);
        QVERIFY(QFile::resize(d + "huge.bmp", kMaxPictureFileSize + 1));
        QVERIFY(QDir(d).mkdir("folder.bmp"));
        Bytes buffer(kSplashImageSize, 0xEE);
        QString error;
        QCOMPARE(convert_picture_file(d + name, kSplashSlot, buffer, error), std::size_t(0));
        QCOMPARE(error, QStringLiteral("Cannot load bitmap image"));
    }
};

QTEST_MAIN(MonoBitmapTest)
#include "mono_bitmap_test.moc"
