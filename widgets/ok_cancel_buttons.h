// The OK and Cancel buttons of a dialog (object names "IDOK" and
// "IDCANCEL"), wired to its accept() and reject().
#pragma once

class QDialog;
class QDialogButtonBox;

namespace formwick {

QDialogButtonBox* make_ok_cancel(QDialog* dialog);

} // namespace formwick
