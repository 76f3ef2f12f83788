// Writes the application icon as a scalable SVG and as PNG pictures of the
// hicolor theme's sizes, all from the shapes in icon_shapes.cpp:
//   formwick_icon_gen OUT_DIR NAME
// makes OUT_DIR/scalable/apps/NAME.svg and OUT_DIR/SxS/apps/NAME.png.
#include "tools/icon/icon_shapes.h"

#include <QColor>
#include <QDir>
#include <QImage>
#include <QPainter>

#include <cstdio>
#include <fstream>
#include <string>

using namespace formwick::icon;

namespace {

constexpr int kPngSizes[] = {16, 22, 24, 32, 48, 64, 128, 256};

std::string hex_colour(std::uint32_t rgb) {
    char text[8];
    std::snprintf(text, sizeof text, "#%06x", static_cast<unsigned>(rgb & 0xffffff));
    return text;
}

bool write_svg(const std::string& path) {
    std::ofstream out(path, std::ios::binary);
    out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"256\" height=\"256\" viewBox=\"0 0 256 256\">\n";
    for (const Shape& s : terminal_icon()) {
        if (!drawn_at(s, 0)) continue;
        out << "  <rect x=\"" << s.x << "\" y=\"" << s.y << "\" width=\"" << s.w << "\" height=\"" << s.h
            << "\" rx=\"" << s.radius << "\" fill=\"" << hex_colour(s.rgb) << "\"/>\n";
    }
    out << "</svg>\n";
    return static_cast<bool>(out.flush());
}

bool write_png(const std::string& path, int size) {
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.scale(size / kCanvas, size / kCanvas);
    for (const Shape& s : terminal_icon()) {
        if (!drawn_at(s, size)) continue;
        painter.setBrush(QColor::fromRgb(s.rgb));
        painter.drawRoundedRect(QRectF(s.x, s.y, s.w, s.h), s.radius, s.radius);
    }
    painter.end();
    return image.save(QString::fromStdString(path), "PNG");
}

bool make_dir(const std::string& path) {
    return QDir().mkpath(QString::fromStdString(path));
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: formwick_icon_gen OUT_DIR NAME\n");
        return 2;
    }
    const std::string out = argv[1], name = argv[2];
    const std::string scalable = out + "/scalable/apps";
    if (!make_dir(scalable) || !write_svg(scalable + "/" + name + ".svg")) {
        std::fprintf(stderr, "formwick_icon_gen: cannot write %s/%s.svg\n", scalable.c_str(), name.c_str());
        return 1;
    }
    for (int size : kPngSizes) {
        const std::string dir = out + "/" + std::to_string(size) + "x" + std::to_string(size) + "/apps";
        if (!make_dir(dir) || !write_png(dir + "/" + name + ".png", size)) {
            std::fprintf(stderr, "formwick_icon_gen: cannot write %s/%s.png\n", dir.c_str(), name.c_str());
            return 1;
        }
    }
    return 0;
}
