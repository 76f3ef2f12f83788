#include "simulator/window/terminal_skin.h"

#include <QString>

// The pictures live in this static library's resources, which are not
// registered until something asks for them.
static void register_skin_pictures() {
    static const bool done = [] {
        Q_INIT_RESOURCE(skins);
        return true;
    }();
    (void)done;
}

namespace formwick {

namespace {

QImage load_picture(const QString& name, int zoom) {
    QImage image(name);
    if (image.isNull()) return image;
    image = image.convertToFormat(QImage::Format_RGB32);
    if (zoom > 1) image = image.scaled(image.size() * zoom, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    return image;
}

} // namespace

TerminalSkin load_skin(TerminalModel model, int zoom) {
    register_skin_pictures();
    const QString stem = QString(":/skins/") + QString(model_name(model)).toLower() + "_";
    TerminalSkin skin;
    skin.model = model;
    skin.face = load_picture(stem + "face.png", zoom);
    skin.pressed = load_picture(stem + "pressed.png", zoom);
    skin.mask = load_picture(stem + "mask.png", zoom);
    if (!skin.valid() || skin.face.size() != skin.mask.size() || skin.pressed.size() != skin.mask.size())
        return TerminalSkin{model, {}, {}, {}};
    return skin;
}

// Format_RGB32 rows are packed 32-bit 0xffRRGGBB pixels, the form the
// region builder reads. The runs outside the outline are dropped: the
// ENTER key's colour is magenta too. Inside, every area is bordered by the
// body, so a run never crosses the outline.
BitmapRegion mask_region(const TerminalSkin& skin, MaskColour c) {
    const QImage& mask = skin.mask;
    const std::uint32_t colour = (std::uint32_t(c.red) << 16) | (std::uint32_t(c.green) << 8) | c.blue;
    BitmapRegion region = region_of_colour(reinterpret_cast<const std::uint32_t*>(mask.constBits()), mask.width(),
                                           mask.height(), colour);
    if (colour == kSkinTransparent)
        std::erase_if(region.rects, [&](const RegionRect& r) {
            return (skin.face.pixel(r.left, r.top) & 0xFFFFFF) == kSkinTransparent;
        });
    return region;
}

// One pass over the rows, a rectangle per run of non-magenta pixels.
QRegion outline_region(const QImage& mask) {
    QList<QRect> rects;
    for (int y = 0; y < mask.height(); ++y) {
        const QRgb* row = reinterpret_cast<const QRgb*>(mask.constScanLine(y));
        int x = 0;
        while (x < mask.width()) {
            while (x < mask.width() && (row[x] & 0xFFFFFF) == kSkinTransparent) ++x;
            const int start = x;
            while (x < mask.width() && (row[x] & 0xFFFFFF) != kSkinTransparent) ++x;
            if (x > start) rects.push_back(QRect(start, y, x - start, 1));
        }
    }
    QRegion out;
    out.setRects(rects.constData(), static_cast<int>(rects.size()));
    return out;
}

QRect to_qrect(const RegionRect& r) { return QRect(r.left, r.top, r.right - r.left, r.bottom - r.top); }

QRegion to_qregion(const BitmapRegion& region) {
    QList<QRect> rects;
    rects.reserve(static_cast<qsizetype>(region.rects.size()));
    for (const RegionRect& r : region.rects) rects.push_back(to_qrect(r));
    QRegion out;
    out.setRects(rects.constData(), static_cast<int>(rects.size()));
    return out;
}

} // namespace formwick
