#include "skin_painter.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace formwick::skins {

namespace {

QColor rgb(const MaskColour& c) { return QColor(c.red, c.green, c.blue); }

const KeyListEntry* entry_of(std::span<const KeyListEntry> keys, int kind, int code) {
    for (const KeyListEntry& e : keys)
        if (e.kind == kind && (kind == KEY_KIND_LED || kind == KEY_KIND_DISPLAY || e.code == code)) return &e;
    return nullptr;
}

QPainterPath key_path(const KeyShape& k, QRectF r) {
    QPainterPath path;
    if (k.round)
        path.addEllipse(r);
    else
        path.addRoundedRect(r, std::min(8.0, r.height() / 3), std::min(8.0, r.height() / 3));
    return path;
}

QPainterPath body_path(const SkinLayout& l) {
    QPainterPath path;
    path.addRoundedRect(QRectF(l.body), l.bodyRadius, l.bodyRadius);
    return path;
}

struct KeyColours {
    QColor top, bottom, text;
};

KeyColours colours_of(KeyStyle style) {
    switch (style) {
    case KeyStyle::digit: return {QColor(0xe8, 0xe8, 0xe3), QColor(0xbc, 0xbd, 0xb8), QColor(0x1e, 0x20, 0x22)};
    case KeyStyle::function: return {QColor(0x6f, 0x86, 0xa3), QColor(0x46, 0x59, 0x72), Qt::white};
    case KeyStyle::navigation: return {QColor(0x5c, 0x60, 0x66), QColor(0x3a, 0x3d, 0x42), Qt::white};
    case KeyStyle::trigger: return {QColor(0xff, 0xb9, 0x3a), QColor(0xd8, 0x80, 0x10), QColor(0x3a, 0x24, 0x00)};
    case KeyStyle::clear: return {QColor(0xd9, 0x4b, 0x3f), QColor(0xa3, 0x2a, 0x22), Qt::white};
    case KeyStyle::enter: return {QColor(0x4c, 0xb0, 0x6c), QColor(0x2a, 0x7d, 0x47), Qt::white};
    case KeyStyle::small: return {QColor(0x8d, 0x91, 0x97), QColor(0x63, 0x67, 0x6d), Qt::white};
    }
    return {};
}

QFont label_font(int pixels) {
    QFont f("DejaVu Sans");
    f.setBold(true);
    f.setPixelSize(pixels);
    return f;
}

// An arrow for the up and down keys: a filled triangle.
void paint_arrow(QPainter& p, QRectF r, bool up, const QColor& c) {
    const QPointF m = r.center();
    const double s = std::min(r.width(), r.height()) * 0.22;
    QPainterPath tri;
    if (up) {
        tri.moveTo(m.x(), m.y() - s);
        tri.lineTo(m.x() + s * 1.2, m.y() + s * 0.7);
        tri.lineTo(m.x() - s * 1.2, m.y() + s * 0.7);
    } else {
        tri.moveTo(m.x(), m.y() + s);
        tri.lineTo(m.x() + s * 1.2, m.y() - s * 0.7);
        tri.lineTo(m.x() - s * 1.2, m.y() - s * 0.7);
    }
    tri.closeSubpath();
    p.fillPath(tri, c);
}

// The scan key shows a small barcode.
void paint_barcode_icon(QPainter& p, QRectF r, const QColor& c) {
    static const int kBars[] = {2, 1, 1, 2, 1, 3, 1, 1, 2, 1, 1, 2};
    const double h = r.height() * 0.34, unit = 1.4;
    double total = 0;
    for (int w : kBars) total += w * unit + unit;
    double x = r.center().x() - total / 2;
    const double y = r.center().y() - h / 2;
    for (int w : kBars) {
        p.fillRect(QRectF(x, y, w * unit, h), c);
        x += w * unit + unit;
    }
}

void paint_label(QPainter& p, const KeyShape& k, QRectF r, const QColor& c) {
    p.setPen(c);
    if (k.code == KEY_UP || k.code == KEY_DOWN) {
        paint_arrow(p, r, k.code == KEY_UP, c);
        return;
    }
    if (k.code == KEY_TRIGGER) {
        paint_barcode_icon(p, r, c);
        return;
    }
    if (k.style == KeyStyle::digit && !k.letters.isEmpty()) {
        p.setFont(label_font(17));
        p.drawText(QRectF(r.left(), r.top() + 2, r.width(), r.height() * 0.62), Qt::AlignHCenter | Qt::AlignBottom, k.label);
        p.setFont(label_font(9));
        p.drawText(QRectF(r.left(), r.top() + r.height() * 0.62, r.width(), r.height() * 0.36),
                   Qt::AlignHCenter | Qt::AlignTop, k.letters);
        return;
    }
    const int pixels = k.style == KeyStyle::digit ? 20 : (r.height() < 26 ? 10 : 12);
    p.setFont(label_font(pixels));
    p.drawText(r, Qt::AlignCenter, k.label);
}

void paint_key(QPainter& p, const KeyShape& k, bool pressed) {
    const KeyColours c = colours_of(k.style);
    QRectF r = QRectF(k.rect).adjusted(0.5, 0.5, -0.5, -0.5);
    if (!pressed) {
        // The key stands out of the panel: a soft shadow under its lower edge.
        p.fillPath(key_path(k, r.translated(0, 1.5)), QColor(0, 0, 0, 150));
        r.adjust(0, 0, 0, -1.5);
    } else {
        r.adjust(0, 1, 0, 0);
    }
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, pressed ? c.bottom.darker(115) : c.top);
    g.setColorAt(1, pressed ? c.top.darker(125) : c.bottom);
    const QPainterPath path = key_path(k, r);
    p.fillPath(path, g);
    p.setBrush(Qt::NoBrush); // the outlines below are strokes only
    p.setPen(QPen(pressed ? QColor(0, 0, 0, 170) : QColor(0, 0, 0, 110), 1));
    p.drawPath(path);
    if (!pressed && !k.round) {
        // A thin highlight along the top edge.
        p.setPen(QPen(QColor(255, 255, 255, 90), 1));
        p.drawPath(key_path(k, r.adjusted(1.5, 1, -1.5, -r.height() + 3)));
    }
    paint_label(p, k, r, pressed ? c.text.darker(110) : c.text);
}

