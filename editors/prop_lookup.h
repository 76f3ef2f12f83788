// The Lookup page: the three lookup files the forms search, one shown at a
// time: whether it is used, its file name, fixed or CSV records, the fields
// with their offsets and maximum lengths, the key field and what the
// application does when a record is malformed, input has no match or the
// file is missing. "Test with file..." reads a real lookup file against the
// settings shown, changing nothing.
#pragma once

#include "editors/prop_page.h"
#include "model/lookup.h"
#include "model/parameters.h"

#include <array>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;

namespace formwick {

enum LookupPageId {
    kLookupPageFile = 1088,
    kLookupPageUse = 1006,
    kLookupPageFileName = 1089,
    kLookupPageFileType = 1090,
    kLookupPageRecordSize = 1092,
    kLookupPageFieldCount = 1094,
    kLookupPageDelimiter = 1095,
    kLookupPageBadFormat = 1096,
    kLookupPageNoMatch = 1097,
    kLookupPageNoMatchTarget = 1098,
    kLookupPageMissing = 1099,
    kLookupPageTestFile = 1091, // "Test with file..."
};
// Field row i (0..9): offset 1100 + 3i, maximum length 1101 + 3i, key 1102 + 3i.
constexpr int lookup_offset_id(int row) { return 1100 + 3 * row; }
constexpr int lookup_max_length_id(int row) { return 1101 + 3 * row; }
constexpr int lookup_key_id(int row) { return 1102 + 3 * row; }

// Validation ranges of the field edits and the largest values stored.
inline constexpr int kLookupOffsetRange = 500, kLookupOffsetStored = 450;
inline constexpr int kLookupMaxLengthRange = 100, kLookupMaxLengthStored = 80;

// The record size of a CSV lookup: CR LF, one separator or line end per
// field, and the maximum lengths of the fields in use.
int csv_record_size(const CParamLookup& lookup);

class CPropLookup final : public CPropPage {
    Q_OBJECT
public:
    explicit CPropLookup(EditorContext& context);

    void loadWorkingCopy(const CParameters& definition) override;
    void commit(CParameters& definition) const override;

    int shownLookup() const { return shown_; }

private:
    struct Row {
        QLineEdit* offset;
        QLineEdit* maxLength;
        QRadioButton* key;
    };

    void showLookup(int k);
    void updateEnabled();
    void updateCsvSize();
    void rowEdited(int i, QLineEdit* edit);
    void testWithFile();
    CParamLookup& lookup() { return lookups_[shown_]; }

    std::array<CParamLookup, kLookupCount> lookups_{};
    int shown_ = 0;
    std::array<Row, kLookupFieldCount> rows_{};
    QComboBox* file_;
    QCheckBox* use_;
    QLineEdit* fileName_;
    QComboBox* fileType_;
    QSpinBox* recordSize_;
    QComboBox* fieldCount_;
    QComboBox* delimiter_;
    QComboBox* badFormat_;
    QComboBox* noMatch_;
    QComboBox* noMatchTarget_;
    QComboBox* missing_;
    QPushButton* testFile_;
};

} // namespace formwick
