// The barcode entry of headless runs: the barcode of the SCAN command being
// executed, handed to the first read, if any.
#pragma once

#include "simulator/core/host/barcode_entry.h"

#include <mutex>

namespace formwick {

class ScriptBarcodes final : public BarcodeEntry {
public:
    void offer(std::string barcode);
    // True when the offered barcode has been read.
    bool taken() const;
    // Withdraws a barcode nobody read; true when there was one.
    bool withdraw();
    // The longest barcode the read that refused the offered one (as longer
    // than it takes) would take; -1 when no read refused it.
    int refused_limit() const;
    std::optional<std::string> read_barcode(int max_length) override;

private:
    mutable std::mutex mutex_;
    std::optional<std::string> offered_;
    int refusedLimit_ = -1;
};

} // namespace formwick
