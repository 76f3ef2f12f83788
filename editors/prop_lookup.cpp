#include "editors/prop_lookup.h"

#include "editors/editor_pages.h"
#include "editors/file_page_controls.h"
#include "editors/lookup_file_test.h"
#include "editors/page_controls.h"
#include "widgets/dialogs.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>

namespace formwick {

int csv_record_size(const CParamLookup& lookup) {
    const int fields = std::clamp(lookup.fieldCount, 1, kLookupFieldCount);
    int size = 2 + fields;
    for (int i = 0; i < fields; ++i) size += lookup.fields[i].maxLength;
    return size;
}

CPropLookup::CPropLookup(EditorContext& context) : CPropPage(kPageLookup, context) {
    file_ = make_list(this, kLookupPageFile, {QStringLiteral("Lookup 1"), QStringLiteral("Lookup 2"), QStringLiteral("Lookup 3")});
    use_ = new QCheckBox(QStringLiteral("Use lookup file"), this);
    use_->setObjectName(QString::number(kLookupPageUse));
    fileName_ = new QLineEdit(this);
    fileName_->setObjectName(QString::number(kLookupPageFileName));
    fileName_->setMaxLength(12);
    testFile_ = new QPushButton(QStringLiteral("Test with file..."), this);
    testFile_->setObjectName(QString::number(kLookupPageTestFile));
    testFile_->setToolTip(QStringLiteral("Reads a lookup file you have and says whether its lines fit these settings. "
                                         "Nothing is changed."));
    auto* top = new QHBoxLayout;
    top->addWidget(make_label(this, QStringLiteral("Lookup file:")));
    top->addWidget(file_);
    top->addSpacing(12);
    top->addWidget(use_);
    top->addSpacing(12);
    top->addWidget(make_label(this, QStringLiteral("Filename:")));
    top->addWidget(fileName_);
    top->addWidget(testFile_);
    top->addStretch(1);

    auto* options = new QGroupBox(QStringLiteral("Record options"), this);
    fileType_ = make_list(options, kLookupPageFileType, {QStringLiteral("Fixed"), QStringLiteral("CSV")});
    recordSize_ = new QSpinBox(options);
    recordSize_->setObjectName(QString::number(kLookupPageRecordSize));
    recordSize_->setRange(2, 500);
    QStringList counts;
    for (int n = 1; n <= kLookupFieldCount; ++n) counts << QString::number(n);
    fieldCount_ = make_list(options, kLookupPageFieldCount, counts);
    delimiter_ = make_list(options, kLookupPageDelimiter, delimiter_entries());
    auto* optionsLayout = new QGridLayout(options);
    const std::pair<const char*, QWidget*> optionRows[] = {{"File type:", fileType_},
                                                           {"Record size including <CR><LF>:", recordSize_},
                                                           {"Number of fields:", fieldCount_},
                                                           {"Field delimiter:", delimiter_}};
    for (int r = 0; r < 4; ++r) {
        optionsLayout->addWidget(make_label(options, QString::fromUtf8(optionRows[r].first)), r, 0);
        optionsLayout->addWidget(optionRows[r].second, r, 1);
    }
    optionsLayout->setRowStretch(4, 1);

    auto* actions = new QGroupBox(QStringLiteral("Specific actions when"), this);
    const QStringList errorChoices = {QStringLiteral("Show error & Goto main menu"), QStringLiteral("Show error & delete lookup"),
                                      QStringLiteral("Continue")};
    badFormat_ = make_list(actions, kLookupPageBadFormat, errorChoices);
    noMatch_ = make_list(actions, kLookupPageNoMatch,
                         {QStringLiteral("Continue"), QStringLiteral("Show warning"), QStringLiteral("Goto"), QStringLiteral("Warning & Goto")});
    noMatchTarget_ = make_list(actions, kLookupPageNoMatchTarget, screen_target_entries());
    missing_ = make_list(actions, kLookupPageMissing,
                         {QStringLiteral("Show error & Goto main menu"), QStringLiteral("Show error & continue"), QStringLiteral("Goto main")});
    auto* actionsLayout = new QGridLayout(actions);
    actionsLayout->addWidget(make_label(actions, QStringLiteral("Format of record is wrong:")), 0, 0);
    actionsLayout->addWidget(badFormat_, 0, 1, 1, 2);
    actionsLayout->addWidget(make_label(actions, QStringLiteral("Input data has no match:")), 1, 0);
    actionsLayout->addWidget(noMatch_, 1, 1);
    actionsLayout->addWidget(noMatchTarget_, 1, 2);
    actionsLayout->addWidget(make_label(actions, QStringLiteral("Lookup file not available:")), 2, 0);
    actionsLayout->addWidget(missing_, 2, 1, 1, 2);
    actionsLayout->setRowStretch(3, 1);

    auto* groups = new QHBoxLayout;
    groups->addWidget(options);
    groups->addWidget(actions, 1);

    auto* fieldsBox = new QGroupBox(QStringLiteral("Record fields"), this);
    auto* grid = new QGridLayout(fieldsBox);
    grid->addWidget(make_label(fieldsBox, QStringLiteral("Offset")), 0, 1);
    grid->addWidget(make_label(fieldsBox, QStringLiteral("Max length")), 0, 2);
    grid->addWidget(make_label(fieldsBox, QStringLiteral("Key field")), 0, 3);
    auto* keys = new QButtonGroup(this);
    for (int i = 0; i < kLookupFieldCount; ++i) {
        Row& r = rows_[i];
        r.offset = new QLineEdit(fieldsBox);
        r.offset->setObjectName(QString::number(lookup_offset_id(i)));
        r.maxLength = new QLineEdit(fieldsBox);
        r.maxLength->setObjectName(QString::number(lookup_max_length_id(i)));
        for (QLineEdit* edit : {r.offset, r.maxLength}) edit->setMaximumWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("00000")) + 24);
        r.key = new QRadioButton(fieldsBox);
        r.key->setObjectName(QString::number(lookup_key_id(i)));
        keys->addButton(r.key, i);
        grid->addWidget(new QLabel(QStringLiteral("#%1").arg(i + 1), fieldsBox), i + 1, 0);
        grid->addWidget(r.offset, i + 1, 1);
        grid->addWidget(r.maxLength, i + 1, 2);
        grid->addWidget(r.key, i + 1, 3, Qt::AlignCenter);
        connect(r.offset, &QLineEdit::editingFinished, this, [this, i] { rowEdited(i, rows_[i].offset); });
        connect(r.maxLength, &QLineEdit::editingFinished, this, [this, i] { rowEdited(i, rows_[i].maxLength); });
    }
    grid->setColumnStretch(4, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(groups);
    layout->addWidget(fieldsBox);
    layout->addStretch(1);

    connect(file_, &QComboBox::activated, this, &CPropLookup::showLookup);
    connect(use_, &QCheckBox::clicked, this, [this](bool checked) {
        lookup().used = checked ? 1 : 0;
        updateCsvSize();
        updateEnabled();
    });
    connect(fileName_, &QLineEdit::editingFinished, this,
            [this] { take_file_name(fileName_, lookup().fileName, lookup().indexName, this->context().dialogs); });
    connect(fileType_, &QComboBox::activated, this, [this](int index) {
        if (index < 0) return;
        lookup().fileType = index;
        updateCsvSize();
        updateEnabled();
    });
    connect(recordSize_, &QSpinBox::editingFinished, this, [this] {
        if (lookup().fileType == 0) lookup().recordSize = recordSize_->value();
    });
    connect(fieldCount_, &QComboBox::activated, this, [this](int index) {
        if (index < 0) return;
        lookup().fieldCount = index + 1;
        if (lookup().keyField > index) {
            lookup().keyField = 0;
            rows_[0].key->setChecked(true);
        }
        updateCsvSize();
        updateEnabled();
    });
    connect(delimiter_, &QComboBox::activated, this, [this](int index) {
        if (index >= 0) lookup().delimiter = index;
    });
    connect(badFormat_, &QComboBox::activated, this, [this](int index) {
        if (index >= 0) lookup().badFormatAction = index;
    });
    connect(noMatch_, &QComboBox::activated, this, [this](int index) {
        if (index < 0) return;
        lookup().noMatchAction = index;
        updateEnabled();
    });
    connect(noMatchTarget_, &QComboBox::activated, this, [this](int index) {
        if (index >= 0) lookup().noMatchTarget = index;
    });
    connect(missing_, &QComboBox::activated, this, [this](int index) {
        if (index >= 0) lookup().missingAction = index;
    });
    connect(keys, &QButtonGroup::idClicked, this, [this](int) {
        for (int i = 0; i < kLookupFieldCount; ++i)
            if (rows_[i].key->isChecked()) {
                lookup().keyField = i;
                break;
            }
    });
    connect(testFile_, &QPushButton::clicked, this, &CPropLookup::testWithFile);
}

