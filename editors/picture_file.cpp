#include "editors/picture_file.h"

#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>

#include <algorithm>
#include <cstdlib>

namespace formwick {

namespace {

std::uint32_t le32(const QByteArray& b, int at) {
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i) v = v << 8 | static_cast<std::uint8_t>(b[at + i]);
    return v;
}

// Qt decodes a cut-off BMP as far as it goes and fills the rest; a cut-off
// file is a damaged file here. True when an uncompressed BMP holds fewer
// bytes than its header promises.
bool truncated_bmp(const QString& path, qint64 fileSize) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return false; // the reader reports it
    const QByteArray h = file.read(30);
    if (h.size() < 2 || h[0] != 'B' || h[1] != 'M') return false;
    if (h.size() < 30) return true;
    const std::uint32_t dataOffset = le32(h, 10), headerSize = le32(h, 14);
    if (headerSize < 40) return false; // the old core header: left to the reader
    file.seek(30);
    const QByteArray more = file.read(4);
    if (more.size() < 4) return true;
    const std::uint32_t compression = le32(more, 0);
    if (compression != 0 && compression != 3) return false; // run-length data has no fixed size
    const auto width = static_cast<std::int32_t>(le32(h, 18)), height = static_cast<std::int32_t>(le32(h, 22));
    const int bitsPerPixel = static_cast<std::uint8_t>(h[28]) | static_cast<std::uint8_t>(h[29]) << 8;
    const qint64 rowBytes = (static_cast<qint64>(std::abs(width)) * bitsPerPixel + 31) / 32 * 4;
    return static_cast<qint64>(dataOffset) + rowBytes * std::abs(static_cast<qint64>(height)) > fileSize;
}

} // namespace

QString load_picture_file(const QString& path, int limitWidth, int limitHeight, MonoPixels& pixels) {
    const QString cannotLoad = QStringLiteral("Cannot load bitmap image");
    const QFileInfo info(path);
    if (!info.isFile() || info.size() > kMaxPictureFileSize) return cannotLoad;
    if (truncated_bmp(path, info.size())) return cannotLoad;

    QImageReader reader(path);
    reader.setAutoTransform(false);
    const QSize size = reader.size(); // from the header, before decoding
    if (!reader.canRead()) return cannotLoad;
    if (size.isValid() && size.width() > 0 && size.height() > 0) {
        // Decode only the corner the slots can show: a huge picture costs
        // no more than a small one.
        reader.setClipRect(QRect(0, 0, std::min(size.width(), limitWidth), std::min(size.height(), limitHeight)));
    }
    QImage image = reader.read();
    if (image.isNull()) return cannotLoad;
    const int width = size.isValid() ? size.width() : image.width();
    const int height = size.isValid() ? size.height() : image.height();
    if (width <= 0 || height <= 0) return QStringLiteral("Cannot get BMP image info");

    image = image.convertToFormat(QImage::Format_ARGB32);
    pixels = MonoPixels::white(width, height, std::min(image.width(), limitWidth),
                               std::min(image.height(), limitHeight));
    for (int y = 0; y < pixels.keptHeight; ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < pixels.keptWidth; ++x) {
            const QRgb c = line[x];
            pixels.set(x, y,
                       is_black_pixel(static_cast<std::uint8_t>(qRed(c)), static_cast<std::uint8_t>(qGreen(c)),
                                      static_cast<std::uint8_t>(qBlue(c)), static_cast<std::uint8_t>(qAlpha(c))));
        }
    }
    return {};
}

std::size_t convert_picture_file(const QString& path, PictureSlot slot, std::span<std::uint8_t> buffer,
                                 QString& error) {
    MonoPixels pixels;
    error = load_picture_file(path, slot.maxWidth, slot.maxHeight, pixels);
    if (!error.isEmpty()) return 0;
    const std::size_t written = pack_monochrome(pixels, slot, buffer);
    if (written == 0) error = QStringLiteral("Cannot get BMP image info");
    return written;
}

} // namespace formwick