void paint_body(QPainter& p, const SkinLayout& l) {
    const QPainterPath body = body_path(l);
    QLinearGradient g(QPointF(l.body.left(), 0), QPointF(l.body.right(), 0));
    g.setColorAt(0, l.bodyColour.darker(135));
    g.setColorAt(0.12, l.bodyColour.lighter(118));
    g.setColorAt(0.5, l.bodyColour);
    g.setColorAt(0.88, l.bodyColour.darker(112));
    g.setColorAt(1, l.bodyColour.darker(150));
    p.fillPath(body, g);
    p.setPen(QPen(QColor(255, 255, 255, 40), 1.5));
    QPainterPath rim;
    rim.addRoundedRect(QRectF(l.body).adjusted(2, 2, -2, -2), l.bodyRadius - 2, l.bodyRadius - 2);
    p.drawPath(rim);

    // The scanner window along the top edge.
    p.fillRect(QRectF(l.body.center().x() - 36, l.body.top() + 1, 72, 4), QColor(0x50, 0x10, 0x10));

    // The glass over the display: a dark panel with a faint sheen.
    QPainterPath bezel;
    bezel.addRoundedRect(QRectF(l.bezel), 12, 12);
    QLinearGradient bg(QPointF(l.bezel.topLeft()), QPointF(l.bezel.bottomRight()));
    bg.setColorAt(0, QColor(0x2a, 0x2d, 0x31));
    bg.setColorAt(1, QColor(0x0e, 0x0f, 0x11));
    p.fillPath(bezel, bg);
    p.setPen(QPen(QColor(255, 255, 255, 35), 1));
    p.drawPath(bezel);
    // The screen sits a little into the glass.
    p.fillRect(QRectF(l.display).adjusted(-3, -3, 3, 3), QColor(0x5a, 0x63, 0x52));
    p.fillRect(QRectF(l.display).adjusted(-1, -1, 1, 1), QColor(0x8e, 0x9a, 0x80));

    // The LED lens in its ring.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x10, 0x11, 0x13));
    p.drawEllipse(QPointF(l.led), l.ledRadius + 3, l.ledRadius + 3);
    QRadialGradient lens(QPointF(l.led) - QPointF(2, 2), l.ledRadius * 1.4);
    lens.setColorAt(0, QColor(0x9a, 0x9a, 0x9a));
    lens.setColorAt(1, QColor(0x3c, 0x3c, 0x3c));
    p.setBrush(lens);
    p.drawEllipse(QPointF(l.led), l.ledRadius, l.ledRadius);

    // The rubber keypad.
    QPainterPath pad;
    pad.addRoundedRect(QRectF(l.keypad), 16, 16);
    p.fillPath(pad, l.bodyColour.darker(140));
    p.setPen(QPen(QColor(255, 255, 255, 30), 1));
    p.drawPath(pad);

    // Speaker slots under the keypad, where there is room.
    const int below = l.body.bottom() - l.keypad.bottom();
    if (below > 24) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x12, 0x13, 0x15));
        const int y = l.keypad.bottom() + below / 2 - 2;
        for (int i = -2; i <= 2; ++i) p.drawRoundedRect(QRectF(l.body.center().x() + i * 12 - 4, y, 8, 4), 2, 2);
    }
}

} // namespace

