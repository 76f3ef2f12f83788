#include "editors/prop_form.h"

#include "editors/dlg_more.h"
#include "editors/editor_pages.h"
#include "editors/page_controls.h"
#include "editors/variable_dlg.h"
#include "model/field_refs.h"
#include "widgets/dialogs.h"
#include "widgets/icon_button.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace formwick {

namespace {

// Which controls of a usable row a data type enables.
struct RowEnables {
    bool prompt, input, limits, variable, lookup, more;
};

RowEnables row_enables(int dataType) {
    switch (dataType) {
    case kLineText:
    case kLineInteger:
    case kLineReal:
    case kLineAlpha:
    case kLineAlphaNum: return {true, true, true, true, true, true};
    case kLineBoolean: return {true, true, false, true, true, true};
    case kLineLookup: return {true, false, false, true, true, true};
    case kLineCounter: return {true, false, false, false, false, true};
    case kLineFixed: return {true, false, false, true, false, false};
    case kLinePause: return {true, true, false, false, false, true};
    default: return {false, false, false, false, false, false}; // Nil, Extension
    }
}

// Constants and terminal values (codes above 85) may only feed "Fixed" lines.
constexpr int kLastNonConstantCode = 85;

QStringList type_entries() {
    QStringList entries;
    for (const char* name : kFormLineTypeNames) entries << QString::fromUtf8(name);
    return entries;
}

} // namespace

int form_row_id(int row, FormRowColumn column) { return kFormRowFirstId + kFormRowStride * row + column; }

int form_more_id(int row) { return row == 0 ? 1177 : row == 1 ? 1178 : 1021 + row; }

int usable_form_rows(int font, int customFontLines) {
    switch (font) {
    case 0: return 8;
    case 1: return 10;
    case 2: return std::clamp(customFontLines, 0, 10);
    default: return 0;
    }
}

CPropForm::CPropForm(EditorContext& context) : CPropPage(kPageForm, context) {
    name_ = make_list(this, kFormName, numbered_entries("Form %1", kFormCount));
    font_ = make_list(this, kFormFont, {QStringLiteral("Large"), QStringLiteral("Medium")});
    clr_ = make_list(this, kFormClr, screen_target_entries());
    next_ = make_list(this, kFormNext, screen_target_entries());

    QHBoxLayout* top = labelled_row(this, {{"Name:", name_}, {"Font:", font_}, {"CLR:", clr_}, {"Next:", next_}});

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(4);
    grid->setVerticalSpacing(2);
    const char* headers[] = {"Data type", "Prompt", "Input", "Min", "Max", "Variable", "Lookup"};
    for (int c = 0; c < 7; ++c) grid->addWidget(make_label(this, QString::fromUtf8(headers[c])), 0, c + 1);
    for (int i = 0; i < kFormLineCount; ++i) buildRow(i, grid, i + 1);
    grid->setColumnStretch(2, 1);

    QGroupBox* storage = make_storage_group(this, kFormSaveOnNext, kFormDataFile, saveOnNext_, dataFile_);

    warning_ = new QLabel(this);
    warning_->setObjectName(QStringLiteral("minMaxWarning"));
    warning_->setStyleSheet(QStringLiteral("color: #b00000;"));
    warning_->setWordWrap(true);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(grid);
    layout->addWidget(storage);
    layout->addWidget(warning_);
    layout->addStretch(1);

    connect(name_, &QComboBox::activated, this, &CPropForm::showForm);
    connect(font_, &QComboBox::activated, this, &CPropForm::fontChosen);
    connect(clr_, &QComboBox::activated, this, [this](int index) {
        if (index >= 0) form().clrTarget = index;
    });
    connect(next_, &QComboBox::activated, this, [this](int index) {
        if (index >= 0) form().nextTarget = index;
    });
    connect(saveOnNext_, &QCheckBox::clicked, this, [this](bool checked) {
        form().saveOnNext = checked ? 1 : 0;
        dataFile_->setEnabled(checked);
    });
    connect(dataFile_, &QComboBox::activated, this, [this](int index) {
        if (index >= 0) form().saveDataFile = index;
    });
}

