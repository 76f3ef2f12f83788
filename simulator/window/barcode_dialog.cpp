#include "simulator/window/barcode_dialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace formwick {

CDlgReadBarcode::CDlgReadBarcode(int max_length, QWidget* parent) : QDialog(parent) {
    setObjectName("barcode");
    setWindowTitle("Read barcode dialog");
    setWindowFlag(Qt::WindowStaysOnTopHint);
    auto* layout = new QVBoxLayout(this);
    auto* label = new QLabel("Enter barcode", this);
    edit_ = new QLineEdit(this);
    edit_->setObjectName("barcode-text");
    edit_->setMaxLength(max_length + 1);
    edit_->setMinimumWidth(edit_->fontMetrics().horizontalAdvance(QString(std::min(max_length + 1, 24), 'W')));
    label->setBuddy(edit_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    layout->addWidget(label);
    layout->addWidget(edit_);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    // OK, Cancel, Escape and the close button all end here.
    connect(this, &QDialog::finished, this, [this](int result) {
        if (result == QDialog::Accepted)
            emit answered(edit_->text());
        else
            emit answered(std::nullopt);
    });
}

void CDlgReadBarcode::close_quietly() {
    blockSignals(true);
    reject();
}

QString CDlgReadBarcode::text() const { return edit_->text(); }

} // namespace formwick
