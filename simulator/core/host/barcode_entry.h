// Where a barcode read gets its text on the PC: the window asks the user in
// its "Read barcode dialog"; headless runs take the barcodes of the script.
#pragma once

#include <optional>
#include <string>

namespace formwick {

class BarcodeEntry {
public:
    virtual ~BarcodeEntry() = default;
    // The entered text (UTF-8), or nothing when the entry was cancelled. Runs
    // on the runtime thread and may block until the user answers. The text
    // may be longer than `max_length`; the scanner refuses it then.
    virtual std::optional<std::string> read_barcode(int max_length) = 0;
};

} // namespace formwick