QImage paint_outline(const SkinLayout& l) {
    QImage outline(l.size, QImage::Format_RGB32);
    outline.fill(kMagenta);
    QPainter p(&outline);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.fillPath(body_path(l), QColor::fromRgb(kMaskBody));
    return outline;
}

QImage paint_mask(const SkinLayout& l, std::span<const KeyListEntry> keys) {
    QImage mask = paint_outline(l);
    QPainter p(&mask);
    p.setRenderHint(QPainter::Antialiasing, false);
    if (const KeyListEntry* e = entry_of(keys, KEY_KIND_LED, 0)) {
        p.setPen(Qt::NoPen);
        p.setBrush(rgb(e->colour));
        p.drawEllipse(QPointF(l.led), l.ledRadius, l.ledRadius);
    }
    if (const KeyListEntry* e = entry_of(keys, KEY_KIND_DISPLAY, 0)) p.fillRect(l.display, rgb(e->colour));
    for (const KeyShape& k : l.keys) {
        const KeyListEntry* e = entry_of(keys, k.kind, k.code);
        if (!e) continue; // a key this model's list does not have
        p.fillPath(key_path(k, QRectF(k.rect)), rgb(e->colour));
    }
    return mask;
}

QImage paint_face(const SkinLayout& l, bool pressed) {
    const QImage outline = paint_outline(l);
    QImage art(l.size, QImage::Format_ARGB32_Premultiplied);
    art.fill(Qt::transparent);
    {
        QPainter p(&art);
        p.setRenderHint(QPainter::Antialiasing, true);
        p.setRenderHint(QPainter::TextAntialiasing, true);
        paint_body(p, l);
        for (const KeyShape& k : l.keys) paint_key(p, k, pressed);
        p.setRenderHint(QPainter::Antialiasing, false);
        p.fillRect(l.display, l.lcdColour);
    }
    // Flatten: magenta exactly outside the outline, the art over the body's
    // darkest colour inside, so no pink fringe shows at the edge.
    QImage face(l.size, QImage::Format_RGB32);
    face.fill(l.bodyColour.darker(150));
    {
        QPainter p(&face);
        p.drawImage(0, 0, art);
    }
    for (int y = 0; y < face.height(); ++y) {
        QRgb* row = reinterpret_cast<QRgb*>(face.scanLine(y));
        const QRgb* m = reinterpret_cast<const QRgb*>(outline.constScanLine(y));
        for (int x = 0; x < face.width(); ++x) {
            if ((m[x] & 0xFFFFFF) == (kMagenta & 0xFFFFFF))
                row[x] = kMagenta;
            else if ((row[x] & 0xFFFFFF) == (kMagenta & 0xFFFFFF))
                row[x] = 0xFFFE00FE; // never see-through inside the outline
        }
    }
    return face;
}

} // namespace formwick::skins
