// The main window's Communication commands: the serial port, Transmit, and
// the progress window that follows a transfer.
#include "comm/loader_event.h"
#include "shell/com_select_dialog.h"
#include "shell/formwick_dlg.h"
#include "widgets/dialogs.h"

namespace formwick {

namespace {
// The same command sends an application file or a terminal's operating
// system or interpreter file.
constexpr const char* kTransmitFilter = "Terminal Files (*.HEX;*.HIX)|*.HEX;*.HIX|Formwick Files (*.HIX)|*.HIX|"
                                        "OS, Interpreter Files (*.HEX)|*.HEX|All Files (*.*)|*.*||";
} // namespace

void CFormwickDlg::cmd_com_port() {
    CDlgComSelect dialog(enumerate_serial_ports(), config_.port(), this);
    if (dialog.exec() == QDialog::Accepted) config_.set_port(dialog.port());
}

void CFormwickDlg::cmd_transmit() {
    if (transmitter_.running()) return;
    const QString path = dialogs_.openFileName(this, QStringLiteral("Transmit Build Application"),
                                               QString::fromLatin1(kTransmitFilter), last_folder());
    if (path.isEmpty()) return;
    remember_folder(path);
    transmitter_.transmit(config_.port(), path);
}

void CFormwickDlg::on_progress(int position, int status, const QString& text) {
    progress_->set_text(text);
    progress_->set_pos(position);
    // Ended as the user wanted: the window goes 5 s later. A failure stays
    // up until the user has read it and pressed Cancel; a new transfer
    // within those 5 s keeps it up.
    if (status < static_cast<int>(LoaderStatus::Waiting))
        progress_->start_hide_timer();
    else
        progress_->stop_hide_timer();
}

void CFormwickDlg::on_progress_cancelled() {
    transmitter_.abort();
    progress_->reset();
}

} // namespace formwick
