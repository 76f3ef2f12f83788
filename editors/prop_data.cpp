#include "editors/prop_data.h"

#include "editors/editor_pages.h"
#include "editors/file_page_controls.h"
#include "editors/page_controls.h"
#include "editors/record_sample.h"
#include "editors/variable_dlg.h"
#include "model/record_layout.h"
#include "widgets/icon_button.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace formwick {

namespace {

QStringList count_entries(int from, int to) {
    QStringList entries;
    for (int n = from; n <= to; ++n) entries << QString::number(n);
    return entries;
}

} // namespace

QString data_date_format(const CParamData& data) {
    const QString y = data.dateYear ? (data.yearDigits == 1 ? QStringLiteral("YY") : QStringLiteral("YYYY")) : QString();
    const QString m = data.dateMonth ? QStringLiteral("MM") : QString();
    const QString d = data.dateDay ? QStringLiteral("DD") : QString();
    QStringList order;
    switch (data.dateOrder) {
    case 1: order = {m, d, y}; break;
    case 2: order = {d, m, y}; break;
    default: order = {y, m, d}; break;
    }
    order.removeAll(QString());
    return order.join(QLatin1Char('/'));
}

QString data_time_format(const CParamData& data) {
    QStringList parts;
    if (data.timeHour) parts << QStringLiteral("HH");
    if (data.timeMinute) parts << QStringLiteral("MM");
    if (data.timeSecond) parts << QStringLiteral("SS");
    return parts.join(QLatin1Char(':'));
}

