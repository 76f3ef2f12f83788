// The committed terminal faces: sizes, the mask's colours and the display.
#include "simulator/window/terminal_skin.h"

#include <QtTest>

#include <vector>

using namespace formwick;

namespace {

// The 4-connected areas of pixels for which `in` holds.
int connected_areas(const QImage& image, const std::function<bool(int, int)>& in) {
    std::vector<char> seen(static_cast<std::size_t>(image.width() * image.height()), 0);
    int areas = 0;
    for (int y0 = 0; y0 < image.height(); ++y0)
        for (int x0 = 0; x0 < image.width(); ++x0) {
            if (seen[y0 * image.width() + x0] || !in(x0, y0)) continue;
            ++areas;
            std::vector<QPoint> stack{{x0, y0}};
            seen[y0 * image.width() + x0] = 1;
            while (!stack.empty()) {
                const QPoint p = stack.back();
                stack.pop_back();
                for (QPoint d : {QPoint(1, 0), QPoint(-1, 0), QPoint(0, 1), QPoint(0, -1)}) {
                    const QPoint q = p + d;
                    if (q.x() < 0 || q.y() < 0 || q.x() >= image.width() || q.y() >= image.height()) continue;
                    char& s = seen[q.y() * image.width() + q.x()];
                    if (s || !in(q.x(), q.y())) continue;
                    s = 1;
                    stack.push_back(q);
                }
            }
        }
    return areas;
}

QRgb rgb_of(MaskColour c) { return qRgb(c.red, c.green, c.blue); }
bool magenta(const QImage& image, int x, int y) { return (image.pixel(x, y) & 0xFFFFFF) == kSkinTransparent; }

} // namespace

class SkinsTest : public QObject {
    Q_OBJECT
private slots:
    void pictures_data() {
        QTest::addColumn<int>("model");
        QTest::addColumn<QSize>("size");
        QTest::newRow("R58") << int(TerminalModel::R58) << QSize(220, 625);
        QTest::newRow("KTM3300") << int(TerminalModel::KTM3300) << QSize(231, 566);
    }

    void pictures() {
        QFETCH(int, model);
        QFETCH(QSize, size);
        const TerminalSkin skin = load_skin(TerminalModel(model));
        QVERIFY(skin.valid());
        QCOMPARE(skin.face.size(), size);
        QCOMPARE(skin.pressed.size(), size);
        QCOMPARE(skin.mask.size(), size);

        // The faces say what is see-through (the ENTER key's mask colour is
        // magenta too): both faces alike, and the mask magenta there as well.
        for (int y = 0; y < size.height(); ++y)
            for (int x = 0; x < size.width(); ++x) {
                const bool outside = magenta(skin.face, x, y);
                if (magenta(skin.pressed, x, y) != outside || (outside && !magenta(skin.mask, x, y)))
                    QFAIL(qPrintable(QString("faces and mask disagree at %1,%2").arg(x).arg(y)));
            }
        QCOMPARE(connected_areas(skin.face, [&](int x, int y) { return !magenta(skin.face, x, y); }), 1);
        QVERIFY(magenta(skin.face, 0, 0) && magenta(skin.face, size.width() - 1, size.height() - 1));

        for (const KeyListEntry& entry : key_list(TerminalModel(model))) {
            const QRgb colour = rgb_of(entry.colour);
            const QString what = QString("colour %1,%2,%3").arg(entry.colour.red).arg(entry.colour.green).arg(entry.colour.blue);
            const auto is = [&](int x, int y) {
                return (skin.mask.pixel(x, y) & 0xFFFFFF) == (colour & 0xFFFFFF) && !magenta(skin.face, x, y);
            };
            QVERIFY2(connected_areas(skin.mask, is) == 1, qPrintable(what + " is not one area"));
            // Inside the outline: no pixel of the area touches magenta or the edge.
            const BitmapRegion region = mask_region(skin, entry.colour);
            for (const RegionRect& r : region.rects)
                for (int x = r.left; x < r.right; ++x)
                    for (QPoint d : {QPoint(1, 0), QPoint(-1, 0), QPoint(0, 1), QPoint(0, -1)}) {
                        const QPoint q = QPoint(x, r.top) + d;
                        QVERIFY2(q.x() >= 0 && q.y() >= 0 && q.x() < size.width() && q.y() < size.height() &&
                                     !magenta(skin.face, q.x(), q.y()),
                                 qPrintable(what + " reaches the outline"));
                    }
            if (entry.kind == KEY_KIND_DISPLAY) {
                const QRect box = to_qrect(region.bounds());
                QCOMPARE(box.size(), QSize(128, 128));
                long pixels = 0;
                for (const RegionRect& r : region.rects) pixels += r.right - r.left;
                QCOMPARE(pixels, 128L * 128L);
                // The screen's background is one colour over the whole area in
                // both faces, so the display reads it at (1, 1).
                const QRgb lcd = skin.face.pixel(box.topLeft() + QPoint(1, 1));
                for (int y = box.top(); y <= box.bottom(); ++y)
                    for (int x = box.left(); x <= box.right(); ++x)
                        if (skin.face.pixel(x, y) != lcd || skin.pressed.pixel(x, y) != lcd)
                            QFAIL("the display area is not plain in the faces");
            }
        }
    }

    // Every key has a pressed picture that differs from its up picture.
    void pressed_face_differs_on_the_keys() {
        for (TerminalModel model : {TerminalModel::R58, TerminalModel::KTM3300}) {
            const TerminalSkin skin = load_skin(model);
            for (const KeyListEntry& entry : key_list(model)) {
                if (entry.kind < KEY_KIND_KEY) continue;
                const QRect box = to_qrect(mask_region(skin, entry.colour).bounds());
                QVERIFY(skin.face.copy(box) != skin.pressed.copy(box));
            }
        }
    }

    void zoom_keeps_the_mask_exact() {
        const TerminalSkin skin = load_skin(TerminalModel::KTM3300, 3);
        QCOMPARE(skin.mask.size(), QSize(693, 1698));
        const KeyListEntry& display = key_list(TerminalModel::KTM3300)[1];
        QCOMPARE(to_qrect(mask_region(skin, display.colour).bounds()).size(), QSize(384, 384));
    }
};

QTEST_MAIN(SkinsTest)
#include "skins_test.moc"
