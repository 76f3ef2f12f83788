// formwick_skin_gen OUTDIR: draws the faces of both terminal models and
// writes, for each, the face, the face with every key pressed and the mask
// as PNG (r58_face.png, r58_pressed.png, r58_mask.png, ktm3300_...).
#include "skin_painter.h"

#include <QGuiApplication>

#include <cstdio>

using namespace formwick;
using namespace formwick::skins;

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: formwick_skin_gen OUTDIR\n");
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[1]);
    for (TerminalModel model : {TerminalModel::R58, TerminalModel::KTM3300}) {
        const SkinLayout layout = skin_layout(model);
        const QImage mask = paint_mask(layout, key_list(model));
        const QString stem = out + "/" + QString(model_name(model)).toLower() + "_";
        const bool ok = mask.save(stem + "mask.png") && paint_face(layout, false).save(stem + "face.png") &&
                        paint_face(layout, true).save(stem + "pressed.png");
        if (!ok) {
            std::fprintf(stderr, "cannot write the pictures to %s\n", qPrintable(out));
            return 1;
        }
    }
    return 0;
}
