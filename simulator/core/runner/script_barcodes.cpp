#include "simulator/core/runner/script_barcodes.h"

namespace formwick {

void ScriptBarcodes::offer(std::string barcode) {
    std::lock_guard lock(mutex_);
    offered_ = std::move(barcode);
}

bool ScriptBarcodes::taken() const {
    std::lock_guard lock(mutex_);
    return !offered_;
}

bool ScriptBarcodes::withdraw() {
    std::lock_guard lock(mutex_);
    const bool had = offered_.has_value();
    offered_.reset();
    return had;
}

// A read with nothing offered is a cancelled entry.
std::optional<std::string> ScriptBarcodes::read_barcode(int) {
    std::lock_guard lock(mutex_);
    std::optional<std::string> barcode = std::move(offered_);
    offered_.reset();
    return barcode;
}

} // namespace formwick
