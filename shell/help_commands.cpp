// The main window's Help and About commands.
#include "shell/formwick_dlg.h"
#include "shell/help_window.h"
#include "widgets/dialogs.h"

namespace formwick {

void CFormwickDlg::cmd_help() {
    if (!help_) {
        const QString guide = find_user_guide();
        if (guide.isEmpty()) {
            dialogs_.error(this, QStringLiteral("The user guide (%1) cannot be found.\nIt belongs in "
                                                "/usr/share/doc/formwick.")
                                     .arg(QString::fromLatin1(kGuideFile)));
            return;
        }
        help_ = new HelpWindow(guide, this);
        help_->setAttribute(Qt::WA_DeleteOnClose);
    }
    help_->show();
    help_->raise();
    help_->activateWindow();
}

void CFormwickDlg::cmd_about() {
    dialogs_.information(this, QStringLiteral("About Formwick"),
                         QStringLiteral("%1\nVersion: %2").arg(QString::fromLatin1(kMainWindowTitle),
                                                               QStringLiteral(FORMWICK_VERSION)));
}

} // namespace formwick