CPropData::CPropData(EditorContext& context) : CPropPage(kPageData, context) {
    file_ = make_list(this, kDataPageFile, data_file_entries());
    fileName_ = new QLineEdit(this);
    fileName_->setObjectName(QString::number(kDataPageFileName));
    fileName_->setMaxLength(12);
    auto* top = new QHBoxLayout;
    top->addWidget(make_label(this, QStringLiteral("Data file:")));
    top->addWidget(file_);
    top->addSpacing(12);
    top->addWidget(make_label(this, QStringLiteral("Filename:")));
    top->addWidget(fileName_);
    top->addStretch(1);

    auto* options = new QGroupBox(QStringLiteral("Record Options"), this);
    fixedSize_ = make_check(options, kDataPageFixedSize, QStringLiteral("Fixed record size"));
    useDelimiter_ = make_check(options, kDataPageUseDelimiter, QStringLiteral("Use field delimiter"));
    delimiter_ = make_list(options, kDataPageDelimiter, delimiter_entries());
    fieldCount_ = make_list(options, kDataPageFieldCount, count_entries(0, kDataFieldCount));
    auto* optionsLayout = new QGridLayout(options);
    optionsLayout->addWidget(fixedSize_, 0, 0, 1, 2);
    optionsLayout->addWidget(useDelimiter_, 1, 0, 1, 2);
    optionsLayout->addWidget(make_label(options, QStringLiteral("Field delimeter:")), 2, 0);
    optionsLayout->addWidget(delimiter_, 2, 1);
    optionsLayout->addWidget(make_label(options, QStringLiteral("Number of fields:")), 3, 0);
    optionsLayout->addWidget(fieldCount_, 3, 1);

    dateBox_ = new QGroupBox(this);
    dateBox_->setObjectName(QString::number(kDataPageDateBox));
    year_ = make_check(dateBox_, kDataPageYear, QStringLiteral("Year"));
    month_ = make_check(dateBox_, kDataPageMonth, QStringLiteral("Month"));
    day_ = make_check(dateBox_, kDataPageDay, QStringLiteral("Day"));
    yearDigits_ = make_list(dateBox_, kDataPageYearDigits, {QStringLiteral("4 digits (YYYY)"), QStringLiteral("2 digits (YY)")});
    dateOrder_ = make_list(dateBox_, kDataPageDateOrder,
                           {QStringLiteral("Year/Month/Day"), QStringLiteral("Month/Day/Year"), QStringLiteral("Day/Month/Year")});
    auto* dateLayout = new QGridLayout(dateBox_);
    dateLayout->addWidget(year_, 0, 0);
    dateLayout->addWidget(yearDigits_, 0, 1);
    dateLayout->addWidget(month_, 1, 0);
    dateLayout->addWidget(day_, 2, 0);
    dateLayout->addWidget(make_label(dateBox_, QStringLiteral("Format:")), 3, 0);
    dateLayout->addWidget(dateOrder_, 3, 1);

    timeBox_ = new QGroupBox(this);
    timeBox_->setObjectName(QString::number(kDataPageTimeBox));
    hour_ = make_check(timeBox_, kDataPageHour, QStringLiteral("Hour"));
    minute_ = make_check(timeBox_, kDataPageMinute, QStringLiteral("Minute"));
    second_ = make_check(timeBox_, kDataPageSecond, QStringLiteral("Second"));
    auto* timeLayout = new QVBoxLayout(timeBox_);
    for (QCheckBox* box : {hour_, minute_, second_}) timeLayout->addWidget(box);
    timeLayout->addStretch(1);

    auto* storageBox = new QGroupBox(QStringLiteral("Data storage"), this);
    storage_ = make_list(storageBox, kDataPageStorage, {QStringLiteral("Append new data"), QStringLiteral("Update record (sorted)")});
    auto* storageLayout = new QVBoxLayout(storageBox);
    storageLayout->addWidget(storage_);
    storageLayout->addStretch(1);

    auto* groups = new QHBoxLayout;
    groups->addWidget(options);
    groups->addWidget(dateBox_);
    groups->addWidget(timeBox_);
    groups->addWidget(storageBox);

    auto* record = new QGroupBox(QStringLiteral("Data record"), this);
    auto* grid = new QGridLayout(record);
    const char* headers[] = {"", "Variable 1", "", "Variable2", "String", "Field size", "Key", "Alignment and padding"};
    for (int c = 0; c < 8; ++c) grid->addWidget(make_label(record, QString::fromUtf8(headers[c])), 0, c);
    auto* keys = new QButtonGroup(this);
    for (int i = 0; i < kDataFieldCount; ++i) {
        buildRow(i, grid);
        keys->addButton(rows_[i].key, i);
    }
    grid->setColumnStretch(7, 1);
    addDate_ = make_check(record, kDataPageAddDate, QStringLiteral("Add date"));
    addTime_ = make_check(record, kDataPageAddTime, QStringLiteral("Add time"));
    auto* ends = new QHBoxLayout;
    ends->addWidget(addDate_);
    ends->addWidget(addTime_);
    ends->addStretch(1);
    ends->addWidget(make_label(record, QStringLiteral("<CR><LF>")));
    grid->addLayout(ends, kDataFieldCount + 1, 0, 1, 8);

    sample_ = new QLabel(this);
    sample_->setObjectName(QString::number(kDataPageSample));
    sample_->setTextFormat(Qt::PlainText);
    sample_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    sample_->setWordWrap(true);
    sample_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(groups);
    layout->addWidget(record);
    layout->addWidget(make_label(this, QStringLiteral("Each record will be written like this:")));
    layout->addWidget(sample_);
    layout->addStretch(1);

    connect(file_, &QComboBox::activated, this, &CPropData::showFile);
    connect(fileName_, &QLineEdit::editingFinished, this,
            [this] { take_file_name(fileName_, data().fileName, data().indexName, this->context().dialogs); });
    connect(fixedSize_, &QCheckBox::clicked, this, [this](bool checked) {
        data().fixedSize = checked ? 1 : 0;
        // A record without a fixed size always has a delimiter.
        if (!checked) {
            data().useDelimiter = 1;
            useDelimiter_->setChecked(true);
        }
        updateEnabled();
        recomputeLength();
    });
    connect(useDelimiter_, &QCheckBox::clicked, this, [this](bool checked) {
        data().useDelimiter = checked ? 1 : 0;
        updateEnabled();
        recomputeLength();
    });
    connect(delimiter_, &QComboBox::activated, this, [this](int index) {
        if (index >= 0) data().delimiter = index;
        recomputeLength();
    });
    connect(fieldCount_, &QComboBox::activated, this, [this](int index) {
        if (index < 0) return;
        data().fieldCount = index;
        if (data().keyField >= index) {
            data().keyField = 0;
            rows_[0].key->setChecked(true);
        }
        updateEnabled();
        recomputeLength();
    });
    connect(keys, &QButtonGroup::idClicked, this, [this](int) {
        for (int i = 0; i < kDataFieldCount; ++i)
            if (rows_[i].key->isChecked()) {
                data().keyField = i;
                break;
            }
    });
    const struct {
        QCheckBox* box;
        std::uint8_t CParamData::*flag;
    } flags[] = {{year_, &CParamData::dateYear},    {month_, &CParamData::dateMonth},   {day_, &CParamData::dateDay},
                 {hour_, &CParamData::timeHour},    {minute_, &CParamData::timeMinute}, {second_, &CParamData::timeSecond},
                 {addDate_, &CParamData::addDate}, {addTime_, &CParamData::addTime}};
    for (auto [box, flag] : flags)
        connect(box, &QCheckBox::clicked, this, [this, flag = flag](bool checked) {
            data().*flag = checked ? 1 : 0;
            recomputeLength();
        });
    connect(yearDigits_, &QComboBox::activated, this, [this](int index) {
        data().yearDigits = index == 1 ? 1 : 0;
        recomputeLength();
    });
    connect(dateOrder_, &QComboBox::activated, this, [this](int index) {
        if (index >= 0) data().dateOrder = index;
        recomputeLength();
    });
    connect(storage_, &QComboBox::activated, this, [this](int index) {
        if (index >= 0) data().storageMode = index;
    });
}