void CPropForm::buildRow(int i, QGridLayout* grid, int gridRow) {
    Row& r = rows_[i];
    r.type = make_list(this, form_row_id(i, kColType), type_entries());
    r.prompt = new QLineEdit(this);
    r.prompt->setObjectName(QString::number(form_row_id(i, kColPrompt)));
    r.prompt->setMaxLength(84);
    r.prompt->setMinimumWidth(r.prompt->fontMetrics().horizontalAdvance(QLatin1Char('M')) * 12);
    r.input = make_list(this, form_row_id(i, kColInput),
                        {QStringLiteral("Reader"), QStringLiteral("Keypad"), QStringLiteral("Both")});
    r.minimum = new QLineEdit(this);
    r.minimum->setObjectName(QString::number(form_row_id(i, kColMin)));
    r.maximum = new QLineEdit(this);
    r.maximum->setObjectName(QString::number(form_row_id(i, kColMax)));
    for (QLineEdit* limit : {r.minimum, r.maximum}) {
        limit->setMaxLength(6);
        limit->setFixedWidth(limit->fontMetrics().horizontalAdvance(QStringLiteral("0000")) + 14);
    }
    r.variable = make_variable_button(this, form_row_id(i, kColVariable));
    r.lookup = make_list(this, form_row_id(i, kColLookup),
                         {QStringLiteral("Nil"), QStringLiteral("Lookup 1"), QStringLiteral("Lookup 2"),
                          QStringLiteral("Lookup 3"), QStringLiteral("Data 1"), QStringLiteral("Data 2"),
                          QStringLiteral("Data 3")});
    r.more = new QPushButton(QStringLiteral("More..."), this);
    r.more->setObjectName(QString::number(form_more_id(i)));

    grid->addWidget(new QLabel(QStringLiteral("#%1").arg(i + 1), this), gridRow, 0);
    QWidget* cells[] = {r.type, r.prompt, r.input, r.minimum, r.maximum, r.variable, r.lookup, r.more};
    for (int c = 0; c < 8; ++c) grid->addWidget(cells[c], gridRow, c + 1);

    for (QComboBox* list : {r.type, r.input, r.lookup})
        connect(list, &QComboBox::activated, this, [this, i] { rowChanged(i); });
    connect(r.prompt, &QLineEdit::editingFinished, this, [this, i] { rowChanged(i); });
    connect(r.minimum, &QLineEdit::editingFinished, this,
            [this, i] { limitEdited(i, rows_[i].minimum, form().lines[i].minimum); });
    connect(r.maximum, &QLineEdit::editingFinished, this,
            [this, i] { limitEdited(i, rows_[i].maximum, form().lines[i].maximum); });
    connect(r.variable, &QPushButton::clicked, this, [this, i] { chooseVariable(i); });
    connect(r.more, &QPushButton::clicked, this, [this, i] { openMore(i); });
}

void CPropForm::loadWorkingCopy(const CParameters& definition) {
    forms_ = definition.forms;
    shown_ = -1;
    name_->setCurrentIndex(0);
    showForm(0);
}

void CPropForm::commit(CParameters& definition) const { definition.forms = forms_; }

void CPropForm::activate() {
    if (shown_ < 0) return;
    const int font = sync_font_list(font_, context().customFontLoaded, form().font);
    if (font != form().font) form().font = font;
    applyRowRules();
}

void CPropForm::fontChosen(int index) {
    if (index < 0) return;
    form().font = index;
    applyRowRules();
}

void CPropForm::showForm(int f) {
    if (f == shown_ || f < 0 || f >= kFormCount) return;
    shown_ = f;
    CParamForm& shown = form();
    // A "Custom" font without a custom font to use shows, and becomes, "Large".
    shown.font = sync_font_list(font_, context().customFontLoaded, shown.font);
    clr_->setCurrentIndex(shown.clrTarget);
    next_->setCurrentIndex(shown.nextTarget);
    for (int i = 0; i < kFormLineCount; ++i) {
        const CFormLine& line = shown.lines[i];
        Row& r = rows_[i];
        r.type->setCurrentIndex(line.dataType);
        r.prompt->setText(to_qstring(line.promptText()));
        r.input->setCurrentIndex(line.inputSource);
        r.minimum->setText(QString::number(line.minimum));
        r.maximum->setText(QString::number(line.maximum));
        r.cachedVariable = line.variable;
        show_field_ref(r.variable, line.variable);
        r.lookup->setCurrentIndex(line.lookupSource);
    }
    saveOnNext_->setChecked(shown.saveOnNext != 0);
    dataFile_->setCurrentIndex(shown.saveDataFile);
    applyRowRules();
}

