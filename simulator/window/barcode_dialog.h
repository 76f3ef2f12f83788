// The "Read barcode dialog": how the user scans on the desktop. One edit
// field under "Enter barcode", OK and Cancel; it opens empty, on top. OK
// gives the text (at most the field's length plus one characters, so a too
// long entry is still refused by the scanner), Cancel gives nothing.
#pragma once

#include <QDialog>

#include <optional>

class QLineEdit;

namespace formwick {

class CDlgReadBarcode final : public QDialog {
    Q_OBJECT
public:
    CDlgReadBarcode(int max_length, QWidget* parent);
    QString text() const;
    // Closes without an answer: the run that asked has ended.
    void close_quietly();

signals:
    // Once, when the dialog closes by OK or Cancel (not when the run closes it).
    void answered(std::optional<QString> text);

private:
    QLineEdit* edit_;
};

} // namespace formwick
