#include "editors/dlg_more.h"

#include "editors/page_controls.h"
#include "editors/variable_dlg.h"
#include "widgets/icon_button.h"
#include "widgets/ok_cancel_buttons.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace formwick {

namespace {

QStringList alignment_entries() {
    QStringList entries;
    for (const char* name : kAlignmentNames) entries << QString::fromUtf8(name);
    return entries;
}

} // namespace

CDlgMore::CDlgMore(int form, int line, int dataType, const CMoreProperties& properties, QWidget* parent)
    : QDialog(parent), more_(properties), dataType_(dataType) {
    setObjectName(QStringLiteral("164"));
    setWindowTitle(QString::fromUtf8(kMoreCaption));

    auto* fieldGroup = new QGroupBox(QStringLiteral("Field && Line"), this);
    fieldLine_ = new QLabel(QString::fromUtf8(kMoreFieldLineFormat).arg(form).arg(line), fieldGroup);
    fieldLine_->setObjectName(QString::number(kMoreFieldLine));
    fieldLine_->setTextFormat(Qt::PlainText);
    (new QVBoxLayout(fieldGroup))->addWidget(fieldLine_);

    alignment_ = make_list(this, kMoreAlignment, alignment_entries());

    auto* initialGroup = new QGroupBox(QStringLiteral("Initial value or text"), this);
    initialKind_ = make_list(initialGroup, kMoreInitialKind,
                             {QStringLiteral("None"), QStringLiteral("Value/Text"), QStringLiteral("Variable")});
    initialText_ = make_edit(initialGroup, kMoreInitialText, 40);
    initialVariable_ = make_variable_button(initialGroup, kMoreInitialVariable);
    auto* initialLayout = new QGridLayout(initialGroup);
    initialLayout->addWidget(initialKind_, 0, 0, 1, 2);
    initialLayout->addWidget(make_label(initialGroup, QStringLiteral("Value or text")), 1, 0);
    initialLayout->addWidget(initialText_, 1, 1);
    initialLayout->addWidget(make_label(initialGroup, QStringLiteral("Variable")), 2, 0);
    initialLayout->addWidget(initialVariable_, 2, 1, Qt::AlignLeft);

    auto* decorations = new QGridLayout;
    addPrefix_ = make_check(this, kMoreAddPrefix, QStringLiteral("Add prefix"));
    addSuffix_ = make_check(this, kMoreAddSuffix, QStringLiteral("Add suffix"));
    showMark_ = make_check(this, kMoreShowInputMark, QStringLiteral("Show input mark"));
    prefix_ = make_edit(this, kMorePrefix, 10);
    suffix_ = make_edit(this, kMoreSuffix, 10);
    mark_ = make_edit(this, kMoreInputMark, 1);
    mark_->setFixedWidth(mark_->fontMetrics().horizontalAdvance(QStringLiteral("WW")) + 12);
    decorations->addWidget(addPrefix_, 0, 0);
    decorations->addWidget(prefix_, 0, 1);
    decorations->addWidget(addSuffix_, 1, 0);
    decorations->addWidget(suffix_, 1, 1);
    decorations->addWidget(showMark_, 2, 0);
    decorations->addWidget(mark_, 2, 1, Qt::AlignLeft);

    auto* numericGroup = new QGroupBox(QStringLiteral("Numeric or real"), this);
    decimalLabel_ = make_label(numericGroup, QStringLiteral("Decimal places:"));
    decimalLabel_->setObjectName(QStringLiteral("decimalPlacesLabel"));
    decimalPlaces_ = make_list(numericGroup, kMoreDecimalPlaces, {QStringLiteral("1"), QStringLiteral("2")});
    allowNegative_ = make_check(numericGroup, kMoreAllowNegative, QStringLiteral("Allow negative"));
    auto* numericLayout = new QGridLayout(numericGroup);
    numericLayout->addWidget(decimalLabel_, 0, 0);
    numericLayout->addWidget(decimalPlaces_, 0, 1, Qt::AlignLeft);
    numericLayout->addWidget(allowNegative_, 1, 0, 1, 2);

    auto* lookupGroup = new QGroupBox(QStringLiteral("Lookup"), this);
    matchDisplay_ = make_variable_button(lookupGroup, kMoreMatchDisplay);
    auto* lookupLayout = new QHBoxLayout(lookupGroup);
    lookupLayout->addWidget(make_label(lookupGroup, QStringLiteral("On match display field")));
    lookupLayout->addWidget(matchDisplay_);

    auto* counterGroup = new QGroupBox(QStringLiteral("Counter"), this);
    counterLabel_ = make_label(counterGroup, QStringLiteral("Show:"));
    counterLabel_->setObjectName(QStringLiteral("counterLabel"));
    counterFile_ = make_list(counterGroup, kMoreCounterFile, data_file_entries());
    auto* counterLayout = new QHBoxLayout(counterGroup);
    counterLayout->addWidget(counterLabel_);
    counterLayout->addWidget(counterFile_);
    counterLayout->addStretch(1);

    auto* pauseGroup = new QGroupBox(QStringLiteral("Pause"), this);
    alwaysShowLine_ = make_check(pauseGroup, kMoreAlwaysShowLine, QStringLiteral("Show always line"));
    (new QVBoxLayout(pauseGroup))->addWidget(alwaysShowLine_);

    QDialogButtonBox* buttons = make_ok_cancel(this);

    auto* alignmentRow = new QHBoxLayout;
    alignmentRow->addWidget(make_label(this, QStringLiteral("Alignment && padding")));
    alignmentRow->addWidget(alignment_, 1);

    auto* left = new QVBoxLayout;
    left->addWidget(fieldGroup);
    left->addLayout(alignmentRow);
    left->addWidget(initialGroup);
    left->addLayout(decorations);
    left->addStretch(1);
    auto* right = new QVBoxLayout;
    right->addWidget(numericGroup);
    right->addWidget(lookupGroup);
    right->addWidget(counterGroup);
    right->addWidget(pauseGroup);
    right->addStretch(1);
    auto* columns = new QHBoxLayout;
    columns->addLayout(left, 1);
    columns->addLayout(right);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    fill();
    connectStores();
    updateEnabled();
}