void CPropLookup::loadWorkingCopy(const CParameters& definition) {
    lookups_ = definition.lookups;
    file_->setCurrentIndex(0);
    showLookup(0);
}

void CPropLookup::commit(CParameters& definition) const { definition.lookups = lookups_; }

void CPropLookup::showLookup(int k) {
    if (k < 0 || k >= kLookupCount) return;
    shown_ = k;
    const CParamLookup& l = lookup();
    use_->setChecked(l.used != 0);
    fileName_->setText(to_qstring(l.fileNameText()));
    fileType_->setCurrentIndex(l.fileType);
    recordSize_->setValue(l.recordSize);
    fieldCount_->setCurrentIndex(l.fieldCount - 1);
    delimiter_->setCurrentIndex(l.delimiter);
    badFormat_->setCurrentIndex(l.badFormatAction);
    noMatch_->setCurrentIndex(l.noMatchAction);
    noMatchTarget_->setCurrentIndex(l.noMatchTarget);
    missing_->setCurrentIndex(l.missingAction);
    for (int i = 0; i < kLookupFieldCount; ++i) {
        rows_[i].offset->setText(QString::number(l.fields[i].offset));
        rows_[i].maxLength->setText(QString::number(l.fields[i].maxLength));
        rows_[i].key->setChecked(i == l.keyField);
    }
    updateEnabled();
}

