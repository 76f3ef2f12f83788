// formwick_face_screenshots DEFINITION OUTDIR: opens the simulator window on
// each model running DEFINITION, waits until the application sits in its
// main menu, and saves the window as terminal-r58.png and
// terminal-ktm3300.png (see-through outside the outline). The guide's
// pictures come from here, so they always show the real window.
#include "appfile/definition_json.h"
#include "simulator/window/terminal_dialog.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <cstdio>
#include <fstream>
#include <sstream>

using namespace formwick;

namespace {

class StderrSink final : public MessageSink {
public:
    void error(std::string_view m) override { std::fprintf(stderr, "%.*s\n", int(m.size()), m.data()); }
};

void spin(int ms) {
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: formwick_face_screenshots DEFINITION OUTDIR\n");
        return 2;
    }
    std::ifstream in(argv[1]);
    std::stringstream text;
    text << in.rdbuf();
    CParameters definition;
    StderrSink sink;
    if (!definition_from_json(text.str(), definition, sink)) return 1;
    QTemporaryDir ramdisk;
    for (TerminalModel model : {TerminalModel::R58, TerminalModel::KTM3300}) {
        CTerminalDialog window(ramdisk.path().toStdString());
        window.set_zoom(1);
        if (!window.apply_skin(model)) return 1;
        window.show();
        window.start_run(definition);
        // The start-up screen, then a key into the main menu.
        while (!window.session().wait_waiting(std::chrono::milliseconds(0))) spin(10);
        window.session().key_press(KEY_ENTER);
        spin(500);
        window.session().flush_events();
        spin(100);
        QImage shot = window.grab().toImage().convertToFormat(QImage::Format_ARGB32);
        for (int y = 0; y < shot.height(); ++y) {
            QRgb* row = reinterpret_cast<QRgb*>(shot.scanLine(y));
            for (int x = 0; x < shot.width(); ++x)
                if ((row[x] & 0xFFFFFF) == 0xFF00FF) row[x] = 0;
        }
        const QString path = QString::fromLocal8Bit(argv[2]) + "/terminal-" + QString(model_name(model)).toLower() + ".png";
        if (!shot.save(path)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            return 1;
        }
    }
    return 0;
}
