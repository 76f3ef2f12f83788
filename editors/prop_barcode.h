// The Barcode page: the reader's read mode and time-out, the symbologies it
// reads, and a free system settings text for the reader.
#pragma once

#include "editors/prop_page.h"
#include "model/barcode.h"

#include <vector>

class QCheckBox;
class QComboBox;
class QLineEdit;

namespace formwick {

enum BarcodePageId {
    kBarcodeReadMode = 1039,
    kBarcodeTimeout = 1040,
    kBarcodeSystemSettings = 1041,
    kBarcodePdf417 = 1022,
    kBarcodeCode11 = 1023,
    kBarcodeKoreanPost = 1024,
};

struct SymbologyBox {
    int id;
    const char* label;
    int bits;
    bool defaultOn;
};
// The "Types" boxes in their order; Korean post owns no bit of its own but
// both bits of PDF417 and Code 11.
extern const SymbologyBox kSymbologyBoxes[19];

class CPropBarcode final : public CPropPage {
    Q_OBJECT
public:
    explicit CPropBarcode(EditorContext& context);

    void loadWorkingCopy(const CParameters& definition) override;
    void commit(CParameters& definition) const override;

    const CParamBarcode& workingCopy() const { return barcode_; }

private:
    void showTypes();

    CParamBarcode barcode_;
    QComboBox* readMode_;
    QComboBox* timeout_;
    QLineEdit* systemSettings_;
    std::vector<QCheckBox*> types_;
};

} // namespace formwick
