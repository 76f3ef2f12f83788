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

#include <functional>
#include <iostream>
#include <utility>
#include <vector>

using namespace formwick;

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc != 2) {
        std::cerr << "usage: formwick-shell-shots OUTDIR\n";
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    const QString suffix = qEnvironmentVariableIntValue("QT_SCALE_FACTOR") == 2 ? "-2x.png" : ".png";

    CDlgComSelect ports({{1, ""}, {3, ""}, {101, "FT232R USB UART (COM101, /dev/ttyUSB0)"}}, 101);
    CProgressWnd progress;
    progress.set_text("Sending STOCK.HIX: 45056 of 89174 bytes");
    progress.set_pos(51);
    QTemporaryDir ramdisk;
    CParameters definition;
    CFormwickConfig config;
    CScriptedDialogs dialogs;
    CFormwickDlg window(definition, config, dialogs, ramdisk.path().toStdString());
    window.open(TerminalModel::KTM3300);
    window.show();

    // Each picture's window is made just before it is taken: the menu, a
    // popup, closes as soon as another window shows.
    const std::vector<std::pair<std::function<QWidget*()>, const char*>> pictures{
        {[&] { return &ports; }, "com-port-dialog"},
        {[&] { return &progress; }, "progress-window"},
        {[&]() -> QWidget* {
             window.show_context_menu(window.mapToGlobal(QPoint(80, 200)));
             return window.context_menu();
         },
         "main-menu"},
        {[&]() -> QWidget* {
             window.cmd_help();
             return window.help_window();
         },
         "help-window"},
    };
    int failed = 0;
    for (const auto& [make, name] : pictures) {
        QWidget* widget = make();
        const QString file = out.filePath(QString::fromLatin1(name) + suffix);
        if (widget) widget->show();
        QApplication::processEvents();
        if (!widget || !widget->grab().save(file)) {
            std::cerr << file.toStdString() << ": cannot be made\n";
            ++failed;
        }
    }
    return failed ? 1 : 0;
}