void CPropLookup::updateEnabled() {
    const CParamLookup& l = lookup();
    const bool used = l.used != 0;
    const bool csv = l.fileType == 1;
    for (QWidget* w : std::initializer_list<QWidget*>{fileName_, fileType_, fieldCount_, badFormat_, noMatch_, missing_, testFile_})
        w->setEnabled(used);
    recordSize_->setEnabled(used && !csv);
    delimiter_->setEnabled(used && csv);
    noMatchTarget_->setEnabled(used && (l.noMatchAction == 2 || l.noMatchAction == 3));
    for (int i = 0; i < kLookupFieldCount; ++i) {
        const bool inUse = used && i < l.fieldCount;
        rows_[i].offset->setEnabled(inUse && !csv);
        rows_[i].maxLength->setEnabled(inUse);
        rows_[i].key->setEnabled(inUse);
    }
}

void CPropLookup::updateCsvSize() {
    if (lookup().fileType != 1) return;
    lookup().recordSize = csv_record_size(lookup());
    recordSize_->setValue(lookup().recordSize);
}

void CPropLookup::rowEdited(int i, QLineEdit* edit) {
    CLookupFields& field = lookup().fields[i];
    const bool isOffset = edit == rows_[i].offset;
    const int stored = isOffset ? field.offset : field.maxLength;
    const std::optional<int> value = isOffset ? checked_number(edit, 0, kLookupOffsetRange, context().dialogs)
                                              : checked_number(edit, 1, kLookupMaxLengthRange, context().dialogs);
    if (value && *value != stored) {
        // The terminal's records keep offsets up to 450 and lengths up to
        // 80; a larger value is refused here with a word, not dropped
        // without one.
        const int limit = isOffset ? kLookupOffsetStored : kLookupMaxLengthStored;
        if (*value <= limit) {
            if (isOffset)
                field.offset = *value;
            else
                field.maxLength = static_cast<std::uint8_t>(*value);
            updateCsvSize();
            return;
        }
        context().dialogs.error(this, (isOffset ? QStringLiteral("An offset can be at most %1.")
                                                : QStringLiteral("A maximum length can be at most %1."))
                                          .arg(limit));
    }
    edit->setText(QString::number(stored));
}

void CPropLookup::testWithFile() {
    const QString path = context().dialogs.openFileName(this, QStringLiteral("Test with file"),
                                                        QStringLiteral("Lookup files (*.txt;*.csv)|*.txt;*.csv|All files (*.*)|*.*||"));
    if (path.isEmpty()) return;
    const LookupFileReport report = test_lookup_file(lookup(), shown_, path.toStdString());
    if (!report.readable)
        context().dialogs.error(this, QString::fromStdString(report.text));
    else
        context().dialogs.information(this, QStringLiteral("Test with file"), QString::fromStdString(report.text));
}

} // namespace formwick