void CPropData::buildRow(int i, QGridLayout* grid) {
    Row& r = rows_[i];
    QWidget* parent = grid->parentWidget();
    r.variable1 = make_variable_button(parent, data_row_id(i, kDataColVariable1));
    r.variable2 = make_variable_button(parent, data_row_id(i, kDataColVariable2));
    r.isString = make_check(parent, data_row_id(i, kDataColString), QString());
    r.size = new QSpinBox(parent);
    r.size->setObjectName(QString::number(data_row_id(i, kDataColSize)));
    r.size->setRange(0, 100);
    r.key = new QRadioButton(parent);
    r.key->setObjectName(QString::number(data_row_id(i, kDataColKey)));
    r.alignment = make_list(parent, data_alignment_id(i),
                            {QStringLiteral("Left al. padded with space"), QStringLiteral("Right al. filled with space"),
                             QStringLiteral("Left al. padded with 0"), QStringLiteral("Right al. filled with 0"),
                             QStringLiteral("Variable size")});
    const int gridRow = i + 1;
    grid->addWidget(new QLabel(QStringLiteral("#%1").arg(i + 1), parent), gridRow, 0);
    grid->addWidget(r.variable1, gridRow, 1);
    grid->addWidget(new QLabel(QStringLiteral("+"), parent), gridRow, 2);
    grid->addWidget(r.variable2, gridRow, 3);
    grid->addWidget(r.isString, gridRow, 4, Qt::AlignCenter);
    grid->addWidget(r.size, gridRow, 5);
    grid->addWidget(r.key, gridRow, 6, Qt::AlignCenter);
    grid->addWidget(r.alignment, gridRow, 7);

    connect(r.variable1, &QPushButton::clicked, this, [this, i] { chooseVariable(i, &CDataRecord::variable1, rows_[i].variable1); });
    connect(r.variable2, &QPushButton::clicked, this, [this, i] { chooseVariable(i, &CDataRecord::variable2, rows_[i].variable2); });
    connect(r.isString, &QCheckBox::clicked, this, [this, i](bool checked) {
        data().fields[i].isString = checked ? 1 : 0;
        recomputeLength();
    });
    connect(r.size, &QSpinBox::valueChanged, this, [this, i](int value) {
        if (showing_) return;
        data().fields[i].fieldSize = value;
        recomputeLength();
    });
    connect(r.alignment, &QComboBox::currentIndexChanged, this, [this, i](int index) {
        if (showing_ || index < 0) return;
        data().fields[i].alignment = index;
        recomputeLength();
    });
}

