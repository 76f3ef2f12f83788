// The Data page: the three data files the application writes, one shown at
// a time, with the file name, the record options, up to ten fields built
// from one or two field references, the date and time added to each record,
// the key field and the storage mode. Below the fields a sample record shows
// what the terminal will write.
#pragma once

#include "editors/prop_page.h"
#include "model/data_file.h"
#include "model/parameters.h"

#include <array>

class QCheckBox;
class QComboBox;
class QGridLayout;
class QGroupBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QSpinBox;

namespace formwick {

class CIconButton;

enum DataPageId {
    kDataPageFile = 1200,
    kDataPageFileName = 1201,
    kDataPageFixedSize = 1202,
    kDataPageUseDelimiter = 1203,
    kDataPageDelimiter = 1095,
    kDataPageFieldCount = 1205,
    kDataPageDateBox = 1206,
    kDataPageYear = 1207,
    kDataPageDay = 1208,
    kDataPageMonth = 1209,
    kDataPageYearDigits = 1210,
    kDataPageDateOrder = 1211,
    kDataPageTimeBox = 1212,
    kDataPageHour = 1213,
    kDataPageMinute = 1214,
    kDataPageSecond = 1215,
    kDataPageStorage = 1216,
    kDataPageAddDate = 1277,
    kDataPageAddTime = 1278,
    kDataPageSample = 1279, // the sample record line below the fields
};
// Field row i (0..9): variable 1 1217 + 6i, variable 2 1218 + 6i, string
// 1219 + 6i, size 1220 + 6i, key 1222 + 6i; alignment 1113 + i.
enum DataRowColumn { kDataColVariable1 = 0, kDataColVariable2 = 1, kDataColString = 2, kDataColSize = 3, kDataColKey = 5 };
constexpr int data_row_id(int row, DataRowColumn column) { return 1217 + 6 * row + column; }
constexpr int data_alignment_id(int row) { return 1113 + row; }

// "Date format: " and "Time format: " texts for the switched-on parts.
QString data_date_format(const CParamData& data);
QString data_time_format(const CParamData& data);

class CPropData final : public CPropPage {
    Q_OBJECT
public:
    explicit CPropData(EditorContext& context);

    void loadWorkingCopy(const CParameters& definition) override;
    void commit(CParameters& definition) const override;

    int shownFile() const { return shown_; }

private:
    struct Row {
        CIconButton* variable1;
        CIconButton* variable2;
        QCheckBox* isString;
        QSpinBox* size;
        QRadioButton* key;
        QComboBox* alignment;
    };

    void buildRow(int i, QGridLayout* grid);
    void showFile(int k);
    void updateEnabled();
    void updateFormats();
    void recomputeLength();
    void chooseVariable(int i, int CDataRecord::*member, CIconButton* button);
    CParamData& data() { return files_[shown_]; }

    std::array<CParamData, kDataFileCount> files_{};
    int shown_ = 0;
    bool showing_ = false; // filling the controls: no recomputation
    std::array<Row, kDataFieldCount> rows_{};
    QComboBox* file_;
    QLineEdit* fileName_;
    QCheckBox* fixedSize_;
    QCheckBox* useDelimiter_;
    QComboBox* delimiter_;
    QComboBox* fieldCount_;
    QGroupBox* dateBox_;
    QCheckBox* year_;
    QCheckBox* month_;
    QCheckBox* day_;
    QComboBox* yearDigits_;
    QComboBox* dateOrder_;
    QGroupBox* timeBox_;
    QCheckBox* hour_;
    QCheckBox* minute_;
    QCheckBox* second_;
    QComboBox* storage_;
    QCheckBox* addDate_;
    QCheckBox* addTime_;
    QLabel* sample_;
};

} // namespace formwick
