#include "editors/prop_barcode.h"

#include "editors/editor_pages.h"
#include "editors/page_controls.h"
#include "editors/prop_barcode_options.h"
#include "model/parameters.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QVBoxLayout>

namespace formwick {

const SymbologyBox kSymbologyBoxes[19] = {
    {1006, "EAN / UPC", 0x1, true},
    {1007, "Code 39", 0x2, true},
    {1008, "Codabar / NW7", 0x4, true},
    {1009, "Industrial 2 of 5", 0x8, true},
    {1010, "Interleaved 2 of 5", 0x10, true},
    {1011, "SCode", 0x20, true},
    {1012, "Matrix 2 of 5", 0x40, true},
    {1013, "IATA", 0x80, true},
    {1014, "Code 93", 0x100, true},
    {1015, "Code 128 / GS1-128", 0x200, true},
    {1016, "MSI / Plessey", 0x400, true},
    {1017, "Telepen", 0x800, true},
    {1018, "UK / Plessey", 0x1000, true},
    {1019, "Tri-Optic", 0x2000, false},
    {1020, "Chinese post", 0x4000, false},
    {1021, "GS1 Databar", 0x8000, false},
    {1022, "PDF417", 0x10000, false},
    {1023, "Code 11", 0x20000, false},
    {1024, "Korean post", 0x30000, false},
};

CPropBarcode::CPropBarcode(EditorContext& context) : CPropPage(kPageBarcode, context) {
    auto* reader = new QGroupBox(QStringLiteral("Reader settings"), this);
    readMode_ = make_list(reader, kBarcodeReadMode, {QStringLiteral("Single"), QStringLiteral("Multiple"),
                                                     QStringLiteral("Trigger")});
    timeout_ = make_list(reader, kBarcodeTimeout,
                         {QStringLiteral("2 Sec."), QStringLiteral("4 Sec."), QStringLiteral("6 Sec."),
                          QStringLiteral("8 Sec."), QStringLiteral("10 Sec")});
    auto* readerLayout = new QVBoxLayout(reader);
    readerLayout->addLayout(labelled_row(reader, {{"Read mode:", readMode_}, {"Timeout:", timeout_}}));

    auto* system = new QGroupBox(QStringLiteral("System settings"), this);
    systemSettings_ = make_edit(system, kBarcodeSystemSettings, 80);
    auto* systemLayout = new QVBoxLayout(system);
    systemLayout->addWidget(systemSettings_);

    auto* barcodes = new QGroupBox(QStringLiteral("Barcodes"), this);
    auto* typesGroup = new QGroupBox(QStringLiteral("Types"), barcodes);
    auto* columns = new QHBoxLayout(typesGroup);
    // Two columns: the thirteen classic symbologies, then the others.
    QGridLayout* grid = nullptr;
    for (std::size_t i = 0; i < std::size(kSymbologyBoxes); ++i) {
        if (i == 0 || i == 10) {
            auto* column = new QWidget(typesGroup);
            grid = make_default_grid(column);
            grid->setContentsMargins(0, 0, 0, 0);
            columns->addWidget(column, 0, Qt::AlignTop);
        }
        const SymbologyBox& type = kSymbologyBoxes[i];
        QCheckBox* check = make_check(grid->parentWidget(), type.id, QString::fromUtf8(type.label));
        add_default_row(grid, check, type.defaultOn);
        types_.push_back(check);
        connect(check, &QCheckBox::clicked, this, [this, &type](bool checked) {
            barcode_.enabledTypes = checked ? (barcode_.enabledTypes | type.bits) : (barcode_.enabledTypes & ~type.bits);
            // Korean post shares its bits with PDF417 and Code 11: every box
            // shows what the mask now holds.
            showTypes();
        });
    }
    auto* barcodesLayout = new QVBoxLayout(barcodes);
    barcodesLayout->addWidget(typesGroup);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(reader);
    layout->addWidget(barcodes);
    layout->addWidget(system);
    layout->addStretch(1);

    connect(readMode_, &QComboBox::activated, this, [this](int index) {
        if (index >= 0 && index <= 2) barcode_.readMode = static_cast<std::uint8_t>(index);
    });
    connect(timeout_, &QComboBox::activated, this, [this](int index) {
        if (index >= 0 && index <= 4) barcode_.readTimeout = static_cast<std::uint8_t>(index);
    });
    connect(systemSettings_, &QLineEdit::editingFinished, this,
            [this] { barcode_.setSystemSettingsText(to_u16(systemSettings_->text())); });
}

void CPropBarcode::loadWorkingCopy(const CParameters& definition) {
    barcode_ = definition.barcode;
    readMode_->setCurrentIndex(barcode_.readMode);
    timeout_->setCurrentIndex(barcode_.readTimeout);
    systemSettings_->setText(to_qstring(barcode_.systemSettingsText()));
    showTypes();
}

void CPropBarcode::commit(CParameters& definition) const { definition.barcode = barcode_; }

void CPropBarcode::showTypes() {
    // A box shows checked when any of its bits is set.
    for (std::size_t i = 0; i < types_.size(); ++i)
        types_[i]->setChecked((barcode_.enabledTypes & kSymbologyBoxes[i].bits) != 0);
}

} // namespace formwick