void CPropData::loadWorkingCopy(const CParameters& definition) {
    files_ = definition.dataFiles;
    file_->setCurrentIndex(0);
    showFile(0);
}

void CPropData::commit(CParameters& definition) const { definition.dataFiles = files_; }

void CPropData::showFile(int k) {
    if (k < 0 || k >= kDataFileCount) return;
    shown_ = k;
    showing_ = true;
    const CParamData& d = data();
    fileName_->setText(to_qstring(d.fileNameText()));
    fixedSize_->setChecked(d.fixedSize != 0);
    useDelimiter_->setChecked(d.useDelimiter != 0);
    delimiter_->setCurrentIndex(d.delimiter);
    fieldCount_->setCurrentIndex(d.fieldCount);
    year_->setChecked(d.dateYear != 0);
    month_->setChecked(d.dateMonth != 0);
    day_->setChecked(d.dateDay != 0);
    yearDigits_->setCurrentIndex(d.yearDigits == 1 ? 1 : 0);
    dateOrder_->setCurrentIndex(d.dateOrder);
    hour_->setChecked(d.timeHour != 0);
    minute_->setChecked(d.timeMinute != 0);
    second_->setChecked(d.timeSecond != 0);
    addDate_->setChecked(d.addDate != 0);
    addTime_->setChecked(d.addTime != 0);
    storage_->setCurrentIndex(d.storageMode);
    for (int i = 0; i < kDataFieldCount; ++i) {
        const CDataRecord& field = d.fields[i];
        Row& r = rows_[i];
        show_field_ref(r.variable1, field.variable1);
        show_field_ref(r.variable2, field.variable2);
        r.isString->setChecked(field.isString != 0);
        r.key->setChecked(i == d.keyField);
        r.alignment->setCurrentIndex(field.alignment);
        r.size->setValue(field.fieldSize);
    }
    showing_ = false;
    updateEnabled();
    updateFormats();
}

void CPropData::updateEnabled() {
    const bool fixed = fixedSize_->isChecked();
    useDelimiter_->setEnabled(fixed);
    delimiter_->setEnabled(useDelimiter_->isChecked());
    const int count = data().fieldCount;
    for (int i = 0; i < kDataFieldCount; ++i) {
        const Row& r = rows_[i];
        for (QWidget* w : std::initializer_list<QWidget*>{r.variable1, r.variable2, r.isString, r.size, r.key, r.alignment})
            w->setEnabled(i < count);
    }
}

void CPropData::updateFormats() {
    dateBox_->setTitle(QStringLiteral("Date format: ") + data_date_format(data()));
    timeBox_->setTitle(QStringLiteral("Time format: ") + data_time_format(data()));
    const RecordSample sample = record_sample(data());
    QString text = QString::fromUtf8(sample.text) +
                   QStringLiteral("\n%1 characters per record, <CR><LF> included.").arg(sample.length);
    if (data().fixedSize && data().recordLength != sample.length)
        text += QStringLiteral("\nThe stored record size is %1: the terminal will refuse these records until a "
                               "field is changed here.")
                    .arg(data().recordLength);
    sample_->setText(text);
}

void CPropData::recomputeLength() {
    // Every change of the layout recomputes the stored length, so it never
    // goes stale: the terminal refuses records whose length differs.
    data().recordLength = data_record_length(data());
    updateFormats();
}

void CPropData::chooseVariable(int i, int CDataRecord::*member, CIconButton* button) {
    const std::optional<int> chosen = CVariableDlg::choose(this, data().fields[i].*member, VariableModes{});
    if (!chosen) return;
    data().fields[i].*member = *chosen;
    show_field_ref(button, *chosen);
}

} // namespace formwick
