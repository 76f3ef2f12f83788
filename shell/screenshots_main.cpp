// formwick-shell-shots OUTDIR: grabs the shell's dialogs as PNG pictures for
// the user guide, from the real widgets: the serial port selection dialog,
// the progress window, the main window's menu and the help window. Run with
// QT_QPA_PLATFORM=offscreen; QT_SCALE_FACTOR=2 gives the 200 % pictures.
#include "shell/com_select_dialog.h"
#include "shell/formwick_dlg.h"
#include "shell/progress_wnd.h"
#include "widgets/dialogs.h"

#include <QApplication>
#include <QDir>
#include <QMenu>
#include <QTemporaryDir>

#include <iostream>

using namespace formwick;

namespace {

bool save(QWidget& widget, const QString& path) {
    widget.show();
    QApplication::processEvents();
    const bool ok = widget.grab().save(path);
    if (!ok) std::cerr << path.toStdString() << ": cannot be written\n";
    return ok;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QStringList args = QApplication::arguments();
    if (args.size() != 2) {
        std::cerr << "usage: formwick-shell-shots OUTDIR\n";
        return 2;
    }
    const QDir out(args[1]);
    const QString suffix = qEnvironmentVariableIntValue("QT_SCALE_FACTOR") == 2 ? "-2x.png" : ".png";
    bool ok = true;

    CDlgComSelect ports({{1, ""}, {3, ""}, {101, "FT232R USB UART (COM101, /dev/ttyUSB0)"}}, 101);
    ok &= save(ports, out.filePath("com-port-dialog" + suffix));

    CProgressWnd progress;
    progress.set_text("Sending STOCK.HIX: 45056 of 89174 bytes");
    progress.set_pos(51);
    ok &= save(progress, out.filePath("progress-window" + suffix));

    QTemporaryDir ramdisk;
    CParameters definition;
    CFormwickConfig config;
    CScriptedDialogs dialogs;
    CFormwickDlg window(definition, config, dialogs, ramdisk.path().toStdString());
    window.open(TerminalModel::KTM3300);
    window.show();
    window.show_context_menu(window.mapToGlobal(QPoint(80, 200)));
    ok &= save(*window.context_menu(), out.filePath("main-menu" + suffix));
    window.cmd_help();
    if (window.help_window()) ok &= save(*window.help_window(), out.filePath("help-window" + suffix));
    return ok ? 0 : 1;
}
