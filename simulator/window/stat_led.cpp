#include "simulator/window/stat_led.h"

#include <QPainter>

namespace formwick {

CStatLed::CStatLed(QWidget* parent) : QWidget(parent) {
    setObjectName("led");
    setAttribute(Qt::WA_TransparentForMouseEvents); // clicks drag the face
    hide();
}

bool CStatLed::setup_from_skin(const KeyListEntry& entry, const TerminalSkin& skin) {
    const BitmapRegion region = mask_region(skin, entry.colour);
    if (region.empty()) return false;
    const QRect box = to_qrect(region.bounds());
    region_ = to_qregion(region).translated(-box.topLeft());
    picture_ = skin.face.copy(box);
    setGeometry(box);
    setMask(region_);
    show();
    return true;
}

void CStatLed::show_view(const LedView& view) {
    const bool changed = view.lit() != view_.lit() || view.colour != view_.colour;
    view_ = view;
    if (changed) update();
}

void CStatLed::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.drawImage(0, 0, picture_);
    if (!view_.lit()) return;
    const LedRgb c = led_colour_rgb(view_.colour);
    p.setClipRegion(region_);
    p.fillRect(rect(), QColor(c.red, c.green, c.blue));
}

} // namespace formwick
