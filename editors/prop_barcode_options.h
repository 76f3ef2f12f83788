// The four barcode option pages: check boxes that set bits of option masks,
// each with its factory default ("ON" or "OFF") beside it, and exclusive
// groups of which at most one box can be checked. One table-driven page
// class; the four pages differ only in their tables.
#pragma once

#include "editors/barcode_option_tables.h"
#include "editors/prop_page.h"

#include <array>
#include <vector>

class QCheckBox;
class QGridLayout;
class QWidget;

namespace formwick {

// A grid with the heading "Default" over its second column.
QGridLayout* make_default_grid(QWidget* group);
// Adds a box and its static "ON" / "OFF" default label as the next row.
void add_default_row(QGridLayout* grid, QCheckBox* box, bool defaultOn);

class CPropBarcodeOptions : public CPropPage {
    Q_OBJECT
public:
    CPropBarcodeOptions(const OptionPageTable& table, EditorContext& context);

    void loadWorkingCopy(const CParameters& definition) override;
    void commit(CParameters& definition) const override;

    int mask(int i) const { return masks_[static_cast<std::size_t>(i)]; }

private:
    struct Row {
        const OptionBox* box;
        QCheckBox* check;
    };
    QCheckBox* boxById(int id) const;
    void applyExclusiveGroups();

    const OptionPageTable& table_;
    std::array<int, 4> masks_{};
    std::vector<Row> rows_;
};

class CPropOptEanUpcCode39 final : public CPropBarcodeOptions {
public:
    explicit CPropOptEanUpcCode39(EditorContext& c) : CPropBarcodeOptions(kEanUpcCode39Table, c) {}
};
class CPropOpt2Of5MSITelepenUk final : public CPropBarcodeOptions {
public:
    explicit CPropOpt2Of5MSITelepenUk(EditorContext& c) : CPropBarcodeOptions(k2Of5MsiTelepenUkTable, c) {}
};
class CPropOptCoda128IATA final : public CPropBarcodeOptions {
public:
    explicit CPropOptCoda128IATA(EditorContext& c) : CPropBarcodeOptions(kCodabar128IataTable, c) {}
};
class CPropOptCode11KorGs1DataPdf final : public CPropBarcodeOptions {
public:
    explicit CPropOptCode11KorGs1DataPdf(EditorContext& c) : CPropBarcodeOptions(kCode11KorGs1PdfTable, c) {}
};

} // namespace formwick
