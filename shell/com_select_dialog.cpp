#include "shell/com_select_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace formwick {

CDlgComSelect::CDlgComSelect(std::vector<SerialPortEntry> ports, int current, QWidget* parent)
    : QDialog(parent), ports_(std::move(ports)), port_(current), list_(new QComboBox) {
    setObjectName(QStringLiteral("174"));
    setWindowTitle(QString::fromLatin1(kComSelectCaption));

    auto* group = new QGroupBox(QStringLiteral("COM port"));
    auto* groupLayout = new QVBoxLayout(group);
    list_->setObjectName(QStringLiteral("1294"));
    list_->setMinimumContentsLength(24);
    list_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    groupLayout->addWidget(list_);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("1"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("2"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    for (const SerialPortEntry& entry : ports_) list_->addItem(port_entry_text(entry));
    // By number, so port 10 is not taken for port 1's entry, and a port
    // listed under its adapter's name is found too.
    const auto match = std::find_if(ports_.begin(), ports_.end(),
                                    [current](const SerialPortEntry& e) { return e.number == current; });
    const int selected = ports_.empty() ? -1 : match == ports_.end() ? 0 : static_cast<int>(match - ports_.begin());
    list_->setCurrentIndex(selected);
    if (selected >= 0) port_ = ports_[static_cast<std::size_t>(selected)].number;
    connect(list_, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index >= 0 && index < static_cast<int>(ports_.size())) port_ = ports_[static_cast<std::size_t>(index)].number;
    });
}

} // namespace formwick