void CPropForm::rowChanged(int i) {
    CFormLine& line = form().lines[i];
    Row& r = rows_[i];
    if (r.type->currentIndex() >= 0) line.dataType = r.type->currentIndex();
    line.setPromptText(to_u16(r.prompt->text()));
    if (r.input->currentIndex() >= 0) line.inputSource = r.input->currentIndex();
    if (r.lookup->currentIndex() >= 0) line.lookupSource = r.lookup->currentIndex();
    if (line.dataType != kLineFixed && r.cachedVariable > kLastNonConstantCode) {
        line.variable = kFieldRefNil;
        r.cachedVariable = kFieldRefNil;
        show_field_ref(r.variable, kFieldRefNil);
    }
    applyRowRule(i, i < usable_form_rows(form().font, context().customFontLines));
    updateMinMaxWarning();
}

bool CPropForm::limitValid(QLineEdit* edit) const {
    bool ok = false;
    const int value = edit->text().trimmed().toInt(&ok);
    return ok && value >= kLineLimitMin && value <= kLineLimitMax;
}

void CPropForm::limitEdited(int i, QLineEdit* edit, int& field) {
    // The number is stored even when it is out of range (the sheet then
    // refuses to be left until it is mended); a negative number is not, and
    // text that is not a number reads as 0.
    bool ok = false;
    const int value = edit->text().trimmed().toInt(&ok);
    if (!limitValid(edit) && !messageShown_) {
        messageShown_ = true;
        context().dialogs.error(this, QString::fromUtf8(kMinMaxMessage).arg(kLineLimitMin).arg(kLineLimitMax));
        messageShown_ = false;
    }
    const int number = ok ? value : 0;
    if (number >= 0) field = number;
    rowChanged(i);
}

void CPropForm::applyRowRules() {
    const int usable = usable_form_rows(form().font, context().customFontLines);
    for (int i = 0; i < kFormLineCount; ++i) applyRowRule(i, i < usable);
    dataFile_->setEnabled(saveOnNext_->isChecked());
    updateMinMaxWarning();
}

void CPropForm::applyRowRule(int i, bool usable) {
    Row& r = rows_[i];
    const RowEnables on = usable ? row_enables(form().lines[i].dataType) : RowEnables{};
    r.type->setEnabled(usable);
    r.prompt->setEnabled(on.prompt);
    r.input->setEnabled(on.input);
    r.minimum->setEnabled(on.limits);
    r.maximum->setEnabled(on.limits);
    r.variable->setEnabled(on.variable);
    r.lookup->setEnabled(on.lookup);
    r.more->setEnabled(on.more);
}

void CPropForm::updateMinMaxWarning() {
    // A minimum above the maximum is kept (the terminal reads both), but
    // such a line can never be completed: say so while it is on screen.
    QStringList lines;
    for (int i = 0; i < kFormLineCount; ++i) {
        const CFormLine& line = form().lines[i];
        if (rows_[i].minimum->isEnabled() && line.minimum > line.maximum) lines << QString::number(i + 1);
    }
    warning_->setText(lines.isEmpty()
                          ? QString()
                          : QStringLiteral("Line %1: the minimum is larger than the maximum, so the "
                                           "line can never be completed.")
                                .arg(lines.join(QStringLiteral(", "))));
    warning_->setVisible(!lines.isEmpty());
}

bool CPropForm::deactivate() {
    if (shown_ < 0) return true;
    for (Row& r : rows_) {
        for (QLineEdit* edit : {r.minimum, r.maximum}) {
            if (!edit->isEnabled() || limitValid(edit)) continue;
            context().dialogs.error(this, QString::fromUtf8(kMinMaxMessage).arg(kLineLimitMin).arg(kLineLimitMax));
            edit->setFocus();
            edit->selectAll();
            return false;
        }
    }
    return true;
}

void CPropForm::chooseVariable(int i) {
    Row& r = rows_[i];
    VariableModes modes;
    modes.constantsOff = form().lines[i].dataType != kLineFixed;
    const std::optional<int> chosen = CVariableDlg::choose(this, form().lines[i].variable, modes);
    if (!chosen) return;
    r.cachedVariable = *chosen;
    if (*chosen >= 0) form().lines[i].variable = *chosen;
    show_field_ref(r.variable, *chosen);
}

void CPropForm::openMore(int i) {
    CFormLine& line = form().lines[i];
    CDlgMore dialog(shown_ + 1, i + 1, line.dataType, line.more, this);
    if (dialog.exec() == QDialog::Accepted) line.more = dialog.properties();
}

} // namespace formwick
