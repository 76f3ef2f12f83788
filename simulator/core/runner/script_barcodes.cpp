#include "simulator/core/runner/script_barcodes.h"

#include <algorithm>

namespace formwick {

void ScriptBarcodes::offer(std::string barcode) {
    std::lock_guard lock(mutex_);
    offered_ = std::move(barcode);
    refusedLimit_ = -1;
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

int ScriptBarcodes::refused_limit() const {
    std::lock_guard lock(mutex_);
    return refusedLimit_;
}

// A read with nothing offered is a cancelled entry. A barcode longer than
// the read takes is handed over all the same (the terminal refuses it
// without a word) and remembered, so the player can say so.
std::optional<std::string> ScriptBarcodes::read_barcode(int max_length) {
    std::lock_guard lock(mutex_);
    if (offered_ && offered_->size() > static_cast<std::size_t>(std::max(max_length, 0))) refusedLimit_ = max_length;
    std::optional<std::string> barcode = std::move(offered_);
    offered_.reset();
    return barcode;
}

} // namespace formwick