void CDlgMore::fill() {
    alignment_->setCurrentIndex(more_.alignment);
    initialKind_->setCurrentIndex(more_.initialKind);
    initialText_->setText(to_qstring(more_.initialTextText()));
    show_field_ref(initialVariable_, more_.initialVariable);
    addPrefix_->setChecked(more_.addPrefix != 0);
    addSuffix_->setChecked(more_.addSuffix != 0);
    showMark_->setChecked(more_.showInputMark != 0);
    prefix_->setText(to_qstring(more_.prefixText()));
    suffix_->setText(to_qstring(more_.suffixText()));
    mark_->setText(to_qstring(more_.inputMarkText()));
    decimalPlaces_->setCurrentIndex(more_.decimalPlaces);
    show_field_ref(matchDisplay_, more_.matchDisplayField);
    allowNegative_->setChecked(more_.allowNegative != 0);
    counterFile_->setCurrentIndex(more_.counterDataFile);
    alwaysShowLine_->setChecked(more_.alwaysShowLine != 0);
}

void CDlgMore::connectStores() {
    const auto storeIndex = [this](QComboBox* list, int& field, int limit) {
        connect(list, &QComboBox::activated, this, [this, &field, limit](int index) {
            if (index >= 0 && index < limit) field = index;
            updateEnabled();
        });
    };
    storeIndex(alignment_, more_.alignment, 5);
    storeIndex(initialKind_, more_.initialKind, 3);
    storeIndex(decimalPlaces_, more_.decimalPlaces, 2);
    storeIndex(counterFile_, more_.counterDataFile, 3);

    const auto storeCheck = [this](QCheckBox* box, std::uint8_t& field) {
        connect(box, &QCheckBox::clicked, this, [this, &field](bool checked) {
            field = checked ? 1 : 0;
            updateEnabled();
        });
    };
    storeCheck(addPrefix_, more_.addPrefix);
    storeCheck(addSuffix_, more_.addSuffix);
    storeCheck(showMark_, more_.showInputMark);
    storeCheck(allowNegative_, more_.allowNegative);
    storeCheck(alwaysShowLine_, more_.alwaysShowLine);

    // Initial value, prefix and suffix are code-page text; the mark is UTF-8.
    connect(initialText_, &QLineEdit::editingFinished, this,
            [this] { more_.setInitialTextText(to_u16(initialText_->text())); });
    connect(prefix_, &QLineEdit::editingFinished, this,
            [this] { more_.setPrefixText(to_u16(prefix_->text())); });
    connect(suffix_, &QLineEdit::editingFinished, this,
            [this] { more_.setSuffixText(to_u16(suffix_->text())); });
    connect(mark_, &QLineEdit::editingFinished, this,
            [this] { more_.setInputMarkText(to_u16(mark_->text())); });

    connect(initialVariable_, &QPushButton::clicked, this,
            [this] { chooseVariable(initialVariable_, more_.initialVariable, false); });
    connect(matchDisplay_, &QPushButton::clicked, this,
            [this] { chooseVariable(matchDisplay_, more_.matchDisplayField, true); });
    // OK stores the edit that still has the focus before closing.
    connect(this, &QDialog::accepted, this, [this] {
        more_.setInitialTextText(to_u16(initialText_->text()));
        more_.setPrefixText(to_u16(prefix_->text()));
        more_.setSuffixText(to_u16(suffix_->text()));
        more_.setInputMarkText(to_u16(mark_->text()));
    });
}

