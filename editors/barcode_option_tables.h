// The four barcode option pages as tables: which check box sets which bit
// of which option mask, its factory default, the groups the boxes are shown
// in, and the exclusive groups (at most one box of such a group checked).
#pragma once

#include "model/parameters.h"

#include <span>

namespace formwick {

// One option mask of a record of the definition.
struct OptionMask {
    int (*get)(const CParameters&);
    int& (*ref)(CParameters&);
};

struct OptionBox {
    int id;
    const char* label;
    int mask; // index into the page's masks
    int bit;
    bool defaultOn;
};

struct OptionGroup {
    const char* title;
    std::span<const OptionBox> boxes;
};

struct ExclusiveGroup {
    std::span<const int> ids;
};

struct OptionPageTable {
    int dialogId;
    std::span<const OptionMask> masks;
    std::span<const OptionGroup> groups;
    std::span<const ExclusiveGroup> exclusive; // in the order they are applied
    // A box enabled only while one of `enablers` is checked (0: none).
    int dependentId = 0;
    std::span<const int> enablers = {};
};

extern const OptionPageTable kEanUpcCode39Table;
extern const OptionPageTable k2Of5MsiTelepenUkTable;
extern const OptionPageTable kCodabar128IataTable;
extern const OptionPageTable kCode11KorGs1PdfTable;

} // namespace formwick
