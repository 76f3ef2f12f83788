#include "simulator/window/display_widget.h"

#include "simulator/core/display/screen.h"

#include <QPainter>

namespace formwick {

DisplayWidget::DisplayWidget(CStatDisplay& display, QWidget* parent) : QWidget(parent), display_(display) {
    setObjectName("display");
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    hide();
}

bool DisplayWidget::setup_from_skin(const KeyListEntry& entry, const TerminalSkin& skin) {
    if (entry.kind != KEY_KIND_DISPLAY) return false;
    const BitmapRegion region = mask_region(skin, entry.colour);
    if (region.empty()) return false;
    const QRect box = to_qrect(region.bounds());
    const QRgb background = skin.face.pixel(box.left() + 1, box.top() + 1) & 0xFFFFFF;
    // A screen not yet drawn takes the new colour at once; drawn pixels keep
    // theirs until the next run clears the screen.
    display_.set_background(background);
    setGeometry(box);
    show();
    update();
    return true;
}

void DisplayWidget::paintEvent(QPaintEvent*) {
    const std::uint64_t frame = display_.frame_count();
    const Screen screen = compose_screen(display_);
    QImage image(screen.width, screen.height, QImage::Format_RGB32);
    for (int y = 0; y < screen.height; ++y) {
        QRgb* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < screen.width; ++x) {
            const Pixel p = screen.pixels[static_cast<std::size_t>(y * screen.width + x)];
            // Dark pixels are drawn as a deep blue-black, as on a real LCD.
            row[x] = p == kPixelDark ? 0xFF1C2320 : (0xFF000000 | p);
        }
    }
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawImage(rect(), image);
    shown_ = std::move(image);
    if (frame != shownFrame_) {
        shownFrame_ = frame;
        emit framePainted(frame);
    }
}

} // namespace formwick
