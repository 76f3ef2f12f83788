#include "shell/formwick_dlg.h"

#include "shell/help_window.h"
#include "simulator/core/keys/key_list.h"
#include "widgets/dialogs.h"

#include <QCloseEvent>
#include <QMenu>

namespace formwick {

CFormwickDlg::CFormwickDlg(CParameters& definition, CFormwickConfig& config, CDialogs& dialogs,
                           const std::filesystem::path& ramdisk, QWidget* parent)
    : CTerminalDialog(ramdisk, parent), definition_(definition), config_(config), dialogs_(dialogs),
      progress_(new CProgressWnd(this)), transmitter_(this) {
    setWindowTitle(QString::fromLatin1(kMainWindowTitle));
    connect(&transmitter_, &Transmitter::progress, this, &CFormwickDlg::on_progress);
    connect(progress_, &CProgressWnd::cancelRequested, this, &CFormwickDlg::on_progress_cancelled);
}

CFormwickDlg::~CFormwickDlg() = default;

bool CFormwickDlg::open(TerminalModel model) {
    if (!apply_skin(model)) return false;
    start_run(definition_);
    return true;
}

void CFormwickDlg::bring_to_front() {
    if (isMinimized()) showNormal();
    show();
    raise();
    activateWindow();
}

void CFormwickDlg::restart_run() { start_run(definition_); }

void CFormwickDlg::cmd_select_model(TerminalModel model) {
    config_.set_terminal(model == TerminalModel::R58 ? 0 : 1);
    change_model(model);
}

// The base menu holds Terminal, Zoom, a separator and Exit; the generator's
// commands go around them.
void CFormwickDlg::fill_context_menu(QMenu& menu) {
    CTerminalDialog::fill_context_menu(menu);
    for (TerminalModel m : {TerminalModel::R58, TerminalModel::KTM3300}) {
        QAction* a = menu.findChild<QAction*>(QString("model-") + model_name(m));
        if (!a) continue;
        // The settings are written with the switch.
        disconnect(a, &QAction::triggered, this, nullptr);
        connect(a, &QAction::triggered, this, [this, m] { cmd_select_model(m); });
    }

    const QList<QAction*> base = menu.actions();
    QAction* first = base.value(0);
    QAction* exit = menu.findChild<QAction*>(QStringLiteral("exit"));
    const auto item = [this, &menu](const char* id, const char* text, void (CFormwickDlg::*command)()) {
        auto* a = new QAction(QString::fromLatin1(text), &menu);
        a->setObjectName(QString::fromLatin1(id));
        connect(a, &QAction::triggered, this, command);
        return a;
    };
    const auto separator = [&menu] {
        auto* a = new QAction(&menu);
        a->setSeparator(true);
        return a;
    };

    menu.insertActions(first, {item("edit", "Edit", &CFormwickDlg::cmd_edit), separator(),
                               item("new", "New Application", &CFormwickDlg::cmd_new),
                               item("load", "Load Build Application", &CFormwickDlg::cmd_load),
                               item("build", "Build Application", &CFormwickDlg::cmd_build), separator()});

    auto* communication = new QMenu(QStringLiteral("Communication"), &menu);
    communication->setObjectName(QStringLiteral("communication"));
    communication->addAction(item("com-port", "COM port", &CFormwickDlg::cmd_com_port));
    QAction* transmit = item("transmit", "Transmit Build Application", &CFormwickDlg::cmd_transmit);
    transmit->setEnabled(!transmitter_.running());
    communication->addAction(transmit);
    // Communication follows the base's submenus, before the separator above Exit.
    const qsizetype exitAt = base.indexOf(exit);
    QAction* afterSubmenus = exitAt > 0 && base[exitAt - 1]->isSeparator() ? base[exitAt - 1] : exit;
    menu.insertMenu(afterSubmenus, communication);
    if (afterSubmenus == exit) menu.insertAction(exit, separator());
    menu.insertActions(exit, {item("help", "Help", &CFormwickDlg::cmd_help),
                              item("about", "About", &CFormwickDlg::cmd_about), separator()});
}

void CFormwickDlg::closeEvent(QCloseEvent* event) {
    if (!ask_save()) {
        event->ignore();
        return;
    }
    if (help_) help_->close();
    progress_->hide();
    event->accept();
}

} // namespace formwick
