#include "editors/variable_dlg.h"

#include "model/field_refs.h"
#include "widgets/themed_group_box.h"
#include "widgets/ok_cancel_buttons.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <array>

namespace formwick {

namespace {

// One coloured group: its radios cover `count` consecutive indexes from
// `firstIndex`, with control ids from `firstRadioId`.
struct RadioGroup {
    const char* caption;
    int groupId;
    QColor colour;
    int firstIndex;
    int count;
    int firstRadioId;
    int row, column, rowSpan; // place in the dialog's grid
};

const QColor kVariableColour(16, 118, 179);
const QColor kLookupColour(34, 139, 34);
const QColor kDataColour(10, 10, 220);
const QColor kConstantColour(240, 42, 42);

const std::array<RadioGroup, 8> kGroups = {{
    {"Variable", 1085, kVariableColour, 0, 21, 1064, 0, 0, 2},
    {"Lookup file 1", 1086, kLookupColour, 21, 10, 1087, 0, 1, 1},
    {"Lookup file 2", 1119, kLookupColour, 31, 10, 1120, 0, 2, 1},
    {"Lookup file 3", 1130, kLookupColour, 41, 10, 1131, 0, 3, 1},
    {"Data file 1", 1141, kDataColour, 51, 10, 1144, 1, 1, 1},
    {"Data file 2", 1142, kDataColour, 63, 10, 1154, 1, 2, 1},
    {"Data file 3", 1143, kDataColour, 75, 10, 1164, 1, 3, 1},
    {"Constant data values", 1289, kConstantColour, 87, 7, 1282, 0, 4, 2},
}};
constexpr int kVariableGroup = 0;
constexpr int kConstantGroup = 7;

const char* const kConstantLabels[7] = {
    "Custom Application Constant 1", "Custom Application Constant 2",
    "Custom Application Constant 3", "Terminal ID", "OS Version", "Interpreter Version",
    "Application Version"};

QString radio_label(const RadioGroup& group, int index) {
    const int n = index - group.firstIndex;
    if (group.groupId == 1085)
        return index == 0 ? QStringLiteral("Nil") : QStringLiteral("Variable %1").arg(index);
    if (group.groupId == 1289) return QString::fromUtf8(kConstantLabels[n]);
    return QStringLiteral("Field %1").arg(n + 1);
}

} // namespace

CVariableDlg::CVariableDlg(int preset, VariableModes modes, QWidget* parent)
    : QDialog(parent), radios_(new QButtonGroup(this)), preset_(preset) {
    setObjectName(QStringLiteral("159"));
    setWindowTitle(QString::fromUtf8(kVariableDlgCaption));

    auto* outer = new QGroupBox(QStringLiteral("Select variable"), this);
    auto* grid = new QGridLayout(outer);
    std::array<CThemedGroupBox*, 8> boxes{};
    for (std::size_t g = 0; g < kGroups.size(); ++g) {
        const RadioGroup& group = kGroups[g];
        auto* box = new CThemedGroupBox(QString::fromUtf8(group.caption), group.colour, outer);
        box->setObjectName(QString::number(group.groupId));
        auto* column = new QVBoxLayout(box);
        for (int k = 0; k < group.count; ++k) {
            const int index = group.firstIndex + k;
            auto* radio = new QRadioButton(radio_label(group, index), box);
            radio->setObjectName(QString::number(group.firstRadioId + k));
            radios_->addButton(radio, index);
            column->addWidget(radio);
        }
        column->addStretch(1);
        grid->addWidget(box, group.row, group.column, group.rowSpan, 1);
        boxes[g] = box;
    }

    if (QAbstractButton* initial = radios_->button(preset)) initial->setChecked(true);

    // A disabled group takes every radio inside it along.
    if (modes.constantsOff) boxes[kConstantGroup]->setEnabled(false);
    if (modes.variablesOff) boxes[kVariableGroup]->setEnabled(false);
    if (modes.variablesOnly) {
        radios_->button(kFieldRefNil)->setEnabled(false);
        for (std::size_t g = 0; g < boxes.size(); ++g)
            if (g != kVariableGroup) boxes[g]->setEnabled(false);
    }

    QDialogButtonBox* buttons = make_ok_cancel(this);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(outer);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

QRadioButton* CVariableDlg::radio(int index) const {
    return qobject_cast<QRadioButton*>(radios_->button(index));
}

int CVariableDlg::chosen() const {
    for (int index = 0; index < kFieldRefCount; ++index)
        if (QRadioButton* r = radio(index); r && r->isChecked()) return index;
    return preset_;
}

std::optional<int> CVariableDlg::choose(QWidget* parent, int preset, VariableModes modes) {
    CVariableDlg dialog(preset, modes, parent);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.chosen();
}

} // namespace formwick
