#include "simulator/window/stat_button.h"

#include <QMouseEvent>
#include <QPainter>

namespace formwick {

CStatButton::CStatButton(QWidget* parent) : QWidget(parent) { hide(); }

bool CStatButton::setup_from_skin(int index, const KeyListEntry& entry, const TerminalSkin& skin) {
    index_ = index;
    kind_ = entry.kind;
    code_ = entry.code;
    const BitmapRegion region = mask_region(skin, entry.colour);
    if (region.empty()) return false;
    const QRect box = to_qrect(region.bounds());
    region_ = to_qregion(region).translated(-box.topLeft());
    up_ = skin.face.copy(box);
    down_ = skin.pressed.copy(box);
    setGeometry(box);
    setMask(region_);
    setObjectName(QString("key-%1").arg(code_));
    show();
    return true;
}

void CStatButton::set_pressed(bool pressed) {
    if (pressed_ == pressed) return;
    pressed_ = pressed;
    update();
}

void CStatButton::press() {
    if (kind_ == KEY_KIND_ALPHA_TOGGLE)
        set_pressed(!pressed_);
    else
        set_pressed(true);
    emit keyNotified(index_, kind_, code_);
}

void CStatButton::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !region_.contains(event->position().toPoint())) {
        event->ignore();
        return;
    }
    captured_ = true;
    press();
}

void CStatButton::mouseMoveEvent(QMouseEvent* event) {
    if (!captured_ || kind_ == KEY_KIND_ALPHA_TOGGLE) return;
    set_pressed(region_.contains(event->position().toPoint()));
}

void CStatButton::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) end_capture();
}

void CStatButton::end_capture() {
    if (!captured_) return;
    captured_ = false;
    if (kind_ != KEY_KIND_ALPHA_TOGGLE) set_pressed(false);
    emit released(index_, kind_, code_);
}

void CStatButton::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.drawImage(0, 0, pressed_ ? down_ : up_);
}

} // namespace formwick