void CDlgMore::chooseVariable(CIconButton* button, int& field, bool variablesOff) {
    VariableModes modes;
    modes.variablesOff = variablesOff;
    if (const std::optional<int> chosen = CVariableDlg::choose(this, field, modes)) {
        field = *chosen;
        show_field_ref(button, *chosen);
    }
}

void CDlgMore::updateEnabled() {
    // What each data type can use; a type not listed leaves everything on.
    bool general = true, negative = true, decimals = true, lookup = true, counter = true, pause = true,
         decorate = true;
    switch (dataType_) {
    case kLineText:
    case kLineAlpha:
    case kLineAlphaNum: negative = decimals = lookup = counter = pause = false; break;
    case kLineInteger: decimals = lookup = counter = pause = false; break;
    case kLineReal: lookup = counter = pause = false; break;
    case kLineBoolean: negative = decimals = lookup = counter = pause = decorate = false; break;
    case kLineLookup: general = decorate = negative = decimals = counter = pause = false; break;
    case kLineCounter: general = decorate = negative = decimals = lookup = pause = false; break;
    case kLinePause: general = decorate = negative = decimals = lookup = counter = false; break;
    default: break;
    }
    const bool knownType = dataType_ >= kLineText && dataType_ <= kLinePause && dataType_ != kLineFixed;
    const int kind = initialKind_->currentIndex();
    alignment_->setEnabled(general);
    initialKind_->setEnabled(general);
    initialText_->setEnabled(general && (!knownType || kind != 0));
    initialVariable_->setEnabled(general && (!knownType || kind == 2));
    showMark_->setEnabled(general);
    mark_->setEnabled(general && (!knownType || showMark_->isChecked()));
    addPrefix_->setEnabled(decorate);
    addSuffix_->setEnabled(decorate);
    prefix_->setEnabled(decorate && (!knownType || addPrefix_->isChecked()));
    suffix_->setEnabled(decorate && (!knownType || addSuffix_->isChecked()));
    allowNegative_->setEnabled(negative);
    decimalLabel_->setEnabled(decimals);
    decimalPlaces_->setEnabled(decimals);
    matchDisplay_->setEnabled(lookup);
    counterLabel_->setEnabled(counter);
    counterFile_->setEnabled(counter);
    alwaysShowLine_->setEnabled(pause);
}

} // namespace formwick
