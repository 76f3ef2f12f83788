#include "editors/prop_barcode_options.h"

#include "editors/page_controls.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QVBoxLayout>

#include <algorithm>

namespace formwick {

QGridLayout* make_default_grid(QWidget* group) {
    auto* grid = new QGridLayout(group);
    grid->addWidget(make_label(group, QStringLiteral("Default")), 0, 1, Qt::AlignHCenter);
    grid->setColumnStretch(0, 1);
    grid->setHorizontalSpacing(24);
    return grid;
}

void add_default_row(QGridLayout* grid, QCheckBox* box, bool defaultOn) {
    const int row = grid->rowCount();
    grid->addWidget(box, row, 0);
    grid->addWidget(new QLabel(defaultOn ? QStringLiteral("ON") : QStringLiteral("OFF"), box->parentWidget()), row, 1,
                    Qt::AlignHCenter);
}

CPropBarcodeOptions::CPropBarcodeOptions(const OptionPageTable& table, EditorContext& context)
    : CPropPage(table.dialogId, context), table_(table) {
    auto* layout = new QVBoxLayout(this);
    for (const OptionGroup& group : table.groups) {
        auto* box = new QGroupBox(QString::fromUtf8(group.title), this);
        QGridLayout* grid = make_default_grid(box);
        for (const OptionBox& option : group.boxes) {
            QCheckBox* check = make_check(box, option.id, QString::fromUtf8(option.label));
            add_default_row(grid, check, option.defaultOn);
            rows_.push_back({&option, check});
            const bool grouped = std::any_of(table.exclusive.begin(), table.exclusive.end(), [&](const ExclusiveGroup& g) {
                return std::find(g.ids.begin(), g.ids.end(), option.id) != g.ids.end();
            });
            const bool enabler = std::find(table.enablers.begin(), table.enablers.end(), option.id) != table.enablers.end();
            connect(check, &QCheckBox::clicked, this, [this, &option, grouped, enabler](bool checked) {
                int& m = masks_[static_cast<std::size_t>(option.mask)];
                m = checked ? (m | option.bit) : (m & ~option.bit);
                if (grouped || enabler) applyExclusiveGroups();
            });
        }
        layout->addWidget(box);
    }
    layout->addStretch(1);
}

void CPropBarcodeOptions::loadWorkingCopy(const CParameters& definition) {
    for (std::size_t i = 0; i < table_.masks.size(); ++i) masks_[i] = table_.masks[i].get(definition);
    for (const Row& row : rows_)
        row.check->setChecked((masks_[static_cast<std::size_t>(row.box->mask)] & row.box->bit) != 0);
    applyExclusiveGroups();
}

void CPropBarcodeOptions::commit(CParameters& definition) const {
    for (std::size_t i = 0; i < table_.masks.size(); ++i) table_.masks[i].ref(definition) = masks_[i];
}

QCheckBox* CPropBarcodeOptions::boxById(int id) const {
    for (const Row& row : rows_)
        if (row.box->id == id) return row.check;
    return nullptr;
}

void CPropBarcodeOptions::applyExclusiveGroups() {
    for (const ExclusiveGroup& group : table_.exclusive) {
        // The first checked box of the group wins; the others wait until it
        // is unchecked.
        QCheckBox* winner = nullptr;
        for (int id : group.ids) {
            QCheckBox* box = boxById(id);
            if (!winner && box->isChecked()) winner = box;
        }
        for (int id : group.ids) {
            QCheckBox* box = boxById(id);
            box->setEnabled(!winner || box == winner);
        }
    }
    if (table_.dependentId != 0) {
        bool on = false;
        for (int id : table_.enablers) on = on || boxById(id)->isChecked();
        boxById(table_.dependentId)->setEnabled(on);
    }
}

} // namespace formwick
